#pragma once
// OpenGL 1.1 fixed-function declarations plus the extension prototypes.
#define GL_GLEXT_PROTOTYPES 0
#include <GL/gl.h>
#include <GL/glext.h>
