// Up to four joypads on ports 0-3, plugged in and out while the game runs. A pad SDL knows
// as a game controller is read through its mapping, so every such pad reports the same
// slots and buttons and the default settings work; other joysticks report raw axes.
#include "media/input.h"
#include "media/sdl/sdl_internal.h"

#include <algorithm>

namespace {

struct pad {
    SDL_JoystickID id = -1; // -1: port free
    SDL_GameController* controller = nullptr;
    SDL_Joystick* joystick = nullptr;
    bool has_hat = false;
};

pad g_pads[JOY_PORTS];

float axis_value(Sint16 v) { return std::clamp(v / 32767.0f, -1.0f, 1.0f); }

int port_of(SDL_JoystickID id) {
    for (int p = 0; p < JOY_PORTS; ++p)
        if (g_pads[p].id == id) return p;
    return -1;
}

// Left stick on X/Y, right stick on R (across) and Z (down), triggers on U and V.
constexpr int slot_of_axis[SDL_CONTROLLER_AXIS_MAX] = {0, 1, 3, 2, 4, 5};
static_assert(SDL_CONTROLLER_AXIS_LEFTX == 0 && SDL_CONTROLLER_AXIS_RIGHTY == 3 &&
              SDL_CONTROLLER_AXIS_TRIGGERRIGHT == 5);

int controller_slot(int axis) {
    return axis >= 0 && axis < SDL_CONTROLLER_AXIS_MAX ? slot_of_axis[axis] : -1;
}

// The game's buttons 0-15. West, north, east, south face first: the defaults fire with
// 0-3 and bomb with 4 (right shoulder); the analog scheme's option and bomb are 1 and 2.
constexpr SDL_GameControllerButton button_order[JOY_BUTTONS] = {
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
    SDL_CONTROLLER_BUTTON_GUIDE,
    SDL_CONTROLLER_BUTTON_DPAD_UP,
    SDL_CONTROLLER_BUTTON_DPAD_DOWN,
    SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
    SDL_CONTROLLER_BUTTON_MISC1,
};

int controller_button(int b) {
    for (int i = 0; i < JOY_BUTTONS; ++i)
        if (button_order[i] == b) return i;
    return -1;
}

// Raw axes fill the slots in order; slot 11 is never read by the game, so it is skipped.
// The first hat's across reading owns the hat slot.
int joystick_slot(const pad& p, int axis) {
    int slot = axis < 11 ? axis : axis + 1;
    if (slot >= JOY_SLOTS || (slot == 9 && p.has_hat)) return -1;
    return slot;
}

float hat_x(Uint8 hat) {
    return (hat & SDL_HAT_LEFT) ? -1.0f : (hat & SDL_HAT_RIGHT) ? 1.0f : 0.0f;
}

// Opening a pad reports where its sticks and buttons already are.
void report_state(int port) {
    pad& p = g_pads[port];
    if (p.controller) {
        for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a)
            if (int s = controller_slot(a); s >= 0)
                input_joy_slot(
                    port, s,
                    axis_value(SDL_GameControllerGetAxis(p.controller, SDL_GameControllerAxis(a))));
        for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b)
            if (int g = controller_button(b); g >= 0)
                input_joy_button(
                    port, g,
                    SDL_GameControllerGetButton(p.controller, SDL_GameControllerButton(b)));
        return;
    }
    for (int a = 0; a < SDL_JoystickNumAxes(p.joystick); ++a)
        if (int s = joystick_slot(p, a); s >= 0)
            input_joy_slot(port, s, axis_value(SDL_JoystickGetAxis(p.joystick, a)));
    for (int b = 0; b < std::min(SDL_JoystickNumButtons(p.joystick), JOY_BUTTONS); ++b)
        input_joy_button(port, b, SDL_JoystickGetButton(p.joystick, b));
    if (p.has_hat) input_joy_slot(port, 9, hat_x(SDL_JoystickGetHat(p.joystick, 0)));
}

// Gives every attached device not yet on a port the first free port, in device order.
void open_new_pads() {
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        if (id < 0 || port_of(id) >= 0) continue;
        int port = port_of(-1);
        if (port < 0) return;
        pad& p = g_pads[port];
        if (SDL_IsGameController(i)) p.controller = SDL_GameControllerOpen(i);
        p.joystick =
            p.controller ? SDL_GameControllerGetJoystick(p.controller) : SDL_JoystickOpen(i);
        if (!p.joystick) {
            p = pad{};
            continue;
        }
        p.id = SDL_JoystickInstanceID(p.joystick);
        p.has_hat = !p.controller && SDL_JoystickNumHats(p.joystick) > 0;
        input_joy_plug(port, true);
        report_state(port);
    }
}

void close_pad(int port) {
    pad& p = g_pads[port];
    if (p.controller)
        SDL_GameControllerClose(p.controller);
    else if (p.joystick)
        SDL_JoystickClose(p.joystick);
    p = pad{};
    input_joy_plug(port, false);
}

} // namespace

namespace sdl {

// A game controller sends both joystick and controller events; only the controller's are
// read for it, only the joystick's for the others.
bool pads_handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_JOYDEVICEADDED:
        open_new_pads();
        return true;
    case SDL_JOYDEVICEREMOVED:
        if (int port = port_of(e.jdevice.which); port >= 0) {
            close_pad(port);
            open_new_pads(); // a fifth pad may now have a port
        }
        return true;
    case SDL_CONTROLLERAXISMOTION: {
        int port = port_of(e.caxis.which), slot = controller_slot(e.caxis.axis);
        if (port >= 0 && g_pads[port].controller && slot >= 0)
            input_joy_slot(port, slot, axis_value(e.caxis.value));
        return true;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        int port = port_of(e.cbutton.which), button = controller_button(e.cbutton.button);
        if (port >= 0 && g_pads[port].controller && button >= 0)
            input_joy_button(port, button, e.cbutton.state == SDL_PRESSED);
        return true;
    }
    case SDL_JOYAXISMOTION: {
        int port = port_of(e.jaxis.which);
        if (port < 0 || g_pads[port].controller) return true;
        if (int slot = joystick_slot(g_pads[port], e.jaxis.axis); slot >= 0)
            input_joy_slot(port, slot, axis_value(e.jaxis.value));
        return true;
    }
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP: {
        int port = port_of(e.jbutton.which);
        if (port >= 0 && !g_pads[port].controller && e.jbutton.button < JOY_BUTTONS)
            input_joy_button(port, e.jbutton.button, e.jbutton.state == SDL_PRESSED);
        return true;
    }
    case SDL_JOYHATMOTION: {
        int port = port_of(e.jhat.which);
        if (port >= 0 && !g_pads[port].controller && e.jhat.hat == 0)
            input_joy_slot(port, 9, hat_x(e.jhat.value));
        return true;
    }
    default:
        return false;
    }
}

void pads_close_all() {
    for (int p = 0; p < JOY_PORTS; ++p)
        if (g_pads[p].id >= 0) close_pad(p);
}

} // namespace sdl
