// The first renderer: the fixed-function pipeline of a GL 2.1 context, client-side vertex
// arrays and one glDrawArrays per batch. Kept beside the shader renderer only while the two
// are priced against each other (VEX_RENDERER=legacy).
#include "media/sdl/sdl_render_legacy.h"
#include "media/sdl/sdl_internal.h"
#include "media/sdl/sdl_stats.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cstddef>
#include <ctime>
#include <string>

namespace {

struct gl_cache {
    bool textured = false;
    unsigned bound = 0;
    int blend = 2;
    float line_width = 1;  // as GL has it, real pixels
    float point_size = 1;  // real pixels
    bool smooth = false;
    bool scissor = false;
    int clip[4] = {0, 0, 0, 0};
};

gl_cache g_gl;
letterbox g_box = letterbox_fit(1, 1, 1, 1); // the game's screen inside the drawable
// Mesa's software renderer draws a smoothed line several times slower than a plain one, and
// a smoothed line along a pixel row just like a plain one: there, lines are drawn plain.
bool g_software = false;

void bind(unsigned tex) {
    if (g_gl.bound == tex) return;
    glBindTexture(GL_TEXTURE_2D, tex);
    g_gl.bound = tex;
}

void gl_set_texture(unsigned tex) {
    bool textured = tex != 0;
    if (textured != g_gl.textured) {
        if (textured) {
            glEnable(GL_TEXTURE_2D);
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        } else {
            glDisable(GL_TEXTURE_2D);
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        }
        g_gl.textured = textured;
    }
    if (textured) bind(tex);
}

void gl_set_blend(int mode) {
    if (mode < 1 || mode > 5) mode = 2;
    if (mode == g_gl.blend) return;
    if (mode == 1) {
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GEQUAL, 0.5f);
    } else if (g_gl.blend == 1) {
        glDisable(GL_ALPHA_TEST);
    }
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

void gl_set_line_width(float real) {
    if (real == g_gl.line_width) return;
    glLineWidth(real);
    g_gl.line_width = real;
}

void gl_set_point_size(float real) {
    if (real == g_gl.point_size) return;
    glPointSize(real);
    g_gl.point_size = real;
}

void gl_set_smooth(bool on) {
    if (on == g_gl.smooth) return;
    if (on)
        glEnable(GL_LINE_SMOOTH);
    else
        glDisable(GL_LINE_SMOOTH);
    g_gl.smooth = on;
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

} // namespace

namespace legacy {

void reset_state() {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_SCISSOR_TEST);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glLineWidth(1);
    glPointSize(1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    g_gl = gl_cache{};
    // Mesa's llvmpipe and softpipe call themselves so; its old swrast says "Software".
    const char* r = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::string name = r ? r : "";
    g_software = name.find("llvmpipe") != std::string::npos ||
                 name.find("softpipe") != std::string::npos ||
                 name.find("Software") != std::string::npos;
}

void set_screen(const letterbox& box) {
    g_box = box;
    glViewport(box.x, box.real_h - box.y - box.h, box.w, box.h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, box.logical_w, box.logical_h, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The scissor rectangle is stored flipped against the old height.
    std::fill(g_gl.clip, g_gl.clip + 4, -1);
}

void unclip() {
    static const int none[4] = {0, 0, 0, 0};
    gl_set_clip(none);
}

void clear_all() {
    if (g_gl.scissor) glDisable(GL_SCISSOR_TEST);
    g_gl.scissor = false;
}


unsigned texture_create(int w, int h, const uint8_t* rgba) {
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
    // Mip-maps follow every change of level 0, grabs included.
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return tex;
}

void texture_free(unsigned tex) {
    GLuint t = tex;
    glDeleteTextures(1, &t);
    if (g_gl.bound == tex) g_gl.bound = 0; // GL falls back to texture 0
}

void texture_grab(unsigned tex, int tx, int ty, int sx, int sy, int w, int h) {
    bind(tex);
    GLint tw = 0, th = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &tw);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &th);
    // Keep only what lies inside both the screen and the texture.
    int sw = backend::width(), sh = backend::height();
    int left = std::max({0, -sx, -tx});
    int right = std::min({w, sw - sx, tw - tx});
    int top = std::max({0, -sy, -ty});
    int bottom = std::min({h, sh - sy, th - ty});
    if (right <= left || bottom <= top) return;
    // Read in the game's own pixels (top row first, as the texture wants them) and upload.
    int cw = right - left, ch = bottom - top;
    std::vector<uint8_t> pixels = backend::read_pixels(sx + left, sy + top, cw, ch);
    bind(tex);
    glTexSubImage2D(GL_TEXTURE_2D, 0, tx + left, ty + top, cw, ch, GL_RGBA, GL_UNSIGNED_BYTE,
                    pixels.data());
}

void flush(const render_batch& batch) {
    const batch_state& s = batch.state;
    gl_set_texture(s.texture);
    gl_set_blend(s.blend);
    gl_set_clip(s.clip);
    // Lines and points keep their weight on a scaled screen, drawn at the real resolution.
    float real = s.line_width * g_box.scale;
    const batch_vertex* v = batch.verts;
    if (s.prim == BATCH_LINES) {
        gl_set_smooth(s.smooth && !g_software);
        gl_set_line_width(real);
    } else if (s.prim == BATCH_POINTS) {
        gl_set_point_size(real);
    }

    const GLsizei stride = sizeof(batch_vertex);
    glVertexPointer(2, GL_FLOAT, stride, &v->x);
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, &v->rgba);
    if (s.texture) glTexCoordPointer(2, GL_FLOAT, stride, &v->u);

    GLenum mode = s.prim == BATCH_POINTS  ? GL_POINTS
                  : s.prim == BATCH_LINES ? GL_LINES
                                          : GL_TRIANGLES;
    glDrawArrays(mode, 0, GLsizei(batch.count));
}

} // namespace legacy
