#include "media/sdl/gl_api.h"

#include <SDL.h>

gl_functions gl;

bool gl_load(const char*& missing) {
    missing = nullptr;
#if defined(__EMSCRIPTEN__)
#define VEX_GL_LOAD(pfn, name) gl.name = &gl##name;
#else
#define VEX_GL_LOAD(pfn, name)                                                                 \
    gl.name = reinterpret_cast<pfn>(SDL_GL_GetProcAddress("gl" #name));                        \
    if (!gl.name && !missing) missing = "gl" #name;
#endif
    VEX_GL_FUNCTIONS(VEX_GL_LOAD)
#undef VEX_GL_LOAD
    return missing == nullptr;
}
