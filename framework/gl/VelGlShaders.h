#pragma once

// GLSL sources of the three shading paths.

#include "framework/VelGraphicsTypes.h"

// The vertex or fragment source of a path; remapDepth makes the vertex stage
// turn 0..1 clip depth into OpenGL's -1..1 when clip control is missing.
const char* VelGlShaderSource(VelShaderPath path, bool vertexStage);
const char* VelGlShaderPrelude(bool remapDepth);
