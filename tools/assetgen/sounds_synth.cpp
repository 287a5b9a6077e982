// The synthesiser's building blocks.
#include "sounds_synth.h"

#include <algorithm>

namespace synth {

wave mono(float seconds, int rate) {
    wave w;
    w.rate = rate;
    w.data.assign(size_t(std::lround(seconds * rate)), 0.0f);
    return w;
}

wave stereo(float seconds, int rate) {
    wave w;
    w.channels = 2;
    w.rate = rate;
    w.data.assign(size_t(std::lround(seconds * rate)) * 2, 0.0f);
    return w;
}

namespace {
// Removes the step of a naive saw or square at its wrap; t is the phase, dt the increment.
float poly_blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return float(t + t - t * t - 1.0);
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return float(t * t + t + t + 1.0);
    }
    return 0.0f;
}
} // namespace

float osc::sine(float hz) {
    float v = float(std::sin(2.0 * PI * phase));
    phase += hz / rate;
    phase -= std::floor(phase);
    return v;
}

float osc::saw(float hz) {
    double dt = std::fabs(hz) / rate;
    float v = float(2.0 * phase - 1.0) - poly_blep(phase, dt);
    phase += dt;
    phase -= std::floor(phase);
    return v;
}

float osc::square(float hz, float width) {
    double dt = std::fabs(hz) / rate;
    float v = phase < width ? 1.0f : -1.0f;
    v += poly_blep(phase, dt);
    double t2 = phase - width;
    t2 -= std::floor(t2);
    v -= poly_blep(t2, dt);
    phase += dt;
    phase -= std::floor(phase);
    return v;
}

float osc::tri(float hz) {
    float v = float(phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase);
    phase += hz / rate;
    phase -= std::floor(phase);
    return v;
}

void svf::run(float in, float cutoff_hz, float q, float rate) {
    cutoff_hz = std::clamp(cutoff_hz, 10.0f, rate * 0.45f);
    float g = std::tan(float(PI) * cutoff_hz / rate);
    float k = 1.0f / std::max(q, 0.05f);
    float a1 = 1.0f / (1.0f + g * (g + k));
    float a2 = g * a1;
    float a3 = g * a2;
    float v3 = in - ic2;
    float v1 = a1 * ic1 + a2 * v3;
    float v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2 * v1 - ic1;
    ic2 = 2 * v2 - ic2;
    low = v2;
    band = v1;
    high = in - k * v1 - v2;
}

float peak(const wave& w) {
    float p = 0;
    for (float v : w.data) p = std::max(p, std::fabs(v));
    return p;
}

void normalize(wave& w, float target_peak) {
    float p = peak(w);
    if (p <= 0) return;
    float k = target_peak / p;
    for (float& v : w.data) v *= k;
}

void fade_in(wave& w, float seconds) {
    int n = std::min(w.frames(), int(seconds * w.rate));
    for (int f = 0; f < n; f++)
        for (int c = 0; c < w.channels; c++) w.data[size_t(f) * w.channels + c] *= float(f) / n;
}

void fade_out(wave& w, float seconds) {
    int total = w.frames();
    int n = std::min(total, int(seconds * w.rate));
    for (int i = 0; i < n; i++) {
        int f = total - 1 - i;
        for (int c = 0; c < w.channels; c++) w.data[size_t(f) * w.channels + c] *= float(i) / n;
    }
}

void echo(wave& w, float delay_s, float feedback, float mix) {
    int d = std::max(1, int(delay_s * w.rate));
    int ch = w.channels;
    std::vector<float> line(w.data.size(), 0.0f);
    for (size_t i = 0; i < w.data.size(); i++) {
        float delayed = i >= size_t(d * ch) ? line[i - size_t(d * ch)] : 0.0f;
        line[i] = w.data[i] + delayed * feedback;
        w.data[i] += delayed * mix;
    }
}

wave reverb_stereo(const wave& dry, float room, float damp, float wet) {
    // Schroeder-style: parallel damped combs into series all-passes, the two sides detuned.
    static const int combs[2][4] = {{1116, 1188, 1277, 1356}, {1139, 1211, 1300, 1379}};
    static const int allpasses[2][2] = {{556, 441}, {579, 464}};
    wave out = stereo(dry.seconds(), dry.rate);
    const int frames = dry.frames();
    for (int side = 0; side < 2; side++) {
        std::vector<float> acc(frames, 0.0f);
        for (int c = 0; c < 4; c++) {
            int len = combs[side][c];
            std::vector<float> buf(len, 0.0f);
            float store = 0;
            for (int f = 0, at = 0; f < frames; f++) {
                float in = dry.data[size_t(f) * dry.channels] * 0.25f;
                float y = buf[at];
                store = y * (1 - damp) + store * damp;
                buf[at] = in + store * room;
                acc[f] += y;
                if (++at == len) at = 0;
            }
        }
        for (int a = 0; a < 2; a++) {
            int len = allpasses[side][a];
            std::vector<float> buf(len, 0.0f);
            for (int f = 0, at = 0; f < frames; f++) {
                float b = buf[at];
                float y = -acc[f] + b;
                buf[at] = acc[f] + b * 0.5f;
                acc[f] = y;
                if (++at == len) at = 0;
            }
        }
        for (int f = 0; f < frames; f++)
            out.data[size_t(f) * 2 + side] = dry.data[size_t(f) * dry.channels] + acc[f] * wet;
    }
    return out;
}

void mix_into(wave& a, const wave& b, float gain, int at) {
    size_t need = (size_t(at) + size_t(b.frames())) * size_t(a.channels);
    if (a.data.size() < need) a.data.resize(need, 0.0f);
    for (int f = 0; f < b.frames(); f++)
        for (int c = 0; c < a.channels; c++)
            a.data[(size_t(at) + f) * a.channels + c] +=
                gain * b.data[size_t(f) * b.channels + std::min(c, b.channels - 1)];
}

void dc_block(wave& w) {
    for (int c = 0; c < w.channels; c++) {
        float x1 = 0, y1 = 0;
        for (int f = 0; f < w.frames(); f++) {
            float& v = w.data[size_t(f) * w.channels + c];
            float y = v - x1 + 0.999f * y1;
            x1 = v;
            y1 = y;
            v = y;
        }
    }
}

void trim_tail(wave& w, float threshold) {
    int last = 0;
    for (int f = 0; f < w.frames(); f++)
        for (int c = 0; c < w.channels; c++)
            if (std::fabs(w.data[size_t(f) * w.channels + c]) > threshold) last = f;
    int keep = std::min(w.frames(), last + w.rate / 200 + 1);
    w.data.resize(size_t(keep) * w.channels);
}

} // namespace synth
