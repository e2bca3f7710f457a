#include "modifiers/Modifier.h"

Tag Modifier::tag() const { return makeTag("MDFR"); }

void Modifier::advance() {}

bool Modifier::isActive() const { return true; }
