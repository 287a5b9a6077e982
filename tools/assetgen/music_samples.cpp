// The instruments, built from the same synthesiser as the sound effects.
#include "music_samples.h"

#include "sounds_synth.h"

#include <algorithm>
#include <cmath>
#include <functional>

using namespace synth;

namespace instrument {

namespace {

constexpr double LOOP_S = 0.5; // tones below are multiples of 2 Hz: whole cycles per loop

it_sample to_sample(const char* name, const wave& w, int root, double sounding_hz,
                    float peak_level) {
    it_sample s;
    s.name = name;
    float p = peak(w);
    float k = p > 0 ? peak_level / p : 0.0f;
    s.pcm.resize(size_t(w.frames()));
    for (int i = 0; i < w.frames(); i++)
        s.pcm[i] = int16_t(std::lround(std::clamp(w.data[i] * k, -1.0f, 1.0f) * 32767.0f));
    s.root = root;
    // C-5 must sound at the root's true pitch, whatever the sample was made at
    s.c5speed = int(std::lround(w.rate * midi_hz(float(root)) / sounding_hz));
    return s;
}

// A sustained tone: `attack_s` of onset shaped by `onset`, then one loop of LOOP_S seconds.
// `value` gives the steady waveform at time t and must repeat every LOOP_S.
it_sample looped(const char* name, int root, double hz, float attack_s,
                 const std::function<float(double t)>& value,
                 const std::function<float(double t)>& onset) {
    const int attack = int(attack_s * RATE);
    const int loop = int(LOOP_S * RATE);
    wave w = mono(float(attack + loop) / RATE);
    for (int i = 0; i < w.frames(); i++) {
        double t = double(i) / RATE;
        w.data[i] = value(t) * (i < attack ? onset(t) : 1.0f);
    }
    it_sample s = to_sample(name, w, root, hz, 0.9f);
    s.loop = true;
    s.loop_begin = attack;
    s.loop_end = attack + loop;
    return s;
}

// Sum of harmonics of one voice, 1/h^tilt rolled off above `bright` partials.
float harmonics(double hz, double t, int count, float tilt, float bright, double phase_mod = 0) {
    float v = 0;
    for (int h = 1; h <= count; h++) {
        if (hz * h > 16000) break;
        float a = 1.0f / std::pow(float(h), tilt) / (1.0f + std::pow(h / bright, 2.0f));
        v += a * float(std::sin(2 * PI * (hz * h * t + phase_mod * h) + h * 0.7));
    }
    return v;
}

} // namespace

it_sample pad_warm() {
    // three saws at 260, 262 and 264 Hz beat slowly against each other
    auto v = [](double t) {
        return harmonics(262, t, 24, 1.0f, 6.0f) + 0.8f * harmonics(260, t, 24, 1.0f, 6.0f) +
               0.8f * harmonics(264, t, 24, 1.0f, 6.0f);
    };
    auto on = [](double t) { return float(std::pow(t / 0.3, 1.5)); };
    it_sample s = looped("warm pad", 60, 262, 0.3f, v, on);
    s.volume = 44;
    return s;
}

it_sample pad_strings() {
    // 6 Hz vibrato, three cycles a loop, on a bright ensemble
    auto v = [](double t) {
        double vib = 0.0015 * std::sin(2 * PI * 6 * t);
        return harmonics(262, t, 30, 1.0f, 12.0f, vib * 262 / 6) +
               0.7f * harmonics(264, t, 30, 1.0f, 12.0f, -vib * 264 / 6) +
               0.7f * harmonics(260, t, 30, 1.0f, 12.0f);
    };
    auto on = [](double t) { return float(t / 0.2); };
    it_sample s = looped("strings", 60, 262, 0.2f, v, on);
    s.volume = 44;
    return s;
}

it_sample bass_round() {
    auto v = [](double t) {
        return float(std::sin(2 * PI * 66 * t)) + 0.4f * harmonics(66, t, 8, 1.6f, 3.0f);
    };
    auto on = [](double t) {
        return float(std::min(1.0, t / 0.01)) * float(1.0 + 0.5 * std::exp(-t / 0.05));
    };
    it_sample s = looped("round bass", 36, 66, 0.1f, v, on);
    s.volume = 56;
    return s;
}

it_sample bass_pluck() {
    wave w = mono(0.7f);
    osc a, b;
    svf f;
    const float hz = midi_hz(36);
    for (int i = 0; i < w.frames(); i++) {
        float t = float(i) / RATE;
        f.run(a.saw(hz) + 0.5f * b.square(hz * 0.5f), 150.0f + 2200.0f * std::exp(-t / 0.07f),
              1.8f);
        w.data[i] = soft_sat(f.low * 1.5f) * env_ad(t, 0.002f, 0.35f);
    }
    fade_out(w, 0.05f);
    it_sample s = to_sample("pluck bass", w, 36, hz, 0.9f);
    s.volume = 58;
    return s;
}

it_sample lead_soft() {
    auto v = [](double t) {
        return float(std::sin(2 * PI * 524 * t)) +
               0.25f * float(std::sin(2 * PI * 1048 * t + 0.3)) +
               0.12f * float(std::sin(2 * PI * 1572 * t + 0.9)) +
               0.04f * float(std::sin(2 * PI * 2096 * t));
    };
    noise n(5);
    svf f;
    std::vector<float> breath(size_t(0.1 * RATE));
    for (float& b : breath) {
        f.run(n.next(), 2500.0f, 1.0f);
        b = f.band;
    }
    auto on = [breath](double t) {
        size_t i = size_t(t * RATE);
        float chiff = i < breath.size() ? breath[i] * float(std::exp(-t / 0.03)) : 0.0f;
        return float(std::min(1.0, t / 0.06)) + chiff;
    };
    it_sample s = looped("soft lead", 72, 524, 0.1f, v, on);
    s.volume = 48;
    return s;
}

it_sample lead_bright() {
    auto v = [](double t) {
        return harmonics(524, t, 20, 1.0f, 9.0f) + 0.8f * harmonics(526, t, 20, 1.0f, 9.0f) +
               0.3f * float(std::sin(2 * PI * 262 * t));
    };
    auto on = [](double t) {
        return float(std::min(1.0, t / 0.008)) * float(1.0 + 0.4 * std::exp(-t / 0.04));
    };
    it_sample s = looped("bright lead", 72, 524, 0.08f, v, on);
    s.volume = 42;
    return s;
}

it_sample brass() {
    // The swell opens the tone: fewer partials at the start, all of them in the loop.
    const float attack = 0.12f;
    auto v = [](double t) {
        return harmonics(524, t, 24, 0.9f, 6.0f) + 0.6f * harmonics(526, t, 24, 0.9f, 6.0f);
    };
    auto on = [](double t) {
        return float(std::min(1.0, t / 0.03)) * float(1.0 + 0.3 * std::exp(-t / 0.06));
    };
    it_sample s = looped("brass", 72, 524, attack, v, on);
    // soften the very first partials of the onset with a gentle lowpass across the attack only
    svf f;
    for (int i = 0; i < s.loop_begin; i++) {
        float t = float(i) / RATE;
        f.run(s.pcm[i] / 32767.0f, 800.0f + 9000.0f * t / attack, 0.8f);
        float k = float(i) / float(s.loop_begin);
        s.pcm[i] = int16_t(std::lround((f.low * (1 - k) + s.pcm[i] / 32767.0f * k) * 32767.0f));
    }
    s.volume = 46;
    return s;
}

it_sample bell() {
    wave w = mono(1.6f);
    osc c, m, c2;
    const float hz = midi_hz(84);
    for (int i = 0; i < w.frames(); i++) {
        float t = float(i) / RATE;
        float idx = 2.0f * std::exp(-t / 0.2f) + 0.3f;
        c.phase += m.sine(hz * 3.5f) * idx * 0.004;
        w.data[i] = (c.sine(hz) + 0.25f * c2.sine(hz * 2.0f)) * env_ad(t, 0.001f, 0.45f);
    }
    it_sample s = to_sample("bell", w, 84, hz, 0.9f);
    s.volume = 40;
    return s;
}

it_sample pluck() {
    wave w = mono(0.35f);
    osc a;
    svf f;
    const float hz = midi_hz(72);
    for (int i = 0; i < w.frames(); i++) {
        float t = float(i) / RATE;
        f.run(a.square(hz, 0.3f), 600.0f + 6000.0f * std::exp(-t / 0.04f), 1.5f);
        w.data[i] = f.low * env_ad(t, 0.001f, 0.09f);
    }
    fade_out(w, 0.03f);
    it_sample s = to_sample("pluck", w, 72, hz, 0.9f);
    s.volume = 34;
    return s;
}

it_sample kick(float punch) {
    wave w = mono(0.4f);
    osc o;
    noise n(31);
    for (int i = 0; i < w.frames(); i++) {
        float t = float(i) / RATE;
        float hz = sweep(t, 120.0f + 120.0f * punch, 45.0f, 0.06f);
        float v = o.sine(hz) * env_ad(t, 0.001f, 0.18f);
        v += n.next() * env_ad(t, 0.0003f, 0.003f) * 0.4f * punch;
        w.data[i] = soft_sat(v * (1.2f + punch));
    }
    fade_out(w, 0.05f);
    it_sample s = to_sample("kick", w, 60, midi_hz(60), 0.95f);
    return s;
}

it_sample snare(float body) {
    wave w = mono(0.3f);
    osc o;
    noise n(41);
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = float(i) / RATE;
        f.run(n.next(), 5000.0f, 0.6f);
        float v = (f.low + 0.4f * f.high) * env_ad(t, 0.001f, 0.05f + 0.05f * body);
        v += (0.5f + 0.5f * body) * o.sine(sweep(t, 240.0f, 170.0f, 0.03f)) *
             env_ad(t, 0.001f, 0.04f);
        w.data[i] = v;
    }
    fade_out(w, 0.04f);
    return to_sample("snare", w, 60, midi_hz(60), 0.9f);
}

it_sample hat_closed() {
    wave w = mono(0.08f);
    noise n(51);
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = float(i) / RATE;
        f.run(n.next(), 8000.0f, 0.8f);
        w.data[i] = f.high * env_ad(t, 0.0005f, 0.018f);
    }
    it_sample s = to_sample("closed hat", w, 60, midi_hz(60), 0.8f);
    s.volume = 36;
    return s;
}

it_sample hat_open() {
    wave w = mono(0.4f);
    noise n(52);
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = float(i) / RATE;
        f.run(n.next(), 7000.0f, 0.8f);
        w.data[i] = f.high * env_ad(t, 0.002f, 0.12f);
    }
    fade_out(w, 0.05f);
    it_sample s = to_sample("open hat", w, 60, midi_hz(60), 0.8f);
    s.volume = 30;
    return s;
}

it_sample crash() {
    wave w = mono(1.8f);
    noise n(61);
    svf f;
    osc p[4];
    const float parts[4] = {3150, 4230, 5470, 6810};
    for (int i = 0; i < w.frames(); i++) {
        float t = float(i) / RATE;
        f.run(n.next(), 5500.0f, 0.7f);
        float metal = 0;
        for (int k = 0; k < 4; k++) metal += p[k].sine(parts[k]) * 0.1f;
        w.data[i] = (f.high + metal) * env_ad(t, 0.002f, 0.5f);
    }
    fade_out(w, 0.3f);
    it_sample s = to_sample("crash", w, 60, midi_hz(60), 0.8f);
    s.volume = 36;
    return s;
}

it_sample timpani() {
    wave w = mono(1.3f);
    osc a, b;
    noise n(71);
    svf f;
    const float hz = midi_hz(43);
    for (int i = 0; i < w.frames(); i++) {
        float t = float(i) / RATE;
        float drop = sweep(t, 1.03f, 1.0f, 0.1f);
        f.run(n.next(), 600.0f, 1.0f);
        float v = a.sine(hz * drop) + 0.35f * b.sine(hz * 1.5f * drop);
        w.data[i] = v * env_ad(t, 0.002f, 0.45f) + f.low * env_ad(t, 0.001f, 0.02f);
    }
    fade_out(w, 0.2f);
    it_sample s = to_sample("timpani", w, 43, hz, 0.9f);
    s.volume = 50;
    return s;
}

it_sample rim() {
    wave w = mono(0.1f);
    osc a, b;
    noise n(81);
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = float(i) / RATE;
        f.run(n.next(), 3000.0f, 2.0f);
        w.data[i] = (a.sine(820.0f) + 0.5f * b.sine(1410.0f)) * env_ad(t, 0.0005f, 0.012f) +
                    f.band * env_ad(t, 0.0005f, 0.006f);
    }
    it_sample s = to_sample("rim", w, 60, midi_hz(60), 0.8f);
    s.volume = 36;
    return s;
}

} // namespace instrument
