#pragma once
// <xcb/xkb.h> for C++: the header names a structure member "explicit", which
// is a keyword here, so the name is changed while the header is read.

#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
