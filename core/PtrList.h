#pragma once
// The collections of scene objects (a particle system's shapes and modifiers): an ordered, doubly
// linked list of pointers that never deletes what it points to. The live particles, walked several
// times a step, are kept in an array of their own instead.

#include <list>

template <class T>
using PtrList = std::list<T*>;
