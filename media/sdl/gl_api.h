// The GL functions the renderer calls beyond GL 1.1, looked up through SDL once a context is
// current: Windows' opengl32 exports only 1.1, and a core or ES context has no other way in.
// The browser build links WebGL 2's functions directly.
#pragma once

#if defined(__EMSCRIPTEN__)
#include <GLES3/gl3.h>
#define VEX_GL_TYPE(pfn, name) decltype(&gl##name)
#else
#include <SDL_opengl.h>
#define VEX_GL_TYPE(pfn, name) pfn
#endif

#define VEX_GL_FUNCTIONS(X)                                                                   \
    X(PFNGLACTIVETEXTUREPROC, ActiveTexture)                                                   \
    X(PFNGLATTACHSHADERPROC, AttachShader)                                                     \
    X(PFNGLBINDATTRIBLOCATIONPROC, BindAttribLocation)                                         \
    X(PFNGLBINDBUFFERPROC, BindBuffer)                                                         \
    X(PFNGLBINDFRAMEBUFFERPROC, BindFramebuffer)                                               \
    X(PFNGLBINDVERTEXARRAYPROC, BindVertexArray)                                               \
    X(PFNGLBLENDFUNCSEPARATEPROC, BlendFuncSeparate)                                           \
    X(PFNGLBLITFRAMEBUFFERPROC, BlitFramebuffer)                                               \
    X(PFNGLBUFFERDATAPROC, BufferData)                                                         \
    X(PFNGLBUFFERSUBDATAPROC, BufferSubData)                                                   \
    X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, CheckFramebufferStatus)                                 \
    X(PFNGLCOMPILESHADERPROC, CompileShader)                                                   \
    X(PFNGLCREATEPROGRAMPROC, CreateProgram)                                                   \
    X(PFNGLCREATESHADERPROC, CreateShader)                                                     \
    X(PFNGLDELETEFRAMEBUFFERSPROC, DeleteFramebuffers)                                         \
    X(PFNGLDELETESHADERPROC, DeleteShader)                                                     \
    X(PFNGLENABLEVERTEXATTRIBARRAYPROC, EnableVertexAttribArray)                               \
    X(PFNGLFRAMEBUFFERTEXTURE2DPROC, FramebufferTexture2D)                                     \
    X(PFNGLGENBUFFERSPROC, GenBuffers)                                                         \
    X(PFNGLGENERATEMIPMAPPROC, GenerateMipmap)                                                 \
    X(PFNGLGENFRAMEBUFFERSPROC, GenFramebuffers)                                               \
    X(PFNGLGENVERTEXARRAYSPROC, GenVertexArrays)                                               \
    X(PFNGLGETPROGRAMINFOLOGPROC, GetProgramInfoLog)                                           \
    X(PFNGLGETPROGRAMIVPROC, GetProgramiv)                                                     \
    X(PFNGLGETSHADERINFOLOGPROC, GetShaderInfoLog)                                             \
    X(PFNGLGETSHADERIVPROC, GetShaderiv)                                                       \
    X(PFNGLGETUNIFORMLOCATIONPROC, GetUniformLocation)                                         \
    X(PFNGLLINKPROGRAMPROC, LinkProgram)                                                       \
    X(PFNGLSHADERSOURCEPROC, ShaderSource)                                                     \
    X(PFNGLUNIFORM1FPROC, Uniform1f)                                                           \
    X(PFNGLUNIFORM1IPROC, Uniform1i)                                                           \
    X(PFNGLUNIFORM2FPROC, Uniform2f)                                                           \
    X(PFNGLUSEPROGRAMPROC, UseProgram)                                                         \
    X(PFNGLVERTEXATTRIBPOINTERPROC, VertexAttribPointer)

struct gl_functions {
#define VEX_GL_MEMBER(pfn, name) VEX_GL_TYPE(pfn, name) name = nullptr;
    VEX_GL_FUNCTIONS(VEX_GL_MEMBER)
#undef VEX_GL_MEMBER
};

// Filled by gl_load; every member is set when it returns true.
extern gl_functions gl;

// Looks every function up in the current context; false names the first one missing in
// `missing`.
bool gl_load(const char*& missing);
