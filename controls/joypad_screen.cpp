// The "Dual Stick Configuration" screen: the four pad records, edited by mouse and keys,
// with the axis wizard, live stick dots and a raw-axis overlay.
#include "controls/config.h"
#include "controls/controls.h"
#include "controls/joypad.h"
#include "controls/settings_screens.h"
#include "media/media.h"
#include "shell/display.h"
#include "shell/game_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

int selected_stick = 0;
int wizard_running = 0, wizard_step = 0;
int option_capture = 0, bomb_capture = 0;

namespace {

int screen_frame = 0;
bool leaving = false;

struct area {
    int x, y, w, h;
};

// Where the mouse is on the panel, and whether its 4 x 4 square touches an area.
int panel_mx = 0, panel_my = 0;
bool hovered(const area& a) {
    return panel_mx + 4 > a.x && panel_mx < a.x + a.w && panel_my + 4 > a.y && panel_my < a.y + a.h;
}

void outline_hover(const area& a) {
    if (!hovered(a)) return;
    set_color(255, 0, 0);
    draw_outline(float(a.x), float(a.y), float(a.w), float(a.h));
}

void fill(const area& a, int r, int g, int b) {
    set_color(r, g, b);
    draw_rect(float(a.x), float(a.y), float(a.w), float(a.h));
}

void outline(const area& a, int r, int g, int b) {
    set_color(r, g, b);
    draw_outline(float(a.x), float(a.y), float(a.w), float(a.h));
}

void text(const std::string& s, int x, int y, int r = 255, int g = 255, int b = 255) {
    set_color(r, g, b);
    draw_text(s, float(x), float(y));
}

std::string real_text(float v) {
    char buf[32];
    snprintf(buf, sizeof buf, "%.2f", double(v));
    return buf;
}

bbjoypad& pad() { return joypads[std::clamp(used_port, 0, 3)]; }

int* axis_of(bbjoypad& p, int field) {
    int* axes[4] = {&p.move_x_axis, &p.move_y_axis, &p.fire_x_axis, &p.fire_y_axis};
    return axes[field];
}

const char* const help_lines[9] = {
    "Select controller port (0 for  single joypad)",
    "others are only needed for multiple joypads.",
    "Assign controls by clicking AXIS WIZARD or individually",
    "cycle through available controls by left clicking on the axis box.",
    "Right click on a box to toggle invert On or Off.",
    "Blue box is normal, Orange box indicates an inverted axis.",
    "Click on Stick 1/2 boxes and use cursor keys to adjust centering and",
    "Dead Zone.  Make sure the red dot is in the green square when at rest.",
    "If it drifts, press SHIFT+Cursor Keys to adjust Dead Zone.",
};
const char* const raw_lines[13] = {
    "1.  JoyX()      : ", "2.  JoyY()      : ", "3.  JoyZ()      : ", "4.  JoyR()      : ",
    "5.  JoyU()      : ", "6.  JoyV()      : ", "7.  JoyPitch()  : ", "8.  JoyRoll()   : ",
    "9.  JoyYaw()    : ", "10. JoyHat()    : ", "11. JoyWheel()  : ", "12. JoyAxis12()  : ",
    "13. JoyAxis13()  : "};

const area port_boxes[4] = {
    {110, 175, 45, 25}, {160, 175, 45, 25}, {210, 175, 45, 25}, {260, 175, 45, 25}};
const area wizard_button{10, 225, 135, 25}, option_button{180, 225, 100, 25},
    bomb_button{320, 225, 100, 25};
const area stick_boxes[2] = {{10, 275, 100, 100}, {250, 275, 100, 100}};
// Axis boxes in field order: stick 1 X, stick 1 Y, stick 2 X, stick 2 Y.
const area axis_boxes[4] = {
    {10, 395, 175, 14}, {10, 415, 175, 14}, {250, 395, 175, 14}, {250, 415, 175, 14}};
const int scale_values[3] = {1, 180, 255};
area scale_button(int field, int k) {
    int stick_x = field < 2 ? 10 : 250;
    return {stick_x + 50 * k, field % 2 == 0 ? 455 : 495, 45, 20};
}
const area text_buttons[4] = {
    {490, 315, 110, 20}, {490, 340, 110, 20}, {490, 365, 110, 20}, {490, 390, 110, 20}};
const char* const text_button_labels[4] = {"(D)ebug", "(S)ave Config", "(L)oad Config", "(E)xit"};

void draw_debug_overlay() {
    fill({0, 25, 640, 297}, 16, 16, 16);
    fill({40, 30, 300, 280}, 48, 48, 48);
    for (int k = 0; k < 13; k++) {
        // Line k is axis number k + 1, so the last two sit on slots 12 and 13.
        float v = joy_axis(used_port, k, 1, 1, 0);
        int y = 50 + 20 * k;
        text(raw_lines[k] + real_text(v), 50, y);
        set_color(0, 200, 0);
        float len = v * 100.0f;
        draw_rect(len < 0 ? 180 + len : 180, float(y + 16), std::fabs(len), 3);
    }
}

void draw_static() {
    bbjoypad& p = pad();
    text("Dual Stick Configuration", 170, 10);
    fill({10, 32, 600, 130}, 128, 128, 128);
    for (int k = 0; k < 9; k++) text(help_lines[k], 15, 35 + 12 * k, 0, 0, 0);

    text("Controller:", 10, 180);
    for (int n = 0; n < 4; n++) {
        if (n == used_port) fill(port_boxes[n], 35, 65, 115);
        outline(port_boxes[n], 0, 0, 100);
        text(std::to_string(n), 127 + 50 * n, 183);
        outline_hover(port_boxes[n]);
    }

    struct button {
        const area& a;
        std::string label;
        int text_x;
        int active;
    };
    const button buttons[3] = {
        {wizard_button, "AXIS WIZARD", 25, wizard_running},
        {option_button, "OPTION = " + std::to_string(p.option_button + 1), 190, option_capture},
        {bomb_button, "BOMB = " + std::to_string(p.bomb_button + 1), 330, bomb_capture}};
    for (const button& b : buttons) {
        if (b.active) fill(b.a, 100, 100, 100);
        outline(b.a, 255, 255, 255);
        text(b.label, b.text_x, 230);
        outline_hover(b.a);
    }

    for (int s = 0; s < 2; s++) {
        const area& box = stick_boxes[s];
        int tx = s == 0 ? 120 : 360;
        if (selected_stick == s + 1) fill(box, 100, 100, 100);
        outline(box, 255, 255, 255);
        outline({box.x + 42, 317, 16, 16}, 0, 255, 0);
        outline_hover(box);
        text("DZ " + std::to_string(s + 1), tx, 270, 255, 32, 32);
        text("C " + std::to_string(s + 1), tx, 330, 255, 32, 32);
        text("X: " + real_text(p.dead_zone[2 * s]), tx, 290, 32, 32, 240);
        text("Y: " + real_text(p.dead_zone[2 * s + 1]), tx, 305, 32, 32, 240);
        text("X: " + real_text(p.centre[2 * s]), tx, 350, 32, 32, 240);
        text("Y: " + real_text(p.centre[2 * s + 1]), tx, 365, 32, 32, 240);
        text("Stick " + std::to_string(s + 1), box.x, 380);
    }

    for (int f = 0; f < 4; f++) {
        const area& a = axis_boxes[f];
        if (p.invert[f] == -1)
            fill(a, 255, 128, 0);
        else
            fill(a, 50, 65, 220);
        int axis = std::clamp(*axis_of(p, f), 0, 15);
        text(std::string(f % 2 == 0 ? "X axis: " : "Y axis: ") + axis_names[axis], a.x + 10,
             a.y + 1);
        outline_hover(a);
    }

    for (int s = 0; s < 2; s++) {
        int x = s == 0 ? 10 : 250;
        text("X Scaling Factor", x, 440);
        text("Y Scaling Factor", x, 480);
    }
    for (int f = 0; f < 4; f++)
        for (int k = 0; k < 3; k++) {
            area b = scale_button(f, k);
            fill(b, 35, 65, 115);
            outline(b, 0, 0, 100);
            std::string label = std::to_string(scale_values[k]);
            text(label, b.x + (b.w - text_width(label)) / 2, b.y + 2);
            outline_hover(b);
        }

    for (int n = 0; n < 4; n++) {
        outline(text_buttons[n], 64, 64, 64);
        text(text_button_labels[n], 493, text_buttons[n].y + 2);
        outline_hover(text_buttons[n]);
    }

    if (debug_mode) draw_debug_overlay();
}

struct wizard_stage {
    const char* prompt;
    const char* message;
    int frames;
};
const wizard_stage stages[4] = {
    {"move stick 1 left or right (Escape to Cancel)", "Stick 1 X axis assigned to ", 120},
    {"move stick 1 up or down (Escape to Cancel)", "Stick 1 Y axis assigned to ", 120},
    {"move stick 2 left or right (Escape to Cancel)", "Stick 2 X axis assigned to ", 120},
    {"move stick 2 up or down (Escape to Cancel)", "Stick 2 Y axis assigned to ", 240},
};

void wizard_frame() {
    int stage = std::clamp(wizard_step / 2, 0, 3);
    bbjoypad& p = pad();
    text(stages[stage].prompt, 180, 210, 0, 255, 0);
    int found = detect_axis(used_port, p.scale[stage]);
    if (found < 0) return;
    int* axis = axis_of(p, stage);
    if (found > 0) *axis = found;
    wizard_step++;
    status_message = stages[stage].message + std::string(axis_names[std::clamp(*axis, 0, 15)]);
    status_message_timer = stages[stage].frames;
    if (wizard_step >= 8) wizard_running = 0;
    // An Escape that came with a detected axis must not leave the screen afterwards.
    key_hit(27);
}

// The highest held pad button of the used port, or -1.
int highest_held_button() {
    int held = -1;
    for (int b = 0; b < JOY_BUTTONS; b++)
        if (joy_down(b, used_port)) held = b;
    return held;
}

void capture_frame(int& button, bool ret) {
    int held = highest_held_button();
    if (held >= 0) button = held;
    if (ret) button = button >= 15 ? 0 : button + 1;
}

void adjust_stick(bbjoypad& p) {
    if (selected_stick < 1 || selected_stick > 2) return;
    int fx = 2 * (selected_stick - 1), fy = fx + 1;
    float dx = (key_down(39) ? 0.01f : 0) - (key_down(37) ? 0.01f : 0);
    float dy = (key_down(40) ? 0.01f : 0) - (key_down(38) ? 0.01f : 0);
    if (key_down(160) || key_down(161)) {
        p.dead_zone[fx] = std::clamp(p.dead_zone[fx] + dx, 0.0f, 0.5f);
        p.dead_zone[fy] = std::clamp(p.dead_zone[fy] + dy, 0.0f, 0.5f);
    } else {
        p.centre[fx] = std::clamp(p.centre[fx] + dx, -0.9f, 0.9f);
        p.centre[fy] = std::clamp(p.centre[fy] + dy, -0.9f, 0.9f);
    }
}

void save_config() {
    // A Config.txt its owner made read-only stays as it is; say so rather than nothing.
    if (!config_save()) {
        status_message = "Config save failed.";
        status_message_timer = 120;
    }
}

void controls_frame(int left, int right) {
    bbjoypad& p = pad();
    if (left) {
        for (int f = 0; f < 4; f++)
            if (hovered(axis_boxes[f])) {
                int* axis = axis_of(p, f);
                *axis = *axis >= 15 || *axis < 0 ? 0 : *axis + 1;
            }
        for (int s = 0; s < 2; s++)
            if (hovered(stick_boxes[s])) selected_stick = selected_stick == s + 1 ? 0 : s + 1;
        for (int n = 0; n < 4; n++)
            if (hovered(port_boxes[n])) used_port = n;
        for (int f = 0; f < 4; f++)
            for (int k = 0; k < 3; k++)
                if (hovered(scale_button(f, k))) p.scale[f] = float(scale_values[k]);
        if (hovered(wizard_button)) {
            wizard_running = 1;
            wizard_step = 0;
            option_capture = bomb_capture = 0;
        }
        if (hovered(option_button)) option_capture = 1, bomb_capture = 0;
        if (hovered(bomb_button)) bomb_capture = 1, option_capture = 0;
        if (hovered(text_buttons[0])) debug_mode = !debug_mode;
        if (hovered(text_buttons[1])) save_config();
        if (hovered(text_buttons[2])) config_load();
        if (hovered(text_buttons[3])) leaving = true;
    }
    if (right)
        for (int f = 0; f < 4; f++)
            if (hovered(axis_boxes[f])) p.invert[f] = p.invert[f] == -1 ? 1 : -1;

    for (int n = 0; n < 4; n++)
        if (key_hit(49 + n)) used_port = n;
    if (key_hit(68)) debug_mode = !debug_mode;
    if (key_hit(83)) save_config();
    if (key_hit(76)) config_load();
    if (key_hit(69) || key_hit(27)) leaving = true;

    bbjoypad& q = pad(); // the port may have changed above
    bool ret = key_hit(13) > 0;
    if (option_capture) capture_frame(q.option_button, ret);
    if (bomb_capture) capture_frame(q.bomb_button, ret);
    adjust_stick(q);
}

void draw_live_sticks() {
    const bbjoypad& p = pad();
    int axes[4] = {p.move_x_axis, p.move_y_axis, p.fire_x_axis, p.fire_y_axis};
    for (int s = 0; s < 2; s++) {
        float v[2];
        for (int k = 0; k < 2; k++) {
            int f = 2 * s + k;
            v[k] = joy_axis(used_port, axes[f] - 1, p.invert[f], p.scale[f], p.centre[f]);
            if (std::fabs(v[k]) < p.dead_zone[f]) v[k] = 0;
        }
        // The reading already has its centre taken off: the dot shows what play will get.
        int x = int(stick_boxes[s].x + (v[0] + 1) * 50);
        int y = int(275 + (v[1] + 1) * 50);
        set_color(185, 0, 0);
        draw_oval(float(x - 5), float(y - 5), 10, 10);
    }
}

} // namespace

int detect_axis(int port, float factor) {
    for (int pass = 0; pass < 30; pass++) {
        for (int axis = 1; axis <= 15; axis++) {
            float r = std::fabs(joy_axis(port, axis - 1, 1, 1, 0));
            if (r > 0.5f * factor && r < 0.9f * factor) return axis;
        }
        if (key_hit(27)) return 0;
        delay(2);
    }
    return -1;
}

void joypad_screen_enter() {
    leaving = false;
    flush_keys();
    flush_mouse();
}

bool joypad_screen_frame() {
    int ox = (screen_width - 640) / 2, oy = (screen_height - 480) / 2;
    clear_screen();
    set_viewport(0, 0, screen_width, screen_height);
    set_transform(0, 1, 1);
    set_blend(BLEND_SOLID);
    set_alpha(1);
    set_line_width(1);
    set_origin(float(ox), float(oy));
    // The mouse's window place is taken as a panel place; the cross shows where that is.
    panel_mx = std::min(mouse_x(), 640);
    panel_my = std::min(mouse_y(), 550);
    int left = mouse_hit(1), right = mouse_hit(2);

    draw_static();
    if (wizard_running) {
        wizard_frame();
        // The screen's own keys do nothing meanwhile, and are not kept for afterwards.
        for (int k : {13, 49, 50, 51, 52, 68, 69, 76, 83}) key_hit(k);
    } else
        controls_frame(left, right);
    draw_live_sticks();

    draw_cursor(panel_mx, panel_my, screen_frame, 4);
    if (status_message_timer > 0) {
        text(status_message, 320, 180);
        status_message_timer--;
    }
    set_origin(0, 0);
    set_line_width(2);
    screen_frame++;
    return !leaving;
}

void joypad_config_screen() {
    joypad_screen_enter();
    bool stay = true;
    while (stay) {
        stay = joypad_screen_frame();
        pace_frame();
        flip(1);
    }
    flush_keys();
    flush_mouse();
}
