// SDL virtual joysticks for the real-window tests: pads without hardware, on SDL's own
// event path.
#pragma once

#include "media/media.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

namespace {

// Pad changes reach SDL's queue when SDL pumps; the layer pumps at most once a millisecond.
void pad_sync() {
    SDL_PumpEvents();
    poll_events();
}

struct virtual_pad {
    int device = -1;
    SDL_Joystick* handle = nullptr;

    // As a game controller, with the buttons and axes in SDL's own order.
    static virtual_pad controller() {
        virtual_pad p = attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                               SDL_CONTROLLER_BUTTON_MAX, 0, "vexlume test controller");
        char guid[64];
        SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(p.device), guid, sizeof guid);
        std::string map = std::string(guid) +
                          ",vexlume test controller,a:b0,b:b1,x:b2,y:b3,back:b4,guide:b5,"
                          "start:b6,leftstick:b7,rightstick:b8,leftshoulder:b9,"
                          "rightshoulder:b10,dpup:b11,dpdown:b12,dpleft:b13,dpright:b14,"
                          "misc1:b15,leftx:a0,lefty:a1,rightx:a2,righty:a3,lefttrigger:a4,"
                          "righttrigger:a5";
        SDL_GameControllerAddMapping(map.c_str());
        return p;
    }
    static virtual_pad stick(const char* name) {
        return attach(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 13, 16, 1, name);
    }
    static virtual_pad attach(SDL_JoystickType type, int axes, int buttons, int hats,
                              const char* name) {
        SDL_VirtualJoystickDesc d{};
        d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        d.type = Uint16(type);
        d.naxes = Uint16(axes);
        d.nbuttons = Uint16(buttons);
        d.nhats = Uint16(hats);
        d.name = name;
        virtual_pad p;
        p.device = SDL_JoystickAttachVirtualEx(&d);
        EXPECT_GE(p.device, 0) << SDL_GetError();
        p.handle = SDL_JoystickOpen(p.device);
        EXPECT_NE(p.handle, nullptr) << SDL_GetError();
        return p;
    }
    void detach() {
        int index = -1;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(handle)) index = i;
        SDL_JoystickClose(handle);
        handle = nullptr;
        SDL_JoystickDetachVirtual(index);
    }
    void button(int b, bool down) { SDL_JoystickSetVirtualButton(handle, b, down); }
    void axis(int a, Sint16 v) { SDL_JoystickSetVirtualAxis(handle, a, v); }
    void hat(Uint8 v) { SDL_JoystickSetVirtualHat(handle, 0, v); }
};

} // namespace
