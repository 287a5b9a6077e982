// Window, GL context and display modes. One window and one context live from the first
// open to shutdown: a display change resizes the window, so every texture the game loaded
// keeps working. Full screen is a borderless window over the desktop that never changes the
// monitor's mode; the game's screen is letterboxed into it at the real resolution.
#include "media/backend.h"
#include "media/input.h"
#include "media/sdl/sdl_internal.h"
#include "media/sdl/sdl_stats.h"

#include <SDL_opengl.h>

#include <string>
#include <iterator>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

SDL_Window* g_window = nullptr;
SDL_GLContext g_context = nullptr;
bool g_open = false;
int g_width = 0, g_height = 0; // the game's screen
letterbox g_box = letterbox_fit(1, 1, 1, 1);
pointer_track g_pointer; // the mouse in the game's pixels, with what scaling leaves over
void (*g_present_hook)() = nullptr;
std::string g_failure; // why the last window or context could not be made

int mode_depth(const SDL_DisplayMode& m) { return SDL_BYTESPERPIXEL(m.format) * 8; }

} // namespace

namespace sdl {

SDL_Window* window() { return g_window; }

const letterbox& screen_box() { return g_box; }

void video_resized() {
    if (!g_open) return;
    int rw = 0, rh = 0;
    SDL_GL_GetDrawableSize(g_window, &rw, &rh);
    g_box = letterbox_fit(g_width, g_height, rw, rh);
    render_set_screen(g_box);
    // Window coordinates are points; a high-density drawable has more pixels than points.
    int ww = 1, wh = 1;
    SDL_GetWindowSize(g_window, &ww, &wh);
    g_pointer.fit(g_box, ww, wh);
}

void window_to_logical(int wx, int wy, int& lx, int& ly) {
    if (!g_open) {
        lx = wx;
        ly = wy;
        return;
    }
    g_pointer.seen(wx, wy);
    lx = g_pointer.x();
    ly = g_pointer.y();
}

bool ensure_window() {
    if (g_context) return true;
    // In order of preference; the first that can be made is kept.
    struct choice {
        const char* name;
        int profile, major, minor;
    };
    static const choice choices[] = {
        {"OpenGL 3.3 core", SDL_GL_CONTEXT_PROFILE_CORE, 3, 3},
        {"OpenGL ES 3.0", SDL_GL_CONTEXT_PROFILE_ES, 3, 0},
    };
    g_failure.clear();
    for (const choice* c = std::begin(choices); c != std::end(choices) && !g_context; ++c) {
        SDL_GL_ResetAttributes();
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, c->profile);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, c->major);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, c->minor);
#if defined(__APPLE__)
        // macOS makes a core context only when it is asked for without the old calls.
        if (c->profile == SDL_GL_CONTEXT_PROFILE_CORE)
            SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, SDL_GL_CONTEXT_FORWARD_COMPATIBLE_FLAG);
#endif
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
        g_window = SDL_CreateWindow("Vexlume 2", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                    640, 480,
                                    SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN |
                                        SDL_WINDOW_ALLOW_HIGHDPI |
                                        (sdl::page_canvas ? SDL_WINDOW_RESIZABLE : 0));
        if (!g_window) {
            g_failure = std::string("no window: ") + SDL_GetError();
            fprintf(stderr, "media: cannot create a window: %s\n", SDL_GetError());
            return false;
        }
        g_context = SDL_GL_CreateContext(g_window);
        if (g_context) {
            const char* v = reinterpret_cast<const char*>(glGetString(GL_VERSION));
            render_set_context_name(std::string(c->name) + " (" + (v ? v : "?") + ")");
            break;
        }
        if (!g_failure.empty()) g_failure += "; ";
        g_failure += std::string("no ") + c->name + " context: " + SDL_GetError();
        SDL_DestroyWindow(g_window);
        g_window = nullptr;
    }
    if (!g_context) {
        fprintf(stderr, "media: %s\n", g_failure.c_str());
        return false;
    }
    g_failure.clear();
    SDL_GL_MakeCurrent(g_window, g_context);
    // The game paces itself to 20 ms frames; waiting for the display would fight that.
    SDL_GL_SetSwapInterval(0);
    render_reset_state();
    g_box = letterbox_fit(640, 480, 640, 480);
    render_set_screen(g_box);
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

void sdl_set_present_hook(void (*hook)()) { g_present_hook = hook; }

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

bool open(int width, int height, int depth, int) {
    if (width <= 0 || height <= 0 || !sdl::ensure_window()) {
        close();
        return false;
    }
    bool full = depth != 0;
    if (sdl::page_canvas) {
        // The canvas keeps the page's size; the game's screen is fitted into it below.
    } else if (full) {
        // Cover the monitor the window is on with a borderless window, and ask the window
        // manager for its full-screen state too (where there is one, panels then stay below).
        SDL_Rect r{0, 0, 640, 480};
        int display = std::max(SDL_GetWindowDisplayIndex(g_window), 0);
        if (SDL_GetDisplayBounds(display, &r) != 0) {
            fprintf(stderr, "media: cannot find the monitor: %s\n", SDL_GetError());
            close();
            return false;
        }
        SDL_SetWindowBordered(g_window, SDL_FALSE);
        SDL_SetWindowPosition(g_window, r.x, r.y);
        SDL_SetWindowSize(g_window, r.w, r.h);
        SDL_ShowWindow(g_window);
        SDL_SetWindowFullscreen(g_window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        SDL_PumpEvents();
        int w = 0, h = 0;
        SDL_GetWindowSize(g_window, &w, &h);
        if (w != r.w || h != r.h) {
            // No window manager took it full screen: the borderless window does the job.
            SDL_SetWindowFullscreen(g_window, 0);
            SDL_SetWindowPosition(g_window, r.x, r.y);
            SDL_SetWindowSize(g_window, r.w, r.h);
        }
    } else {
        if (SDL_GetWindowFlags(g_window) & SDL_WINDOW_FULLSCREEN)
            SDL_SetWindowFullscreen(g_window, 0);
        SDL_SetWindowBordered(g_window, SDL_TRUE);
        SDL_SetWindowSize(g_window, width, height);
        SDL_SetWindowPosition(g_window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    SDL_ShowWindow(g_window);
    SDL_RaiseWindow(g_window);
    SDL_PumpEvents();
    g_open = true;
    g_width = width;
    g_height = height;
    sdl::video_resized();
    // GL picks up the window's new size at a swap; one black frame makes the next the
    // right size.
    clear(0, 0, 0);
    SDL_GL_SwapWindow(g_window);
    sdl::video_resized();
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
std::string failure() { return g_failure; }
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
    sdl::frame_begun();
    if (!g_box.identity()) {
        // The bars outside the game's screen stay black whatever colour it clears to.
        sdl::render_clear_all();
        glClearColor(0, 0, 0, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        if (r == 0 && g == 0 && b == 0) return;
    }
    sdl::render_unclip();
    glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void present() {
    if (g_open) sdl::render_glow();
    if (g_present_hook) g_present_hook();
    if (g_open) SDL_GL_SwapWindow(g_window);
    sdl::frame_done(true);
    // A loop that reads no input still answers the window system, and a close, each frame.
    pump_events();
}

void skip_present() {
    sdl::frame_done(false);
    pump_events();
}

void step_begin() {}

bool set_swap_sync(bool on) { return g_open && sdl::swap_sync(on); }

int refresh_rate() {
    SDL_DisplayMode m;
    int display = g_window ? std::max(SDL_GetWindowDisplayIndex(g_window), 0) : 0;
    if (SDL_GetCurrentDisplayMode(display, &m) != 0) return 0;
    return m.refresh_rate;
}

void pointer_visible(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void pointer_move(int x, int y) {
    if (!g_open) return;
    int wx = 0, wy = 0;
    g_pointer.place(x, y, wx, wy);
    SDL_WarpMouseInWindow(g_window, wx, wy);
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
    // The real pixels under those game pixels; each game pixel takes the one at its centre.
    int rx = 0, ry = 0, rw = 0, rh = 0;
    g_box.rect_to_real(x0, y0, cw, ch, rx, ry, rw, rh);
    rw = std::min(rw, g_box.real_w - rx);
    rh = std::min(rh, g_box.real_h - ry);
    if (rw <= 0 || rh <= 0) return out;
    std::vector<uint8_t> rows(size_t(rw) * rh * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(rx, g_box.real_h - ry - rh, rw, rh, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    bool same = g_box.identity();
    for (int r = 0; r < ch; ++r) {
        int sy = r;
        if (!same) {
            float fx = 0, fy = 0;
            g_box.to_real(0, float(y0 + r), fx, fy);
            sy = std::clamp(int(fy) - ry, 0, rh - 1);
        }
        const uint8_t* src = &rows[size_t(rh - 1 - sy) * rw * 4]; // GL's rows run bottom up
        uint8_t* dst = &out[(size_t(y0 - y + r) * w + (x0 - x)) * 4];
        if (same) {
            memcpy(dst, src, size_t(cw) * 4);
            continue;
        }
        for (int c = 0; c < cw; ++c) {
            float fx = 0, fy = 0;
            g_box.to_real(float(x0 + c), 0, fx, fy);
            int sx = std::clamp(int(fx) - rx, 0, rw - 1);
            memcpy(dst + size_t(c) * 4, src + size_t(sx) * 4, 4);
        }
    }
    return out;
}

} // namespace backend
