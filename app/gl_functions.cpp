// The OpenGL functions of the 3D view where the system library does not
// export them (see gl_functions.h): looked up through the platform layer.
#include "app/gl_functions.h"

#if ARBREL_LOAD_GL_FUNCTIONS

#include "io/platform.h"

#define ARBREL_GL_DEFINE(type, name) type arbrel_##name = nullptr;
ARBREL_GL_FUNCTIONS(ARBREL_GL_DEFINE)
#undef ARBREL_GL_DEFINE

bool LoadGlFunctions() {
    static bool loaded = false;
    if (loaded) return true;
    bool all = true;
#define ARBREL_GL_LOAD(type, name)                                                   \
    arbrel_##name = reinterpret_cast<type>(platform::GlFunctionAddress(#name)); \
    all = all && arbrel_##name != nullptr;
    ARBREL_GL_FUNCTIONS(ARBREL_GL_LOAD)
#undef ARBREL_GL_LOAD
    loaded = all;
    return all;
}

#endif
