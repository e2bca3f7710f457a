#pragma once
// OpenGL 1.1 and GLU for every platform. On Windows, GL/gl.h includes windows.h itself.

#include <GL/gl.h>
#include <GL/glu.h>
