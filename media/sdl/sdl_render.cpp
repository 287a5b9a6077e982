// Batches become vertices streamed into one buffer and one draw each, through a small shader
// program whose source serves OpenGL 3.3 core, OpenGL ES 3.0 and WebGL 2 alike. Lines and
// points become quads here, so their width is the same on every driver and at every scale.
// GL state is cached so a flush that changes nothing but the vertices issues no state calls.
#include "media/backend.h"
#include "media/sdl/gl_api.h"
#include "media/sdl/sdl_internal.h"
#include "media/sdl/sdl_stats.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <ctime>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// Program variants: textured or not, alpha-tested (the mask mode) or not, smoothed lines.
enum { PROG_TEXTURED = 1, PROG_MASK = 2, PROG_SMOOTH = 4, PROG_COUNT = 8 };

const char* const vertex_source = R"(
in vec2 a_pos;
in vec4 a_colour;
uniform vec2 u_scale; // game pixels to clip space: 2 / width, -2 / height
out vec4 v_colour;
#if defined(TEXTURED) || defined(SMOOTH)
in vec2 a_uv;
out vec2 v_uv;
#endif
void main() {
#if defined(TEXTURED) || defined(SMOOTH)
    v_uv = a_uv;
#endif
    v_colour = a_colour;
    gl_Position = vec4(a_pos * u_scale + vec2(-1.0, 1.0), 0.0, 1.0);
}
)";

const char* const fragment_source = R"(
in vec4 v_colour;
#if defined(TEXTURED) || defined(SMOOTH)
in vec2 v_uv;
#endif
uniform sampler2D u_texture;
uniform float u_pixel; // real pixels per game pixel
out vec4 o_colour;
void main() {
    vec4 c = v_colour;
#ifdef TEXTURED
    c *= texture(u_texture, v_uv);
#endif
#ifdef SMOOTH
    // v_uv.x runs across the line in game pixels, v_uv.y is its half width: the share of
    // this real pixel the line covers.
    c.a *= clamp((v_uv.y - abs(v_uv.x)) * u_pixel + 0.5, 0.0, 1.0);
#endif
#ifdef MASK
    if (c.a < 0.5) discard;
#endif
    o_colour = c;
}
)";

// Glow: the frame halved twice (each halving an exact 2 x 2 mean, so no thin stroke is
// skipped), blurred at a quarter of its size and added back over itself.
const char* const glow_vertex_source = R"(
out vec2 v_uv;
void main() {
    vec2 p = vec2(gl_VertexID == 1 ? 3.0 : -1.0, gl_VertexID == 2 ? 3.0 : -1.0);
    v_uv = p * 0.5 + 0.5;
    gl_Position = vec4(p, 0.0, 1.0);
}
)";

// Nine taps of a Gaussian in five fetches, along u_step. With u_knee at 0 or more each tap
// first keeps only what is brighter than the knee, so strokes glow and a dense dim lattice
// does not wash over the screen.
const char* const glow_fragment_source = R"(
in vec2 v_uv;
uniform sampler2D u_texture;
uniform vec2 u_step;
uniform float u_gain;
uniform float u_knee;
out vec4 o_colour;
vec4 tap(vec2 at) {
    vec4 c = texture(u_texture, at);
    if (u_knee < 0.0) return c;
    float m = max(c.r, max(c.g, c.b));
    return c * clamp((m - u_knee) / (1.0 - u_knee), 0.0, 1.0);
}
void main() {
    vec2 a = u_step * 1.3846153846, b = u_step * 3.2307692308;
    vec4 c = tap(v_uv) * 0.2270270270;
    c += (tap(v_uv + a) + tap(v_uv - a)) * 0.3162162162;
    c += (tap(v_uv + b) + tap(v_uv - b)) * 0.0702702703;
    o_colour = vec4(c.rgb * u_gain, 1.0);
}
)";

// Quads drawn per indexed draw: 4 vertices each, indices of 16 bits.
constexpr int QUADS_PER_DRAW = 16384;
// Vertices stream through one buffer of this size, each batch after the last; a frame of the
// 4 px lattice fits a few times over.
constexpr std::size_t STREAM_BYTES = std::size_t(32) << 20;

struct gl_cache {
    int program = -1;
    unsigned bound = 0;
    int blend = 2;
    bool scissor = false;
    int clip[4] = {0, 0, 0, 0};
};

struct program {
    GLuint id = 0;
    GLint scale = -1, pixel = -1;
};

struct glow_target {
    GLuint tex = 0, fbo = 0;
    int w = 0, h = 0;
};

struct glow_state {
    int level = 0; // 0 off, 1 low, 2 high
    GLuint program = 0, vao = 0;
    GLint step = -1, gain = -1, knee = -1;
    glow_target half, quarter, blur;
} g_glow;

// Lines on Mesa's software renderer stay unsmoothed, as they always were there: smoothing
// would only cost time. Tests may ask for it anyway.
bool g_software = false, g_smooth_forced = false;
// Mesa's software renderer draws a wide GL line or a large point over exactly the pixels of
// our quad for it, in half the setup work: there they stay lines and points. Tests may ask
// for quads anyway.
bool g_native_wide_lines = false, g_quads_forced = false;
float g_line_width = 1, g_point_size = 1; // as GL has them, real pixels
std::size_t g_stream_at = STREAM_BYTES; // where the next batch goes in the stream buffer
std::string g_context_name;
gl_cache g_gl;
program g_programs[PROG_COUNT];
GLuint g_vao = 0, g_vbo = 0, g_ibo = 0;
std::vector<batch_vertex> g_quads; // lines and points made into quads
letterbox g_box = letterbox_fit(1, 1, 1, 1); // the game's screen inside the drawable
std::unordered_map<unsigned, std::pair<int, int>> g_sizes; // texture sizes, for grabs
int g_draw_calls = 0;
long long g_flush_us = 0;

GLuint compile(GLenum kind, const std::string& source) {
    GLuint s = gl.CreateShader(kind);
    const char* text = source.c_str();
    gl.ShaderSource(s, 1, &text, nullptr);
    gl.CompileShader(s);
    GLint ok = 0;
    gl.GetShaderiv(s, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = "";
        gl.GetShaderInfoLog(s, sizeof log, nullptr, log);
        fprintf(stderr, "media: a shader does not compile: %s\n", log);
    }
    return s;
}

// The version line and precision are all that differ between desktop GL and ES / WebGL.
std::string shader_head(bool es) {
    return es ? "#version 300 es\nprecision mediump float;\n" : "#version 330 core\n";
}

GLuint link(GLuint vs, GLuint fs) {
    GLuint id = gl.CreateProgram();
    gl.AttachShader(id, vs);
    gl.AttachShader(id, fs);
    gl.BindAttribLocation(id, 0, "a_pos");
    gl.BindAttribLocation(id, 1, "a_uv");
    gl.BindAttribLocation(id, 2, "a_colour");
    gl.LinkProgram(id);
    gl.DeleteShader(vs);
    gl.DeleteShader(fs);
    GLint ok = 0;
    gl.GetProgramiv(id, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[1024] = "";
        gl.GetProgramInfoLog(id, sizeof log, nullptr, log);
        fprintf(stderr, "media: a shader program does not link: %s\n", log);
    }
    gl.UseProgram(id);
    gl.Uniform1i(gl.GetUniformLocation(id, "u_texture"), 0);
    return id;
}

bool build_program(program& p, int variant, bool es) {
    std::string defs;
    if (variant & PROG_TEXTURED) defs += "#define TEXTURED\n";
    if (variant & PROG_MASK) defs += "#define MASK\n";
    if (variant & PROG_SMOOTH) defs += "#define SMOOTH\n";
    // Untextured, unsmoothed variants carry no texture coordinates from vertex to fragment.
    p.id = link(compile(GL_VERTEX_SHADER, shader_head(es) + defs + vertex_source),
                compile(GL_FRAGMENT_SHADER, shader_head(es) + defs + fragment_source));
    p.scale = gl.GetUniformLocation(p.id, "u_scale");
    p.pixel = gl.GetUniformLocation(p.id, "u_pixel");
    return p.id != 0;
}

void glow_build(bool es) {
    g_glow.program = link(compile(GL_VERTEX_SHADER, shader_head(es) + glow_vertex_source),
                          compile(GL_FRAGMENT_SHADER, shader_head(es) + glow_fragment_source));
    g_glow.step = gl.GetUniformLocation(g_glow.program, "u_step");
    g_glow.gain = gl.GetUniformLocation(g_glow.program, "u_gain");
    g_glow.knee = gl.GetUniformLocation(g_glow.program, "u_knee");
    gl.GenVertexArrays(1, &g_glow.vao);
    g_glow.half = g_glow.quarter = g_glow.blur = glow_target{};
}

// A texture of w x h to draw into, made again only when the size changes.
void glow_fit(glow_target& t, int w, int h) {
    w = std::max(w, 1), h = std::max(h, 1);
    if (t.tex && t.w == w && t.h == h) return;
    if (!t.tex) {
        glGenTextures(1, &t.tex);
        gl.GenFramebuffers(1, &t.fbo);
    }
    glBindTexture(GL_TEXTURE_2D, t.tex);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    gl.BindFramebuffer(GL_FRAMEBUFFER, t.fbo);
    gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, t.tex, 0);
    gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
    t.w = w, t.h = h;
}

// One blur pass from `from` into `to` along (dx, dy) texels of `from`.
void glow_pass(const glow_target& from, const glow_target& to, float dx, float dy, float knee) {
    gl.BindFramebuffer(GL_FRAMEBUFFER, to.fbo);
    glViewport(0, 0, to.w, to.h);
    glBindTexture(GL_TEXTURE_2D, from.tex);
    gl.Uniform2f(g_glow.step, dx / float(from.w), dy / float(from.h));
    gl.Uniform1f(g_glow.gain, 1);
    gl.Uniform1f(g_glow.knee, knee);
    glDrawArrays(GL_TRIANGLES, 0, 3);
}

// Bright strokes bleed light around themselves, as neon tubes do.
void glow_apply() {
    const letterbox& b = g_box;
    glow_fit(g_glow.half, b.w / 2, b.h / 2);
    glow_fit(g_glow.quarter, b.w / 4, b.h / 4);
    glow_fit(g_glow.blur, b.w / 4, b.h / 4);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_BLEND);
    int y0 = b.real_h - b.y - b.h; // GL counts rows from the bottom
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, g_glow.half.fbo);
    gl.BlitFramebuffer(b.x, y0, b.x + b.w, y0 + b.h, 0, 0, g_glow.half.w, g_glow.half.h,
                       GL_COLOR_BUFFER_BIT, GL_LINEAR);
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, g_glow.half.fbo);
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, g_glow.quarter.fbo);
    gl.BlitFramebuffer(0, 0, g_glow.half.w, g_glow.half.h, 0, 0, g_glow.quarter.w,
                       g_glow.quarter.h, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    gl.UseProgram(g_glow.program);
    gl.BindVertexArray(g_glow.vao);
    int passes = g_glow.level >= 2 ? 2 : 1;
    for (int i = 0; i < passes; i++) {
        float spread = float(i + 1);
        // A quarter-size texel averages 16 pixels: a 2 px white stroke comes out near one half.
        glow_pass(g_glow.quarter, g_glow.blur, spread, 0, i == 0 ? 0.3f : -1.0f);
        glow_pass(g_glow.blur, g_glow.quarter, 0, spread, -1.0f);
    }
    // Added over the frame, inside the game's screen only.
    gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(b.x, y0, b.w, b.h);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, g_glow.quarter.tex);
    gl.Uniform2f(g_glow.step, 0, 0);
    gl.Uniform1f(g_glow.knee, -1.0f);
    gl.Uniform1f(g_glow.gain, g_glow.level >= 2 ? 3.0f : 1.6f);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    // Back to what the batches' cache believes.
    gl.BindVertexArray(g_vao);
    glDisable(GL_BLEND);
    g_gl = gl_cache{};
    sdl::render_set_screen(g_box);
}

void bind(unsigned tex) {
    if (g_gl.bound == tex) return;
    glBindTexture(GL_TEXTURE_2D, tex);
    g_gl.bound = tex;
}

void use_program(int variant) {
    if (variant == g_gl.program) return;
    gl.UseProgram(g_programs[variant].id);
    g_gl.program = variant;
}

void gl_set_blend(int mode) {
    if (mode < 1 || mode > 5) mode = 2;
    if (mode == g_gl.blend) return;
    if (mode <= 2) {
        glDisable(GL_BLEND);
    } else {
        if (g_gl.blend <= 2) glEnable(GL_BLEND);
        if (mode == 3) glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        if (mode == 4) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        if (mode == 5) glBlendFunc(GL_DST_COLOR, GL_ZERO);
    }
    g_gl.blend = mode;
}

void gl_set_clip(const int* clip) {
    // On a letterboxed screen the scissor always holds drawing inside the picture.
    bool whole = clip[2] == 0; // a width of 0 is the whole screen
    bool on = !whole || !g_box.identity();
    if (on != g_gl.scissor) {
        if (on)
            glEnable(GL_SCISSOR_TEST);
        else
            glDisable(GL_SCISSOR_TEST);
        g_gl.scissor = on;
    }
    if (!on || std::equal(clip, clip + 4, g_gl.clip)) return;
    int rx = g_box.x, ry = g_box.y, rw = g_box.w, rh = g_box.h;
    if (!whole) {
        g_box.rect_to_real(clip[0], clip[1], std::max(clip[2], 0), std::max(clip[3], 0), rx, ry, rw,
                           rh);
        // Never past the picture into the bars.
        int x1 = std::min(rx + rw, g_box.x + g_box.w), y1 = std::min(ry + rh, g_box.y + g_box.h);
        rx = std::max(rx, g_box.x);
        ry = std::max(ry, g_box.y);
        rw = std::max(x1 - rx, 0);
        rh = std::max(y1 - ry, 0);
    }
    glScissor(rx, g_box.real_h - ry - rh, rw, rh); // GL counts rows from the bottom
    std::copy(clip, clip + 4, g_gl.clip);
}

// Puts the vertices after the last batch's in the stream buffer and points the attributes at
// them. When the buffer is full a GPU gets a fresh store, so it never waits for draws still
// reading the old one; a software renderer has read them already and starts over in place.
void upload(const batch_vertex* v, std::size_t count) {
    std::size_t bytes = count * sizeof(batch_vertex);
    if (g_stream_at + bytes > STREAM_BYTES) {
        if (!g_software || g_stream_at == STREAM_BYTES + 1)
            gl.BufferData(GL_ARRAY_BUFFER, GLsizeiptr(STREAM_BYTES), nullptr, GL_STREAM_DRAW);
        g_stream_at = 0;
    }
    gl.BufferSubData(GL_ARRAY_BUFFER, GLintptr(g_stream_at), GLsizeiptr(bytes), v);
    const GLsizei stride = sizeof(batch_vertex);
    const char* at = reinterpret_cast<const char*>(g_stream_at);
    gl.VertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, at + offsetof(batch_vertex, x));
    gl.VertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, at + offsetof(batch_vertex, u));
    gl.VertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                           at + offsetof(batch_vertex, rgba));
    g_stream_at += bytes;
}

// The batch's own vertices in one draw, as the driver draws that primitive.
void draw_as_is(const render_batch& batch, GLenum mode) {
    upload(batch.verts, batch.count);
    glDrawArrays(mode, 0, GLsizei(batch.count));
    ++g_draw_calls;
}

void draw_quads(std::size_t quads) {
    for (std::size_t first = 0; first < quads; first += QUADS_PER_DRAW) {
        std::size_t n = std::min<std::size_t>(QUADS_PER_DRAW, quads - first);
        upload(g_quads.data() + first * 4, n * 4);
        glDrawElements(GL_TRIANGLES, GLsizei(n * 6), GL_UNSIGNED_SHORT, nullptr);
        ++g_draw_calls;
    }
}

// A line of width w covers w pixels across its minor axis, as GL's own unsmoothed wide lines
// do: a 45 degree line is as tall as a level one is high.
void lines_to_quads(const render_batch& batch, float w) {
    std::size_t segs = batch.count / 2;
    g_quads.resize(segs * 4);
    const batch_vertex* v = batch.verts;
    batch_vertex* q = g_quads.data();
    float h = w * 0.5f;
    for (std::size_t i = 0; i < segs; i++, v += 2, q += 4) {
        const batch_vertex &a = v[0], &b = v[1];
        float dx = b.x - a.x, dy = b.y - a.y;
        float ox = 0, oy = h;
        if (std::abs(dy) > std::abs(dx)) ox = h, oy = 0;
        q[0] = a, q[1] = a, q[2] = b, q[3] = b;
        q[0].x -= ox, q[0].y -= oy;
        q[1].x += ox, q[1].y += oy;
        q[2].x += ox, q[2].y += oy;
        q[3].x -= ox, q[3].y -= oy;
    }
    draw_quads(segs);
}

// A smoothed line: a quad half a real pixel wider on each side than the line, across which
// the fragment program fades the edge by the share of each pixel the line covers.
void smooth_lines_to_quads(const render_batch& batch, float w) {
    std::size_t segs = batch.count / 2;
    g_quads.resize(segs * 4);
    const batch_vertex* v = batch.verts;
    batch_vertex* q = g_quads.data();
    float h = w * 0.5f, out = h + 0.5f / g_box.scale;
    for (std::size_t i = 0; i < segs; i++, v += 2, q += 4) {
        const batch_vertex &a = v[0], &b = v[1];
        float dx = b.x - a.x, dy = b.y - a.y, len = std::sqrt(dx * dx + dy * dy);
        float nx = 0, ny = out;
        if (len > 0) nx = -dy / len * out, ny = dx / len * out;
        q[0] = a, q[1] = a, q[2] = b, q[3] = b;
        q[0].x -= nx, q[0].y -= ny, q[0].u = -out;
        q[1].x += nx, q[1].y += ny, q[1].u = out;
        q[2].x += nx, q[2].y += ny, q[2].u = out;
        q[3].x -= nx, q[3].y -= ny, q[3].u = -out;
        for (int k = 0; k < 4; k++) q[k].v = h;
    }
    draw_quads(segs);
}

// A point of size s is the s x s square around it.
void points_to_quads(const render_batch& batch, float s) {
    g_quads.resize(batch.count * 4);
    const batch_vertex* v = batch.verts;
    batch_vertex* q = g_quads.data();
    float h = s * 0.5f;
    for (std::size_t i = 0; i < batch.count; i++, v++, q += 4) {
        q[0] = q[1] = q[2] = q[3] = *v;
        q[0].x -= h, q[0].y -= h;
        q[1].x += h, q[1].y -= h;
        q[2].x += h, q[2].y += h;
        q[3].x -= h, q[3].y += h;
    }
    draw_quads(batch.count);
}

// Only desktop GL has a point size outside the shader; elsewhere points are always quads.
void set_point_size(float real) {
#if !defined(__EMSCRIPTEN__)
    if (g_native_wide_lines) glPointSize(real);
#else
    (void)real;
#endif
}

void reset_state() {
    const char* missing = nullptr;
    if (!gl_load(missing)) {
        fprintf(stderr, "media: the OpenGL context lacks %s\n", missing);
        return;
    }
    bool es = g_context_name.find("ES") != std::string::npos;
    // Mesa's llvmpipe and softpipe call themselves so; its old swrast says "Software".
    const char* r = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::string name = r ? r : "";
    g_software = name.find("llvmpipe") != std::string::npos ||
                 name.find("softpipe") != std::string::npos ||
                 name.find("Software") != std::string::npos;
    // Desktop GL outside a forward-compatible context still draws wide lines.
    GLfloat range[2] = {1, 1};
    glGetFloatv(GL_ALIASED_LINE_WIDTH_RANGE, range);
    glGetError();
    GLfloat points[2] = {1, 1};
    glGetFloatv(GL_ALIASED_POINT_SIZE_RANGE, points);
    glGetError();
    g_native_wide_lines = g_software && !es && range[1] >= 32 && points[1] >= 32;
    g_line_width = g_point_size = 1;
    glLineWidth(1);
    set_point_size(1);
    for (int i = 0; i < PROG_COUNT; i++) build_program(g_programs[i], i, es);
    glow_build(es);
    gl.GenVertexArrays(1, &g_vao);
    gl.BindVertexArray(g_vao);
    gl.GenBuffers(1, &g_vbo);
    gl.BindBuffer(GL_ARRAY_BUFFER, g_vbo);
    gl.EnableVertexAttribArray(0);
    gl.EnableVertexAttribArray(1);
    gl.EnableVertexAttribArray(2);
    g_stream_at = STREAM_BYTES + 1; // the first upload makes the store
    // Every quad is two triangles over its four corners, in the same order each time.
    std::vector<uint16_t> idx(size_t(QUADS_PER_DRAW) * 6);
    for (int i = 0; i < QUADS_PER_DRAW; i++) {
        uint16_t b = uint16_t(i * 4);
        uint16_t* p = &idx[size_t(i) * 6];
        p[0] = b, p[1] = uint16_t(b + 1), p[2] = uint16_t(b + 2);
        p[3] = b, p[4] = uint16_t(b + 2), p[5] = uint16_t(b + 3);
    }
    gl.GenBuffers(1, &g_ibo);
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, g_ibo);
    gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(idx.size() * 2), idx.data(), GL_STATIC_DRAW);

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
    gl.ActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    g_gl = gl_cache{};
}

} // namespace

int sdl_draw_calls() { return g_draw_calls; }
void sdl_reset_draw_calls() { g_draw_calls = 0; }
long long sdl_flush_us() { return g_flush_us; }
long long sdl_thread_cpu_us() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}
void sdl_reset_flush_us() { g_flush_us = 0; }
const char* sdl_context_name() { return g_context_name.c_str(); }
void sdl_force_smooth_lines(bool on) { g_smooth_forced = on; }
void sdl_force_line_quads(bool on) { g_quads_forced = on; }

namespace sdl {

void render_set_context_name(const std::string& name) { g_context_name = name; }

void render_reset_state() {
    g_sizes.clear();
    reset_state();
}

void render_set_screen(const letterbox& box) {
    g_box = box;
    glViewport(box.x, box.real_h - box.y - box.h, box.w, box.h);
    for (int i = 0; i < PROG_COUNT; i++) {
        gl.UseProgram(g_programs[i].id);
        gl.Uniform2f(g_programs[i].scale, 2.0f / float(box.logical_w),
                     -2.0f / float(box.logical_h));
        gl.Uniform1f(g_programs[i].pixel, box.scale);
    }
    g_gl.program = -1;
    // The scissor rectangle is stored flipped against the old height.
    std::fill(g_gl.clip, g_gl.clip + 4, -1);
}

void render_glow() {
    if (g_glow.level == 0 || !g_glow.program) return;
    glow_apply();
}

void render_unclip() {
    static const int none[4] = {0, 0, 0, 0};
    gl_set_clip(none);
}

void render_clear_all() {
    if (g_gl.scissor) glDisable(GL_SCISSOR_TEST);
    g_gl.scissor = false;
}

} // namespace sdl

namespace backend {

void set_glow(int level) { g_glow.level = std::clamp(level, 0, 2); }

unsigned texture_create(int w, int h, const uint8_t* rgba) {
    if (w <= 0 || h <= 0 || !sdl::ensure_window()) return 0;
    std::vector<uint8_t> blank;
    if (!rgba) {
        blank.assign(size_t(w) * h * 4, 0);
        rgba = blank.data();
    }
    GLuint tex = 0;
    glGenTextures(1, &tex);
    bind(tex);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    gl.GenerateMipmap(GL_TEXTURE_2D);
    g_sizes[tex] = {w, h};
    return tex;
}

void texture_free(unsigned tex) {
    if (tex == 0 || !sdl::window()) return;
    g_sizes.erase(tex);
    GLuint t = tex;
    glDeleteTextures(1, &t);
    if (g_gl.bound == tex) g_gl.bound = 0; // GL falls back to texture 0
}

void texture_grab(unsigned tex, int tx, int ty, int sx, int sy, int w, int h) {
    if (tex == 0 || !is_open()) return;
    auto size = g_sizes.find(tex);
    if (size == g_sizes.end()) return;
    int tw = size->second.first, th = size->second.second;
    // Keep only what lies inside both the screen and the texture.
    int sw = width(), sh = height();
    int left = std::max({0, -sx, -tx});
    int right = std::min({w, sw - sx, tw - tx});
    int top = std::max({0, -sy, -ty});
    int bottom = std::min({h, sh - sy, th - ty});
    if (right <= left || bottom <= top) return;
    // Read in the game's own pixels (top row first, as the texture wants them) and upload.
    int cw = right - left, ch = bottom - top;
    std::vector<uint8_t> pixels = read_pixels(sx + left, sy + top, cw, ch);
    bind(tex);
    glTexSubImage2D(GL_TEXTURE_2D, 0, tx + left, ty + top, cw, ch, GL_RGBA, GL_UNSIGNED_BYTE,
                    pixels.data());
    // Mip-maps follow every change of level 0, so a grab drawn small shows too.
    gl.GenerateMipmap(GL_TEXTURE_2D);
}

void flush(const render_batch& batch) {
    if (batch.count == 0 || !sdl::window()) return;
    long long t0 = sdl_thread_cpu_us();
    const batch_state& s = batch.state;
    int blend = s.blend < 1 || s.blend > 5 ? 2 : s.blend;
    bool smooth = s.prim == BATCH_LINES && s.smooth && (!g_software || g_smooth_forced);
    use_program((s.texture ? PROG_TEXTURED : 0) | (blend == 1 ? PROG_MASK : 0) |
                (smooth ? PROG_SMOOTH : 0));
    if (s.texture) bind(s.texture);
    gl_set_blend(blend);
    gl_set_clip(s.clip);
    if (smooth) {
        smooth_lines_to_quads(batch, s.line_width);
    } else if (s.prim == BATCH_LINES &&
               (s.line_width * g_box.scale <= 1.0f || (g_native_wide_lines && !g_quads_forced))) {
        // One real pixel wide, every driver draws such a line alike; wider, where that is so.
        float real = std::max(s.line_width * g_box.scale, 1.0f);
        if (real != g_line_width) glLineWidth(real);
        g_line_width = real;
        draw_as_is(batch, GL_LINES);
    } else if (s.prim == BATCH_LINES) {
        lines_to_quads(batch, s.line_width);
    } else if (s.prim == BATCH_POINTS && g_native_wide_lines && !g_quads_forced) {
        // The same square as the quad below, rasterised by the driver's own point code.
        float real = std::max(s.line_width * g_box.scale, 1.0f);
        if (real != g_point_size) set_point_size(real);
        g_point_size = real;
        draw_as_is(batch, GL_POINTS);
    } else if (s.prim == BATCH_POINTS) {
        points_to_quads(batch, s.line_width);
    } else {
        draw_as_is(batch, GL_TRIANGLES);
    }
    g_flush_us += sdl_thread_cpu_us() - t0;
}

} // namespace backend
