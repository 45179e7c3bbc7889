// OpenGL 1.1 and GLU, after the Win32 header as Windows' own GL headers require.
#pragma once

#include "platform/Win32.h"

#include <GL/gl.h>
#include <GL/glu.h>

// Windows' gl.h stops at OpenGL 1.1; multisampling came later but its enable flag is all we need.
#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif
