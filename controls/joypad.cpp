#include "controls/joypad.h"

#include "controls/controls.h"
#include "media/media.h"

const char* const axis_names[16] = {"null",      "JoyX()",     "JoyY()",     "JoyZ()",
                                    "JoyR()",    "JoyU()",     "JoyV()",     "JoyYaw()",
                                    "JoyPitch()", "JoyRoll()", "JoyHat()",   "JoyWheel()",
                                    "JoyAxis12()", "JoyAxis13()", "JoyAxis14()", "JoyAxisl5()"};

bbjoypad joypads[4];
active_pad_t active_pad;

float joy_axis(int port, int axis_index, int invert, float scale, float centre) {
    // No axis is no input: a centre left on it must not drift the ship.
    if (axis_index < 0 || axis_index > 14) return 0;
    // Slot 11 is never read: axis numbers 12-15 sit on slots 12-15.
    float raw = joy_slot(port, axis_index <= 10 ? axis_index : axis_index + 1);
    if (scale == 0) scale = 1; // a zero scale from a hand-edited file must not divide by zero
    return float(invert) * (raw / scale) - centre;
}

void apply_joypad_config() {
    int port = used_port >= 0 && used_port <= 3 ? used_port : 0;
    const bbjoypad& p = joypads[port];
    active_pad.axis[0] = p.move_x_axis - 1;
    active_pad.axis[1] = p.move_y_axis - 1;
    active_pad.axis[2] = p.fire_x_axis - 1;
    active_pad.axis[3] = p.fire_y_axis - 1;
    for (int i = 0; i < 4; i++) {
        active_pad.invert[i] = p.invert[i];
        active_pad.scale[i] = p.scale[i];
        active_pad.centre[i] = p.centre[i];
        active_pad.dead_zone[i] = p.dead_zone[i];
    }
    active_pad.bomb_button = p.bomb_button;
    active_pad.option_button = p.option_button;
}
