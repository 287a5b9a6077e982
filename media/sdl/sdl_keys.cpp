// The event loop: keys become the game's virtual-key numbers, mouse and window events go
// to the input state, joypad events to sdl_pads.cpp.
#include "media/backend.h"
#include "media/input.h"
#include "media/sdl/sdl_internal.h"

#include <utility>

namespace {

struct key_pair {
    SDL_Keycode sym;
    int code;
};

constexpr key_pair named_keys[] = {
    {SDLK_ESCAPE, 27},       {SDLK_RETURN, 13},      {SDLK_KP_ENTER, 13},
    {SDLK_RETURN2, 13},      {SDLK_SPACE, 32},       {SDLK_BACKSPACE, 8},
    {SDLK_TAB, 9},           {SDLK_LEFT, 37},        {SDLK_UP, 38},
    {SDLK_RIGHT, 39},        {SDLK_DOWN, 40},        {SDLK_KP_0, 96},
    {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107},    {SDLK_KP_MINUS, 109},
    {SDLK_KP_PERIOD, 110},   {SDLK_KP_DECIMAL, 110}, {SDLK_KP_DIVIDE, 111},
    {SDLK_INSERT, 45},       {SDLK_DELETE, 46},      {SDLK_HOME, 36},
    {SDLK_END, 35},          {SDLK_PAGEUP, 33},      {SDLK_PAGEDOWN, 34},
    {SDLK_PAUSE, 19},        {SDLK_CAPSLOCK, 20},    {SDLK_NUMLOCKCLEAR, 144},
    {SDLK_SCROLLLOCK, 145},  {SDLK_PRINTSCREEN, 44}, {SDLK_LGUI, 91},
    {SDLK_RGUI, 92},         {SDLK_APPLICATION, 93}, {SDLK_SEMICOLON, 186},
    {SDLK_EQUALS, 187},      {SDLK_COMMA, 188},      {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},      {SDLK_SLASH, 191},      {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219}, {SDLK_BACKSLASH, 220},  {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},
};

int key_from_sym(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return k;
    if (k >= SDLK_F1 && k <= SDLK_F12) return 112 + (k - SDLK_F1);
    if (k >= SDLK_F13 && k <= SDLK_F24) return 124 + (k - SDLK_F13);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return 97 + (k - SDLK_KP_1);
    for (const key_pair& p : named_keys)
        if (p.sym == k) return p.code;
    return 0;
}

// The symbol the key would carry on a US layout, for keys whose own symbol has no code
// (an umlaut, a Cyrillic letter): the game then still sees the key at that place.
constexpr std::pair<SDL_Scancode, SDL_Keycode> us_punctuation[] = {
    {SDL_SCANCODE_MINUS, SDLK_MINUS},
    {SDL_SCANCODE_EQUALS, SDLK_EQUALS},
    {SDL_SCANCODE_LEFTBRACKET, SDLK_LEFTBRACKET},
    {SDL_SCANCODE_RIGHTBRACKET, SDLK_RIGHTBRACKET},
    {SDL_SCANCODE_BACKSLASH, SDLK_BACKSLASH},
    {SDL_SCANCODE_NONUSBACKSLASH, SDLK_BACKSLASH},
    {SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON},
    {SDL_SCANCODE_APOSTROPHE, SDLK_QUOTE},
    {SDL_SCANCODE_GRAVE, SDLK_BACKQUOTE},
    {SDL_SCANCODE_COMMA, SDLK_COMMA},
    {SDL_SCANCODE_PERIOD, SDLK_PERIOD},
    {SDL_SCANCODE_SLASH, SDLK_SLASH},
};

SDL_Keycode us_symbol(SDL_Scancode sc) {
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return SDLK_a + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return SDLK_1 + (sc - SDL_SCANCODE_1);
    if (sc == SDL_SCANCODE_0) return SDLK_0;
    for (const auto& [code, sym] : us_punctuation)
        if (code == sc) return sym;
    return SDL_SCANCODE_TO_KEYCODE(sc); // keys without a printed symbol
}

// A modifier has a left code, a right code and a shared one held while either side is.
struct modifier {
    int shared, left, right;
    bool left_down = false, right_down = false;

    void set(bool is_left, bool down) {
        bool before = left_down || right_down;
        (is_left ? left_down : right_down) = down;
        input_key(is_left ? left : right, down);
        bool after = left_down || right_down;
        if (after != before) input_key(shared, after);
    }
};

modifier g_shift{16, 160, 161};
modifier g_control{17, 162, 163};
modifier g_alt{18, 164, 165};

void key_event(const SDL_KeyboardEvent& e) {
    if (e.repeat) return;
    bool down = e.state == SDL_PRESSED;
    switch (e.keysym.sym) {
    case SDLK_LSHIFT:
        g_shift.set(true, down);
        return;
    case SDLK_RSHIFT:
        g_shift.set(false, down);
        return;
    case SDLK_LCTRL:
        g_control.set(true, down);
        return;
    case SDLK_RCTRL:
        g_control.set(false, down);
        return;
    case SDLK_LALT:
        g_alt.set(true, down);
        return;
    case SDLK_RALT:
        g_alt.set(false, down);
        return;
    default:
        break;
    }
    int code = key_from_sym(e.keysym.sym);
    if (code == 0) code = key_from_sym(us_symbol(e.keysym.scancode));
    if (code != 0) input_key(code, down);
}

int mouse_button(Uint8 b) {
    switch (b) {
    case SDL_BUTTON_LEFT:
        return 1;
    case SDL_BUTTON_RIGHT:
        return 2;
    case SDL_BUTTON_MIDDLE:
        return 3;
    default:
        return 0;
    }
}

} // namespace

void sdl::keys_reset() {
    for (modifier* m : {&g_shift, &g_control, &g_alt}) m->left_down = m->right_down = false;
}

namespace backend {

// Every input read lands here, and a menu may read all 256 keys in one frame: the window
// system is asked at most once a millisecond, while events already queued (pushed ones
// included) are always taken at once.
void pump_events() {
    static int64_t last_pump = -1000000;
    int64_t now = now_us();
    if (now - last_pump >= 1000) {
        SDL_PumpEvents();
        last_pump = now;
    }
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            key_event(e.key);
            break;
        case SDL_MOUSEMOTION: {
            int x = 0, y = 0;
            sdl::window_to_logical(e.motion.x, e.motion.y, x, y);
            input_mouse_move(x, y);
            break;
        }
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) sdl::video_resized();
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) input_focus_lost();
            // A page's hidden tab may never have had the focus to lose.
            if (sdl::page_canvas && e.window.event == SDL_WINDOWEVENT_HIDDEN) input_focus_lost();
            break;
        case SDL_DROPFILE:
            input_file_dropped(e.drop.file);
            SDL_free(e.drop.file);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (int b = mouse_button(e.button.button))
                input_mouse_button(b, e.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_QUIT:
            media_window_closed();
            break;
        default:
            sdl::pads_handle(e);
            break;
        }
    }
}

} // namespace backend
