// What the browser does where the desktop differs (media/sdl/sdl_platform.cpp). The page runs
// one thread: every loop of the game hands the tab back at each presented frame and while it
// waits (asyncify unwinds the stack there), so nothing the game does can freeze the tab.
#include "media/backend.h"
#include "media/input.h"
#include "media/sdl/sdl_internal.h"

#include <emscripten.h>

#include <algorithm>

namespace {

int64_t last_yield = 0;
bool frame_open = false;     // cleared for a frame that is not yet presented
int64_t deferred_until = 0;  // a wait asked for while the frame was open
bool sync_frames = false; // presents wait for the browser's next frame
// Presented frames since play last asked for the pointer; the lock goes after half a second.
int capture_frames = -1;
constexpr int CAPTURE_LAPSE = 25;
// Steps run undrawn (a replay checked fast) still give the page a turn this often.
constexpr int64_t UNDRAWN_YIELD_US = 30000;
// A cleared frame that waits this long without a present yields all the same.
constexpr int64_t OPEN_FRAME_LIMIT_US = 250000;

void yield_ms(unsigned ms) {
    emscripten_sleep(ms);
    last_yield = backend::now_us();
}

EM_ASYNC_JS(void, next_browser_frame, (), {
    await new Promise(function(shown) { requestAnimationFrame(function() { shown(); }); });
});

} // namespace

namespace backend {

int64_t now_us() { return int64_t(emscripten_get_now() * 1000.0); }

void sleep_until_us(int64_t deadline_us) {
    // The page shows the canvas at every yield: halfway through a frame (a menu paces between
    // drawing and presenting) it would show half of it. That wait comes after the present,
    // unless no present came for so long that the tab must have its turn anyway.
    if (frame_open && now_us() - last_yield < OPEN_FRAME_LIMIT_US) {
        deferred_until = std::max(deferred_until, deadline_us);
        return;
    }
    int64_t now = now_us();
    if (deadline_us > now) yield_ms(unsigned((deadline_us - now + 999) / 1000));
}

// Saves reach the browser's storage in one transaction each, so a file is whole or absent.
void files_changed() {
    EM_ASM({
        if (Module.vexSync) Module.vexSync();
    });
}

// A tab may close at any moment: what changed is saved now.
void keep_point() { media_keep_now(); }

// The browser's pointer lock: asked for now, granted at the player's next click or key. Locked,
// the pointer's moves add up from wherever the game last put it, as the desktop's warps do.
void pointer_capture(bool on) {
    if (!on) return;
    if (capture_frames < 0) SDL_SetRelativeMouseMode(SDL_TRUE);
    capture_frames = 0;
}

} // namespace backend

// The canvas shows what was drawn only once the page has its turn.
void sdl::frame_begun() { frame_open = true; }

void sdl::frame_done(bool shown) {
    frame_open = false;
    int64_t deferred = deferred_until;
    deferred_until = 0;
    if (shown && capture_frames >= 0 && ++capture_frames > CAPTURE_LAPSE) {
        SDL_SetRelativeMouseMode(SDL_FALSE);
        capture_frames = -1;
    }
    if (shown && sync_frames) {
        next_browser_frame();
        last_yield = backend::now_us();
    } else if (deferred <= backend::now_us() &&
               (shown || backend::now_us() - last_yield >= UNDRAWN_YIELD_US)) {
        yield_ms(0);
    }
    backend::sleep_until_us(deferred);
}

// The browser's frame clock paces the presents when the game asks for the monitor's.
bool sdl::swap_sync(bool on) {
    sync_frames = on;
    return true;
}

// Called by the page (media/web/shell.js).
extern "C" {

// A replay file the player dropped on the page or chose, already in the page's file system.
EMSCRIPTEN_KEEPALIVE void web_file_dropped(const char* path) {
    SDL_Event e{};
    e.type = SDL_DROPFILE;
    e.drop.file = SDL_strdup(path);
    if (SDL_PushEvent(&e) != 1) SDL_free(e.drop.file);
}

// The tab is hidden and may be closed without a word.
EMSCRIPTEN_KEEPALIVE void web_page_hidden() { media_keep_now(); }
}
