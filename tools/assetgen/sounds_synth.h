// The small synthesiser behind every generated sound and instrument: oscillators, noise,
// a state-variable filter, envelopes and a few whole-buffer effects. Deterministic.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace synth {

constexpr int RATE = 44100;
constexpr double PI = 3.14159265358979323846;

// Buffers are interleaved floats; most sounds are mono.
struct wave {
    int channels = 1;
    int rate = RATE;
    std::vector<float> data;
    int frames() const { return int(data.size()) / channels; }
    float seconds() const { return float(frames()) / float(rate); }
};

wave mono(float seconds, int rate = RATE);
wave stereo(float seconds, int rate = RATE);

// White noise in -1..1 from a fixed seed.
struct noise {
    uint32_t state;
    explicit noise(uint32_t seed = 0x9E3779B9u) : state(seed ? seed : 1) {}
    float next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return float(int32_t(state)) / 2147483648.0f;
    }
};

// A phase accumulator; each call advances by hz / rate. Saw and square are band-limited
// with polyBLEP so swept tones do not alias into whistles.
struct osc {
    double phase = 0;
    float rate = float(RATE);
    float sine(float hz);
    float saw(float hz);
    float square(float hz, float width = 0.5f);
    float tri(float hz);
};

// Zero-delay-feedback state-variable filter: stable however fast the cutoff moves.
struct svf {
    float ic1 = 0, ic2 = 0;
    float low = 0, band = 0, high = 0;
    void run(float in, float cutoff_hz, float q, float rate = float(RATE));
};

// One-pole smoother/lowpass.
struct onepole {
    float y = 0;
    float lp(float in, float cutoff_hz, float rate = float(RATE)) {
        float a = 1.0f - std::exp(-2.0f * float(PI) * cutoff_hz / rate);
        y += (in - y) * a;
        return y;
    }
};

// 0 -> 1 over attack, then exponential decay with time constant `decay`.
inline float env_ad(float t, float attack, float decay) {
    if (t < attack) return attack > 0 ? t / attack : 1.0f;
    return std::exp(-(t - attack) / decay);
}
// Exponential glide from a to b over dur seconds, then holds b.
inline float sweep(float t, float a, float b, float dur) {
    float k = dur > 0 ? std::fmin(t / dur, 1.0f) : 1.0f;
    return a * std::pow(b / a, k);
}
inline float midi_hz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }
inline float soft_sat(float x) { return std::tanh(x); }

// Whole-buffer helpers.
float peak(const wave& w);
void normalize(wave& w, float target_peak);
void fade_in(wave& w, float seconds);
void fade_out(wave& w, float seconds);
// Feedback echo (per channel), the tail fits in the buffer.
void echo(wave& w, float delay_s, float feedback, float mix);
// A small room of comb and all-pass filters; mono in, stereo out with a wider image.
wave reverb_stereo(const wave& dry, float room, float damp, float wet);
// Mixes b into a (same channel count) at frame offset `at`, growing a as needed.
void mix_into(wave& a, const wave& b, float gain, int at = 0);
// Removes any DC offset (a gentle high-pass near 7 Hz), which would thump as a level change.
void dc_block(wave& w);
// Trailing near-silence removed (keeps a few ms after the last audible sample).
void trim_tail(wave& w, float threshold);

} // namespace synth
