#pragma once
// The OpenGL functions of the 3D preview. On Linux libepoxy provides them.
// On Windows opengl32.dll exports only OpenGL 1.1: the later functions the
// view uses are looked up through the platform layer once a context is
// current (LoadGlFunctions), and the names below point at what was found.

#if defined(_WIN32)
#define ARBREL_LOAD_GL_FUNCTIONS 1
#include <GL/glcorearb.h>  // types, constants and pointer types; no prototypes

#define ARBREL_GL_FUNCTIONS(X) \
    X(PFNGLATTACHSHADERPROC, glAttachShader) \
    X(PFNGLBINDBUFFERPROC, glBindBuffer) \
    X(PFNGLBINDVERTEXARRAYPROC, glBindVertexArray) \
    X(PFNGLBUFFERDATAPROC, glBufferData) \
    X(PFNGLCOMPILESHADERPROC, glCompileShader) \
    X(PFNGLCREATEPROGRAMPROC, glCreateProgram) \
    X(PFNGLCREATESHADERPROC, glCreateShader) \
    X(PFNGLDELETEBUFFERSPROC, glDeleteBuffers) \
    X(PFNGLDELETEPROGRAMPROC, glDeleteProgram) \
    X(PFNGLDELETESHADERPROC, glDeleteShader) \
    X(PFNGLDELETEVERTEXARRAYSPROC, glDeleteVertexArrays) \
    X(PFNGLDRAWARRAYSINSTANCEDPROC, glDrawArraysInstanced) \
    X(PFNGLENABLEVERTEXATTRIBARRAYPROC, glEnableVertexAttribArray) \
    X(PFNGLGENBUFFERSPROC, glGenBuffers) \
    X(PFNGLGENVERTEXARRAYSPROC, glGenVertexArrays) \
    X(PFNGLGETPROGRAMINFOLOGPROC, glGetProgramInfoLog) \
    X(PFNGLGETPROGRAMIVPROC, glGetProgramiv) \
    X(PFNGLGETSHADERINFOLOGPROC, glGetShaderInfoLog) \
    X(PFNGLGETSHADERIVPROC, glGetShaderiv) \
    X(PFNGLGETUNIFORMLOCATIONPROC, glGetUniformLocation) \
    X(PFNGLLINKPROGRAMPROC, glLinkProgram) \
    X(PFNGLSHADERSOURCEPROC, glShaderSource) \
    X(PFNGLUNIFORM3FPROC, glUniform3f) \
    X(PFNGLUNIFORM3FVPROC, glUniform3fv) \
    X(PFNGLUNIFORMMATRIX4FVPROC, glUniformMatrix4fv) \
    X(PFNGLUSEPROGRAMPROC, glUseProgram) \
    X(PFNGLVERTEXATTRIBDIVISORPROC, glVertexAttribDivisor) \
    X(PFNGLVERTEXATTRIBPOINTERPROC, glVertexAttribPointer)

#define ARBREL_GL_DECLARE(type, name) extern type arbrel_##name;
ARBREL_GL_FUNCTIONS(ARBREL_GL_DECLARE)
#undef ARBREL_GL_DECLARE

#define glAttachShader arbrel_glAttachShader
#define glBindBuffer arbrel_glBindBuffer
#define glBindVertexArray arbrel_glBindVertexArray
#define glBufferData arbrel_glBufferData
#define glCompileShader arbrel_glCompileShader
#define glCreateProgram arbrel_glCreateProgram
#define glCreateShader arbrel_glCreateShader
#define glDeleteBuffers arbrel_glDeleteBuffers
#define glDeleteProgram arbrel_glDeleteProgram
#define glDeleteShader arbrel_glDeleteShader
#define glDeleteVertexArrays arbrel_glDeleteVertexArrays
#define glDrawArraysInstanced arbrel_glDrawArraysInstanced
#define glEnableVertexAttribArray arbrel_glEnableVertexAttribArray
#define glGenBuffers arbrel_glGenBuffers
#define glGenVertexArrays arbrel_glGenVertexArrays
#define glGetProgramInfoLog arbrel_glGetProgramInfoLog
#define glGetProgramiv arbrel_glGetProgramiv
#define glGetShaderInfoLog arbrel_glGetShaderInfoLog
#define glGetShaderiv arbrel_glGetShaderiv
#define glGetUniformLocation arbrel_glGetUniformLocation
#define glLinkProgram arbrel_glLinkProgram
#define glShaderSource arbrel_glShaderSource
#define glUniform3f arbrel_glUniform3f
#define glUniform3fv arbrel_glUniform3fv
#define glUniformMatrix4fv arbrel_glUniformMatrix4fv
#define glUseProgram arbrel_glUseProgram
#define glVertexAttribDivisor arbrel_glVertexAttribDivisor
#define glVertexAttribPointer arbrel_glVertexAttribPointer

// With the view's context current: true when every function was found.
bool LoadGlFunctions();
#else
#define ARBREL_LOAD_GL_FUNCTIONS 0
#include <epoxy/gl.h>
inline bool LoadGlFunctions() { return true; }
#endif
