#include "player/ship.h"

#include "media/media.h"
#include "shell/display.h"
#include "shell/play_frame.h"

float player_x = 512, player_y = 384, ship_angle = 0;
int shield_timer = 0;
int cannons = 2, fire_delay = 0;
float shot_speed = 3;
int reverse_timer = 0, side_timer = 0, super_timer = 0, bouncy_timer = 0, powerup_duration = 16;

void centre_ship() {
    player_x = float(field_width / 2);
    player_y = float(field_height / 2);
    camera_x = (field_width - screen_width) / 2;
    camera_y = (field_height - screen_height) / 2;
}

void draw_ship(int x, int y, float angle) {
    set_blend(BLEND_LIGHT);
    set_color(255, 255, 255);
    set_rotation(angle);
    draw_image(img_whiteplayer, float(x - camera_x), float(y - camera_y));
    set_rotation(0);
}
