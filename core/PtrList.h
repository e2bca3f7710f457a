#pragma once
// Every collection of the system: an ordered, doubly linked list of pointers that never deletes
// what it points to.

#include <list>

template <class T>
using PtrList = std::list<T*>;
