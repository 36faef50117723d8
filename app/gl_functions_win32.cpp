// The Windows loader of the OpenGL functions (see gl_functions.h).
#if defined(_WIN32)

#include <windows.h>

#include "app/gl_functions.h"

#define ARBREL_GL_DEFINE(type, name) type arbrel_##name = nullptr;
ARBREL_GL_FUNCTIONS(ARBREL_GL_DEFINE)
#undef ARBREL_GL_DEFINE

namespace {

// wglGetProcAddress answers 0 to 3 or -1 for a function it does not have;
// the 1.1 ones come from opengl32.dll itself.
PROC Find(const char* name) {
    PROC found = wglGetProcAddress(name);
    const INT_PTR code = reinterpret_cast<INT_PTR>(found);
    if (code >= -1 && code <= 3) {
        HMODULE library = GetModuleHandleA("opengl32.dll");
        found = library != nullptr ? GetProcAddress(library, name) : nullptr;
    }
    return found;
}

}  // namespace

bool LoadGlFunctions() {
    static bool loaded = false;
    if (loaded) return true;
    bool all = true;
#define ARBREL_GL_LOAD(type, name)                            \
    arbrel_##name = reinterpret_cast<type>(reinterpret_cast<void (*)()>(Find(#name))); \
    all = all && arbrel_##name != nullptr;
    ARBREL_GL_FUNCTIONS(ARBREL_GL_LOAD)
#undef ARBREL_GL_LOAD
    loaded = all;
    return all;
}

#endif
