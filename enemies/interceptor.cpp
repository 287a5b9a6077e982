#include "enemies/interceptor.h"

#include "audio/sound_bank.h"
#include "shell/pose.h"

#include <cmath>
#include <cstdlib>

actor_list<interceptor> interceptor_list;

const enemy_consts interceptor::consts = {
    .spawn_sound = &snd_warn1,
    .min_dist = 120,
    .speed_lo = 0.5f,
    .speed_hi = 2.0f,
    .start_angle = -1,
    .margin = 16,
    .order = GRAVITY_ONLY,
    .seek_gain = 0,
    .separation = 800,
    .separation_step = 1,
    .speed_limit = &interceptor_speed,
    .contact = 576,
    .pull = {75, 8, 1200, 512, 16, 0.5f},
    .hit = 144,
    .points = 100,
    .kill_sound = &snd_quarkhit2,
    .kill_rate = 1,
    .sparks = 16,
    .spark_kind = 6,
    .sparks_turn = false,
    .spark_step = 0,
    .spark_scatter = 0,
    .r = 255,
    .g = 0,
    .b = 32,
    .outline = nullptr,
    .outline_points = 0,
    .outline_turn = 0,
    .outline_offset = 0,
    .image_turn = 0,
    .picture = &img_redclone,
};

int turn_towards(float x, float y, float dx, float dy, float tx, float ty) {
    int t = int(atan2_deg(ty - y, tx - x) - atan2_deg(dy, dx));
    if (t > 180) t -= 360;
    if (t < -180) t += 360;
    // A target dead behind is 179 degrees away, to the right.
    if (t > 179) t = 179;
    if (t < -179) t = 179;
    return std::abs(t) <= 5 ? 0 : t;
}

int segments_cross(float ax, float ay, float bx, float by, float cx, float cy, float ex, float ey) {
    // Each segment's ends lie on opposite sides of the other's line.
    auto side = [](float px, float py, float qx, float qy, float rx, float ry) {
        float c = (qx - px) * (ry - py) - (qy - py) * (rx - px);
        return c > 0 ? 1 : c < 0 ? -1 : 0;
    };
    int s1 = side(ax, ay, bx, by, cx, cy), s2 = side(ax, ay, bx, by, ex, ey);
    int s3 = side(cx, cy, ex, ey, ax, ay), s4 = side(cx, cy, ex, ey, bx, by);
    return s1 * s2 <= 0 && s3 * s4 <= 0 && (s1 || s2 || s3 || s4);
}

actor_list<interceptor>& interceptor::list() { return interceptor_list; }

interceptor* interceptor::create(float x, float y, int spawn_delay) {
    interceptor* c = born(x, y, consts.min_dist, spawn_delay, true);
    c->facing = int(c->angle);
    c->turn =
        turn_towards(c->x, c->y, c->dx, c->dy, float(field_width / 2), float(field_height / 2));
    // It always arrives turning, so with its shield down.
    if (std::abs(c->turn) < 16) c->turn = 16;
    c->place_shield();
    return c;
}

void interceptor::update() {
    step();
    // The bar moves with the step, so the shots that follow test the bar the player sees.
    place_shield();
}

void interceptor::step() {
    if (spawn_delay > 0) {
        spawn_delay--;
        return;
    }
    angle = std::fmod(angle + 16, 360.0f);
    if (float(rand_int(1, 100)) > 95 - interceptor_speed * 6)
        turn = turn_towards(x, y, dx, dy, player_x, player_y);
    if (turn != 0) {
        facing += 4 * sgn(float(turn));
        turn -= sgn(float(turn));
    }
    if (turn == 0 && lock_cooldown == 0) {
        lock_cooldown = 60;
        enemy_sfx(snd_shield1, 1, x, y);
    }
    if (lock_cooldown > 0) lock_cooldown--;
    float fx = cos_deg(float(facing)), fy = sin_deg(float(facing));
    if (std::abs(turn) < 20) {
        dx += fx * 2;
        dy += fy * 2;
        grid_push(x + dx * 8, y + dy * 8, 4, 0.1f);
    } else {
        // Still turning hard: it brakes into the turn.
        float brake = 0.265f + interceptor_speed / 16;
        dx = (dx + fx) * brake;
        dy = (dy + fy) * brake;
    }
    x += dx;
    y += dy;
    // Against a wall it stands still, velocity kept, until a new heading takes it away.
    if (x < 16 || x > float(field_width) - 16) {
        x -= dx;
        y -= dy;
    }
    if (y < 16 || y > float(field_height) - 16) {
        x -= dx;
        y -= dy;
    }
    gravity();
    separate(consts.separation, consts.separation_step);
    cap_speed(interceptor_speed);
    float ex = x - player_x, ey = y - player_y;
    if (ex * ex + ey * ey < consts.contact) {
        touched = 1;
        if (kill_player()) interceptor_list.remove(this);
    }
}

void interceptor::place_shield() {
    float s = std::sqrt(dx * dx + dy * dy), a = 1, b = 1;
    if (s > 0) {
        a = dx / s;
        b = -dy / s;
    }
    shield_x1 = x + 64 * a + 36 * b;
    shield_y1 = y - 64 * b + 36 * a;
    shield_x2 = x + 64 * a - 36 * b;
    shield_y2 = y - 64 * b - 36 * a;
}

void interceptor::draw() {
    float ox = x - view_x(), oy = y - view_y();
    set_color(255, 255, 255);
    set_origin(0, 0);
    set_alpha(1);
    set_scale(1, 1);
    set_blend(BLEND_LIGHT);
    set_rotation(float(facing + 90));
    draw_image(img_redclone, ox, oy, 0);
    set_color(consts.r, consts.g, consts.b);
    set_rotation(0);
    if (shield_up()) {
        float c = float(facing + 270);
        float cs = cos_deg(c), sn = sin_deg(c);
        auto turned = [&](float u, float v, float& px, float& py) {
            px = u * cs - v * sn;
            py = u * sn + v * cs;
        };
        float p0x, p0y, p1x, p1y, p2x, p2y, p3x, p3y, p6x, p6y;
        turned(-6, 0, p0x, p0y);
        turned(6, 0, p1x, p1y);
        turned(6, 12, p2x, p2y);
        turned(12, 12, p3x, p3y);
        turned(-12, 12, p6x, p6y);
        float ddx = p2x - p1x, ddy = p2y - p1y;
        // Three bars sliding outward as the spin phase turns.
        float phase = angle / 360;
        for (float k = 1.5f + phase; k <= 3.5f + phase + 0.001f; k += 1) {
            float f = 1.5f * k;
            draw_line(ox + p6x + ddx * k + p1x * f, oy + p6y + ddy * k + p1y * f,
                      ox + p3x + ddx * k + p0x * f, oy + p3y + ddy * k + p0y * f);
        }
    }
}
