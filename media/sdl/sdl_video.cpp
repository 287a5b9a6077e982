// Window, GL context and display modes. One window and one context live from the first
// open to shutdown: a display change resizes or re-modes the window, so every texture the
// game loaded keeps working.
#include "media/backend.h"
#include "media/input.h"
#include "media/sdl/sdl_internal.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

SDL_Window* g_window = nullptr;
SDL_GLContext g_context = nullptr;
bool g_open = false;
int g_width = 0, g_height = 0;

int mode_depth(const SDL_DisplayMode& m) { return SDL_BYTESPERPIXEL(m.format) * 8; }

// The size must exist; depth and refresh rate are preferences, so asking for 16 bits on a
// display that only offers 32 still gets that size.
bool find_mode(int w, int h, int depth, int hertz, SDL_DisplayMode& out) {
    int best = -1;
    int n = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < n; ++i) {
        SDL_DisplayMode m;
        if (SDL_GetDisplayMode(0, i, &m) != 0 || m.w != w || m.h != h) continue;
        int score = (mode_depth(m) == depth ? 2 : 0) + (hertz <= 0 || m.refresh_rate == hertz);
        if (score > best) {
            best = score;
            out = m;
        }
    }
    return best >= 0;
}

} // namespace

namespace sdl {

SDL_Window* window() { return g_window; }

bool ensure_window() {
    if (g_context) return true;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    g_window = SDL_CreateWindow("Vexlume 2", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640,
                                480, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!g_window) {
        fprintf(stderr, "media: cannot create a window: %s\n", SDL_GetError());
        return false;
    }
    g_context = SDL_GL_CreateContext(g_window);
    if (!g_context) {
        fprintf(stderr, "media: cannot create an OpenGL context: %s\n", SDL_GetError());
        SDL_DestroyWindow(g_window);
        g_window = nullptr;
        return false;
    }
    SDL_GL_MakeCurrent(g_window, g_context);
    // The game paces itself to 20 ms frames; waiting for the display would fight that.
    SDL_GL_SetSwapInterval(0);
    render_reset_state();
    render_set_screen(640, 480);
    return true;
}

void destroy_window() {
    if (g_context) SDL_GL_DeleteContext(g_context);
    if (g_window) SDL_DestroyWindow(g_window);
    g_context = nullptr;
    g_window = nullptr;
    g_open = false;
    g_width = g_height = 0;
}

} // namespace sdl

namespace backend {

std::vector<display_mode> modes() {
    std::vector<display_mode> out;
    int n = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < n; ++i) {
        SDL_DisplayMode m;
        if (SDL_GetDisplayMode(0, i, &m) != 0) continue;
        display_mode d{m.w, m.h, mode_depth(m), m.refresh_rate};
        bool seen = std::any_of(out.begin(), out.end(), [&](const display_mode& o) {
            return o.width == d.width && o.height == d.height && o.depth == d.depth &&
                   o.hertz == d.hertz;
        });
        if (!seen) out.push_back(d);
    }
    return out;
}

bool open(int width, int height, int depth, int hertz) {
    if (width <= 0 || height <= 0 || !sdl::ensure_window()) {
        close();
        return false;
    }
    if (depth == 0) {
        if (SDL_GetWindowFlags(g_window) & SDL_WINDOW_FULLSCREEN)
            SDL_SetWindowFullscreen(g_window, 0);
        SDL_SetWindowSize(g_window, width, height);
        SDL_SetWindowPosition(g_window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else {
        SDL_DisplayMode m;
        if (!find_mode(width, height, depth, hertz, m) ||
            SDL_SetWindowDisplayMode(g_window, &m) != 0) {
            close();
            return false;
        }
        SDL_SetWindowSize(g_window, width, height);
        if (SDL_SetWindowFullscreen(g_window, SDL_WINDOW_FULLSCREEN) != 0) {
            fprintf(stderr, "media: cannot switch to %dx%d: %s\n", width, height, SDL_GetError());
            close();
            return false;
        }
    }
    SDL_ShowWindow(g_window);
    SDL_RaiseWindow(g_window);
    g_open = true;
    g_width = width;
    g_height = height;
    sdl::render_set_screen(width, height);
    // GL picks up the window's new size at a swap; one black frame makes the next the
    // right size.
    clear(0, 0, 0);
    SDL_GL_SwapWindow(g_window);
    return true;
}

void close() {
    if (g_window) {
        if (SDL_GetWindowFlags(g_window) & SDL_WINDOW_FULLSCREEN)
            SDL_SetWindowFullscreen(g_window, 0);
        SDL_HideWindow(g_window);
    }
    g_open = false;
    g_width = g_height = 0;
}

bool is_open() { return g_open; }
int width() { return g_width; }
int height() { return g_height; }

void desktop(int& width, int& height) {
    SDL_DisplayMode m;
    if (SDL_GetDesktopDisplayMode(0, &m) == 0) {
        width = m.w;
        height = m.h;
    } else {
        width = 640;
        height = 480;
    }
}

void clear(int r, int g, int b) {
    if (!g_context) return;
    sdl::render_unclip();
    glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void present() {
    if (g_open) SDL_GL_SwapWindow(g_window);
    // A loop that reads no input still answers the window system, and a close, each frame.
    pump_events();
}

void pointer_visible(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void pointer_move(int x, int y) {
    if (!g_open) return;
    SDL_WarpMouseInWindow(g_window, x, y);
    // The warp's own motion event comes later; the game reads the new place this frame.
    input_mouse_move(x, y);
}

std::vector<uint8_t> read_pixels(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return {};
    std::vector<uint8_t> out(size_t(w) * h * 4, 0);
    if (!g_open) return out;
    // Only the part inside the screen is read; the rest stays zero.
    int x0 = std::max(x, 0), y0 = std::max(y, 0);
    int x1 = std::min(x + w, g_width), y1 = std::min(y + h, g_height);
    if (x1 <= x0 || y1 <= y0) return out;
    int cw = x1 - x0, ch = y1 - y0;
    std::vector<uint8_t> rows(size_t(cw) * ch * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x0, g_height - y1, cw, ch, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    for (int r = 0; r < ch; ++r) {
        const uint8_t* src = &rows[size_t(ch - 1 - r) * cw * 4]; // GL's rows run bottom up
        uint8_t* dst = &out[(size_t(y0 - y + r) * w + (x0 - x)) * 4];
        memcpy(dst, src, size_t(cw) * 4);
    }
    return out;
}

} // namespace backend
