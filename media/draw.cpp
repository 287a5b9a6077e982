// Drawing state and the drawing operations: each becomes vertices in the render batch.
#include "draw_state.h"

#include "backend.h"
#include "draw_log.h"
#include "font8x16.h"
#include "image_store.h"
#include "render_batch.h"

#include <algorithm>
#include <cmath>

bool draw_log_enabled = false;
std::vector<draw_record> draw_log;

draw_state_t draw_state;

namespace {

constexpr float DEG = 3.14159265358979323846f / 180.0f;

void update_matrix() {
    auto& s = draw_state;
    float c = std::cos(s.rotation * DEG), n = std::sin(s.rotation * DEG);
    // Scale first, then rotate: a positive angle turns clockwise because y points down.
    s.m00 = c * s.scale_x;
    s.m01 = -n * s.scale_y;
    s.m10 = n * s.scale_x;
    s.m11 = c * s.scale_y;
}

void update_vertex_colour() {
    auto& s = draw_state;
    s.vertex_rgba = pack_rgba(s.r, s.g, s.b, int(s.alpha * 255.0f + 0.5f));
}

batch_state state_for(int prim, unsigned tex) {
    batch_state b;
    b.prim = prim;
    b.texture = tex;
    b.blend = draw_state.blend;
    b.line_width = (prim == BATCH_TRIANGLES) ? 1.0f : draw_state.line_width;
    b.smooth = (prim == BATCH_LINES) && draw_state.line_smooth;
    b.clip[0] = draw_state.vp_x;
    b.clip[1] = draw_state.vp_y;
    b.clip[2] = draw_state.vp_w;
    b.clip[3] = draw_state.vp_h;
    return b;
}

// Local corner (lx, ly) relative to the reference point (px, py) to screen pixels.
inline void to_screen(float px, float py, float lx, float ly, float& sx, float& sy) {
    const auto& s = draw_state;
    sx = s.m00 * lx + s.m01 * ly + px + s.origin_x;
    sy = s.m10 * lx + s.m11 * ly + py + s.origin_y;
}

inline void put(batch_vertex* v, float x, float y, float u, float w, uint32_t c) {
    v->x = x;
    v->y = y;
    v->u = u;
    v->v = w;
    v->rgba = c;
}

void log_draw(int op, float x, float y, float x2, float y2, image img = nullptr, int frame = 0,
              const std::string* text = nullptr) {
    const auto& s = draw_state;
    draw_record r{};
    r.op = op;
    r.x = x;
    r.y = y;
    r.x2 = x2;
    r.y2 = y2;
    r.r = s.r;
    r.g = s.g;
    r.b = s.b;
    r.alpha = s.alpha;
    r.blend = s.blend;
    r.scale_x = s.scale_x;
    r.scale_y = s.scale_y;
    r.rotation = s.rotation;
    r.line_width = s.line_width;
    r.img = img;
    r.frame = frame;
    if (text) r.text = *text;
    draw_log.push_back(std::move(r));
}

// A quad of local corners (x0, y0)-(x1, y1) around the reference point, as two triangles.
void quad(float px, float py, float x0, float y0, float x1, float y1, unsigned tex, float u0,
          float v0, float u1, float v1) {
    float ax, ay, bx, by, cx, cy, dx, dy;
    to_screen(px, py, x0, y0, ax, ay);
    to_screen(px, py, x1, y0, bx, by);
    to_screen(px, py, x1, y1, cx, cy);
    to_screen(px, py, x0, y1, dx, dy);
    uint32_t c = draw_state.vertex_rgba;
    batch_vertex* v = batch_reserve(state_for(BATCH_TRIANGLES, tex), 6);
    put(v + 0, ax, ay, u0, v0, c);
    put(v + 1, bx, by, u1, v0, c);
    put(v + 2, cx, cy, u1, v1, c);
    put(v + 3, ax, ay, u0, v0, c);
    put(v + 4, cx, cy, u1, v1, c);
    put(v + 5, dx, dy, u0, v1, c);
}

// A line as two triangles of the given width, so lines of many widths share one batch.
void line_quad(batch_vertex* v, const batch_vertex& a, const batch_vertex& b, float width) {
    float dx = b.x - a.x, dy = b.y - a.y, len = std::sqrt(dx * dx + dy * dy);
    float h = width * 0.5f;
    float nx, ny, ex, ey;
    if (len > 0) {
        nx = -dy / len * h, ny = dx / len * h;
        ex = ey = 0;
    } else {
        nx = 0, ny = h; // a dot: a square of the line's width
        ex = h, ey = 0;
    }
    batch_vertex p0 = a, p1 = a, p2 = b, p3 = b;
    p0.x += nx - ex, p0.y += ny - ey;
    p1.x -= nx + ex, p1.y -= ny + ey;
    p2.x -= nx - ex, p2.y -= ny - ey;
    p3.x += nx + ex, p3.y += ny + ey;
    v[0] = p0, v[1] = p1, v[2] = p2, v[3] = p0, v[4] = p2, v[5] = p3;
}

} // namespace

void draw_state_reset() {
    draw_state = draw_state_t{};
    update_matrix();
    update_vertex_colour();
}

// ---------------------------------------------------------------- state

void set_color(int r, int g, int b) {
    auto& s = draw_state;
    s.r = std::clamp(r, 0, 255);
    s.g = std::clamp(g, 0, 255);
    s.b = std::clamp(b, 0, 255);
    update_vertex_colour();
}

void get_color(int& r, int& g, int& b) {
    r = draw_state.r;
    g = draw_state.g;
    b = draw_state.b;
}

void set_alpha(float a) {
    // NaN fails both tests and becomes 0 rather than poisoning the vertex colour.
    draw_state.alpha = a >= 1.0f ? 1.0f : (a > 0.0f ? a : 0.0f);
    update_vertex_colour();
}

float get_alpha() { return draw_state.alpha; }

void set_blend(int mode) {
    if (mode < BLEND_MASK || mode > BLEND_SHADE) mode = BLEND_SOLID;
    if (mode == draw_state.blend) return;
    draw_state.blend = mode;
}

int get_blend() { return draw_state.blend; }

void set_scale(float sx, float sy) {
    draw_state.scale_x = sx;
    draw_state.scale_y = sy;
    update_matrix();
}

void get_scale(float& sx, float& sy) {
    sx = draw_state.scale_x;
    sy = draw_state.scale_y;
}

void set_rotation(float degrees) {
    draw_state.rotation = degrees;
    update_matrix();
}

float get_rotation() { return draw_state.rotation; }

void set_transform(float degrees, float sx, float sy) {
    draw_state.rotation = degrees;
    draw_state.scale_x = sx;
    draw_state.scale_y = sy;
    update_matrix();
}

void set_origin(float x, float y) {
    draw_state.origin_x = x;
    draw_state.origin_y = y;
}

void get_origin(float& x, float& y) {
    x = draw_state.origin_x;
    y = draw_state.origin_y;
}

void set_line_width(float w) { draw_state.line_width = w > 0 ? w : 1.0f; }
float get_line_width() { return draw_state.line_width; }
void set_line_smooth(bool on) { draw_state.line_smooth = on; }
void set_line_quads(bool on) { draw_state.line_quads = on; }

void set_viewport(int x, int y, int w, int h) {
    auto& s = draw_state;
    bool whole = x <= 0 && y <= 0 &&
                 (!backend::is_open() || (x + w >= backend::width() && y + h >= backend::height()));
    if (whole) {
        s.vp_x = s.vp_y = s.vp_w = s.vp_h = 0; // no clipping: batches stay shareable
    } else if (w <= 0 || h <= 0) {
        s.vp_x = s.vp_y = -2; // an empty viewport: clip to a pixel off screen
        s.vp_w = s.vp_h = 1;
    } else {
        s.vp_x = x;
        s.vp_y = y;
        s.vp_w = w;
        s.vp_h = h;
    }
}

void set_clear_color(int r, int g, int b) {
    draw_state.clear_r = std::clamp(r, 0, 255);
    draw_state.clear_g = std::clamp(g, 0, 255);
    draw_state.clear_b = std::clamp(b, 0, 255);
}

// ---------------------------------------------------------------- shapes

void plot(float x, float y) {
    if (draw_log_enabled) log_draw(OP_PLOT, x, y, 0, 0);
    float sx, sy;
    to_screen(x, y, 0, 0, sx, sy);
    batch_vertex* v = batch_reserve(state_for(BATCH_POINTS, 0), 1);
    put(v, sx + 0.5f, sy + 0.5f, 0, 0, draw_state.vertex_rgba);
}

void draw_line(float x1, float y1, float x2, float y2, bool last_pixel) {
    if (draw_log_enabled) log_draw(OP_LINE, x1, y1, x2, y2);
    float ax, ay, bx, by;
    to_screen(x1, y1, 0, 0, ax, ay);
    to_screen(x1, y1, x2 - x1, y2 - y1, bx, by);
    if (last_pixel) {
        // Lines leave out their end pixel; one more step along the major axis puts it back.
        float dx = bx - ax, dy = by - ay, m = std::max(std::fabs(dx), std::fabs(dy));
        if (m > 0) {
            bx += dx / m;
            by += dy / m;
        } else {
            bx += 1;
        }
    }
    uint32_t c = draw_state.vertex_rgba;
    if (draw_state.line_quads) {
        batch_vertex a{ax + 0.5f, ay + 0.5f, 0, 0, c}, b{bx + 0.5f, by + 0.5f, 0, 0, c};
        line_quad(batch_reserve(state_for(BATCH_TRIANGLES, 0), 6), a, b, draw_state.line_width);
        return;
    }
    batch_vertex* v = batch_reserve(state_for(BATCH_LINES, 0), 2);
    put(v, ax + 0.5f, ay + 0.5f, 0, 0, c);
    put(v + 1, bx + 0.5f, by + 0.5f, 0, 0, c);
}

void draw_rect(float x, float y, float w, float h) {
    if (draw_log_enabled) log_draw(OP_RECT, x, y, w, h);
    quad(x, y, 0, 0, w, h, 0, 0, 0, 0, 0);
}

void draw_oval(float x, float y, float w, float h) {
    if (draw_log_enabled) log_draw(OP_OVAL, x, y, w, h);
    float rx = w * 0.5f, ry = h * 0.5f;
    // Enough segments that the outline stays round at any drawn size.
    float sx = std::fabs(draw_state.scale_x), sy = std::fabs(draw_state.scale_y);
    int segs = std::clamp(int(std::sqrt(std::max(std::fabs(rx) * sx, std::fabs(ry) * sy)) * 6),
                          12, 128);
    uint32_t c = draw_state.vertex_rgba;
    batch_vertex* v = batch_reserve(state_for(BATCH_TRIANGLES, 0), segs * 3);
    float cx, cy;
    to_screen(x, y, rx, ry, cx, cy);
    float px, py;
    to_screen(x, y, rx + rx, ry, px, py);
    for (int i = 1; i <= segs; i++) {
        float a = 2 * 3.14159265f * float(i) / float(segs);
        float nx, ny;
        to_screen(x, y, rx + rx * std::cos(a), ry + ry * std::sin(a), nx, ny);
        put(v++, cx, cy, 0, 0, c);
        put(v++, px, py, 0, 0, c);
        put(v++, nx, ny, 0, 0, c);
        px = nx;
        py = ny;
    }
}

void draw_poly(const float* xy, int count, float x, float y) {
    if (draw_log_enabled) log_draw(OP_POLY, x, y, float(count), 0);
    if (!xy || count < 3) return;
    uint32_t c = draw_state.vertex_rgba;
    batch_vertex* v = batch_reserve(state_for(BATCH_TRIANGLES, 0), (count - 2) * 3);
    float ax, ay;
    to_screen(x, y, xy[0], xy[1], ax, ay);
    for (int i = 1; i + 1 < count; i++) {
        float bx, by, cx, cy;
        to_screen(x, y, xy[2 * i], xy[2 * i + 1], bx, by);
        to_screen(x, y, xy[2 * i + 2], xy[2 * i + 3], cx, cy);
        put(v++, ax, ay, 0, 0, c);
        put(v++, bx, by, 0, 0, c);
        put(v++, cx, cy, 0, 0, c);
    }
}

void draw_text(const std::string& text, float x, float y) {
    if (draw_log_enabled) log_draw(OP_TEXT, x, y, 0, 0, nullptr, 0, &text);
    // Only lit pixels are drawn, so text looks the same in every blend mode.
    float cx = 0;
    for (unsigned char ch : text) {
        int n;
        const font_run* runs = font_runs(ch, n);
        for (int i = 0; i < n; i++) {
            const auto& r = runs[i];
            quad(x, y, cx + r.x, r.y, cx + r.x + r.w, r.y + r.h, 0, 0, 0, 0, 0);
        }
        cx += FONT_W;
    }
}

int text_width(const std::string& text) { return int(text.size()) * FONT_W; }
int text_height() { return FONT_H; }

// ---------------------------------------------------------------- images

void draw_image(image img, float x, float y, int frame) {
    if (draw_log_enabled) log_draw(OP_IMAGE, x, y, 0, 0, img, frame);
    if (!img || frame < 0 || frame >= img->frames || !img->texture) return;
    const auto& f = img->cells[size_t(frame)];
    float w = float(img->width), h = float(img->height);
    quad(x, y, -img->handle_x, -img->handle_y, w - img->handle_x, h - img->handle_y, img->texture,
         f.u0, f.v0, f.u1, f.v1);
}

// ---------------------------------------------------------------- immediate-mode primitives

namespace {
// One primitive under construction. Its batch state is fixed at prim_begin, and vertices go
// straight into the batch: a grid of 150 000 vertices a frame must cost little.
struct prim_builder {
    int kind = -1;
    int count = 0;
    batch_state state;
    bool line = false, quads = false;
    float width = 1;
    uint32_t epoch = 0;
    batch_vertex first{}, prev{};
} prim;

uint32_t float_rgba(float r, float g, float b, float a) {
    auto c = [](float f) { return int(std::clamp(f, 0.0f, 1.0f) * 255.0f + 0.5f); };
    return pack_rgba(c(r), c(g), c(b), c(a));
}

inline void emit2(const batch_vertex& a, const batch_vertex& b) {
    if (prim.quads) {
        line_quad(batch_reserve_run(prim.state, prim.epoch, 6), a, b, prim.width);
        return;
    }
    batch_vertex* v = batch_reserve_run(prim.state, prim.epoch, 2);
    v[0] = a;
    v[1] = b;
}

inline void emit3(const batch_vertex& a, const batch_vertex& b, const batch_vertex& c) {
    batch_vertex* v = batch_reserve_run(prim.state, prim.epoch, 3);
    v[0] = a;
    v[1] = b;
    v[2] = c;
}
} // namespace

void prim_begin(int kind) {
    prim.kind = kind;
    prim.count = 0;
    prim.line = kind == PRIM_LINES || kind == PRIM_LINE_STRIP || kind == PRIM_LINE_LOOP;
    prim.quads = prim.line && draw_state.line_quads;
    prim.width = draw_state.line_width;
    int bprim = kind == PRIM_POINTS ? BATCH_POINTS
                : (prim.line && !prim.quads ? BATCH_LINES : BATCH_TRIANGLES);
    prim.state = state_for(bprim, 0);
    prim.epoch = the_batch.epoch - 1; // the first vertex compares the state once
}

void prim_color(float r, float g, float b) { draw_state.vertex_rgba = float_rgba(r, g, b, 1.0f); }

void prim_color(float r, float g, float b, float a) {
    draw_state.vertex_rgba = float_rgba(r, g, b, a);
}

void prim_vertex(float x, float y) {
    batch_vertex v{x, y, 0, 0, draw_state.vertex_rgba};
    if (prim.line || prim.kind == PRIM_POINTS) {
        // Lines and points are centred on pixels, like the layer's own lines.
        v.x += 0.5f;
        v.y += 0.5f;
    }
    int i = prim.count++;
    switch (prim.kind) {
    case PRIM_POINTS: *batch_reserve_run(prim.state, prim.epoch, 1) = v; break;
    case PRIM_LINES:
        if (i & 1) emit2(prim.prev, v);
        break;
    case PRIM_LINE_STRIP:
    case PRIM_LINE_LOOP:
        // Strips become separate segments so that many polylines share one draw call.
        if (i == 0)
            prim.first = v;
        else
            emit2(prim.prev, v);
        break;
    case PRIM_TRIANGLES:
        if (i % 3 == 0)
            prim.first = v;
        else if (i % 3 == 2)
            emit3(prim.first, prim.prev, v);
        break;
    case PRIM_QUADS:
        if (i % 4 == 0)
            prim.first = v;
        else if (i % 4 >= 2)
            emit3(prim.first, prim.prev, v);
        break;
    case PRIM_TRIANGLE_FAN:
        if (i == 0)
            prim.first = v;
        else if (i >= 2)
            emit3(prim.first, prim.prev, v);
        break;
    default: break;
    }
    prim.prev = v;
}

void prim_end() {
    if (prim.kind == PRIM_LINE_LOOP && prim.count > 2) emit2(prim.prev, prim.first);
    if (draw_log_enabled) {
        log_draw(OP_PRIM, 0, 0, 0, 0);
        draw_log.back().prim_kind = prim.kind;
        draw_log.back().vertices = prim.count;
    }
    prim.kind = -1;
    prim.count = 0;
}
