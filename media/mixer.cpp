// Voices and the stream source, mixed in fixed chunks into a float accumulator, then
// through a soft-knee clipper. Runs on the audio thread: nothing here allocates or locks.
#include "mixer.h"

#include "backend.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

constexpr int CHUNK = 256;
// Gain changes glide over a few milliseconds so a hum moved every frame does not crackle.
const float GLIDE = 1.0f - std::exp(-1.0f / (0.004f * MIX_RATE));
// A stopped voice fades out over this many frames rather than clicking off.
constexpr int FADE_FRAMES = 128;
constexpr float CLIP_KNEE = 0.8f;
constexpr float MAX_RATE = 16.0f;

struct voice {
    const media_sound* snd = nullptr; // nullptr: free
    channel id = 0;                   // 0 while fading out after a stop
    double pos = 0;                   // frames into the sample
    float rate = 1;
    float volume = 1, pan = 0;
    float gain_l = 1, gain_r = 1; // what is applied now, gliding toward the targets
    bool paused = false;
    bool started = false; // false until first resumed: settings apply at once
    int fade = 0;         // frames of fade-out left; 0 = not stopping
    uint32_t age = 0;
};

voice voices[MIX_VOICES];
int next_serial = 1;
uint32_t next_age = 1;
long rate_sets = 0;

mixer_stream_fn stream_fn = nullptr;
void* stream_user = nullptr;

float acc[CHUNK * 2];
float stream_buf[CHUNK * 2];

void target_gains(const voice& v, float& l, float& r) {
    // Pan keeps the near side at full level and only takes away from the far side.
    l = v.volume * std::min(1.0f, 1.0f - v.pan);
    r = v.volume * std::min(1.0f, 1.0f + v.pan);
}

voice* find(channel c) {
    if (c <= 0) return nullptr;
    voice& v = voices[(c - 1) % MIX_VOICES];
    return v.snd && v.id == c ? &v : nullptr;
}

void release(voice& v) { v = voice{}; }

// Catmull-Rom through four neighbours: exact at whole positions, smooth between them.
inline float interp(float a, float b, float c, float d, float t) {
    return b +
           0.5f * t *
               (c - a + t * (2.0f * a - 5.0f * b + 4.0f * c - d + t * (3.0f * (b - c) + d - a)));
}

template <int CH, bool GLIDING>
inline void mix_run(const float* base, double& pos, double step, int n, float* out, float& gl,
                    float& gr, float tl, float tr) {
    for (int f = 0; f < n; f++) {
        int i = int(pos);
        float t = float(pos - i);
        const float* p = base + i * CH;
        float l = interp(p[-CH], p[0], p[CH], p[2 * CH], t);
        float r = CH == 2 ? interp(p[-CH + 1], p[1], p[CH + 1], p[2 * CH + 1], t) : l;
        if (GLIDING) {
            gl += (tl - gl) * GLIDE;
            gr += (tr - gr) * GLIDE;
        }
        out[2 * f] += l * gl;
        out[2 * f + 1] += r * gr;
        pos += step;
    }
}

template <int CH> void mix_voice(voice& v, float* out, int frames) {
    const media_sound& s = *v.snd;
    const float* base = s.data.data() + media_sound::GUARD_BEFORE * CH;
    const double len = s.frames;
    const double step = double(v.rate) * s.rate / MIX_RATE;
    float tl, tr;
    target_gains(v, tl, tr);
    if (v.fade > 0) {
        // fading out after a stop: the gain ramps down frame by frame to the release
        for (int f = 0; f < frames; f++) {
            float k = float(v.fade) / FADE_FRAMES;
            float kl = v.gain_l * k, kr = v.gain_r * k;
            mix_run<CH, false>(base, v.pos, step, 1, out + 2 * f, kl, kr, 0, 0);
            if (--v.fade == 0 || (v.pos >= len && !s.loop)) {
                release(v);
                return;
            }
            if (v.pos >= len) v.pos = std::fmod(v.pos, len);
        }
        return;
    }
    float gl = v.gain_l, gr = v.gain_r;
    int f = 0;
    while (f < frames) {
        // frames left before the end of the sample, so the inner loop need not test for it
        int run = frames - f;
        if (step > 0) run = int(std::min<double>(run, std::ceil((len - v.pos) / step)));
        run = std::max(run, 1);
        if (gl != tl || gr != tr) {
            mix_run<CH, true>(base, v.pos, step, run, out + 2 * f, gl, gr, tl, tr);
            if (std::fabs(gl - tl) < 1e-6f) gl = tl;
            if (std::fabs(gr - tr) < 1e-6f) gr = tr;
        } else {
            mix_run<CH, false>(base, v.pos, step, run, out + 2 * f, gl, gr, tl, tr);
        }
        f += run;
        if (v.pos >= len) {
            if (!s.loop) {
                release(v);
                return;
            }
            v.pos = std::fmod(v.pos, len);
        }
    }
    v.gain_l = gl;
    v.gain_r = gr;
}

inline float clip(float x) {
    if (!(x == x)) return 0.0f; // a NaN must never reach the device
    float a = std::fabs(x);
    if (a <= CLIP_KNEE) return x;
    float y = CLIP_KNEE + (1.0f - CLIP_KNEE) * std::tanh((a - CLIP_KNEE) / (1.0f - CLIP_KNEE));
    return x < 0 ? -y : y;
}

void mix_chunk(float* out, int frames) {
    std::memset(acc, 0, sizeof(float) * size_t(frames) * 2);
    for (voice& v : voices) {
        if (!v.snd || v.paused) continue;
        if (v.snd->channels == 2)
            mix_voice<2>(v, acc, frames);
        else
            mix_voice<1>(v, acc, frames);
    }
    if (stream_fn) {
        stream_fn(stream_buf, frames, stream_user);
        for (int i = 0; i < frames * 2; i++) acc[i] += stream_buf[i];
    }
    for (int i = 0; i < frames * 2; i++) out[i] = clip(acc[i]);
}

} // namespace

sound sound_from_samples(const std::vector<float>& samples, int channels, int rate, bool loop) {
    if (channels < 1 || channels > 2 || rate <= 0) return nullptr;
    int frames = int(samples.size()) / channels;
    if (frames <= 0) return nullptr;
    auto* s = new media_sound;
    s->frames = frames;
    s->channels = channels;
    s->rate = rate;
    s->loop = loop;
    const int before = media_sound::GUARD_BEFORE, after = media_sound::GUARD_AFTER;
    s->data.assign(size_t(before + frames + after) * channels, 0.0f);
    std::copy(samples.begin(), samples.begin() + size_t(frames) * channels,
              s->data.begin() + size_t(before) * channels);
    if (loop) {
        // The guards repeat the other end, so the loop seam interpolates like the middle.
        for (int g = 0; g < before; g++)
            for (int c = 0; c < channels; c++)
                s->data[size_t(g) * channels + c] =
                    samples[size_t(((frames - before + g) % frames + frames) % frames) * channels +
                            c];
        for (int g = 0; g < after; g++)
            for (int c = 0; c < channels; c++)
                s->data[size_t(before + frames + g) * channels + c] =
                    samples[size_t(g % frames) * channels + c];
    }
    return s;
}

void mixer_render(float* out, int frames) {
    if (!out) return;
    while (frames > 0) {
        int n = std::min(frames, CHUNK);
        mix_chunk(out, n);
        out += 2 * n;
        frames -= n;
    }
}

void mixer_reset() {
    for (voice& v : voices) release(v);
    next_serial = 1;
    next_age = 1;
    rate_sets = 0;
    stream_fn = nullptr;
    stream_user = nullptr;
}

void mixer_set_stream(mixer_stream_fn render, void* user) {
    mixer_guard g;
    stream_fn = render;
    stream_user = user;
}

mixer_guard::mixer_guard() { backend::audio_lock(); }
mixer_guard::~mixer_guard() { backend::audio_unlock(); }

channel mixer_cue(const media_sound* s) {
    if (!s) return 0;
    int slot = -1;
    for (int i = 0; i < MIX_VOICES && slot < 0; i++)
        if (!voices[i].snd) slot = i;
    if (slot < 0) {
        // Full: take the oldest one-shot (fading ones first); looping hums are never stolen.
        uint32_t best = UINT32_MAX;
        for (int i = 0; i < MIX_VOICES; i++) {
            const voice& v = voices[i];
            if (v.snd->loop && v.fade == 0) continue;
            uint32_t key = v.fade > 0 ? 0 : v.age;
            if (key < best || slot < 0) {
                best = key;
                slot = i;
            }
        }
        if (slot < 0) return 0;
    }
    if (next_serial > INT_MAX / MIX_VOICES - 1) next_serial = 1;
    voice& v = voices[slot];
    v = voice{};
    v.snd = s;
    v.id = next_serial++ * MIX_VOICES + slot + 1;
    v.paused = true;
    v.age = next_age++;
    return v.id;
}

void mixer_volume(channel c, float volume) {
    if (voice* v = find(c)) {
        v->volume = std::clamp(volume, 0.0f, 1.0f);
        if (!v->started) target_gains(*v, v->gain_l, v->gain_r);
    }
}

void mixer_pan(channel c, float pan) {
    if (voice* v = find(c)) {
        v->pan = std::clamp(pan, -1.0f, 1.0f);
        if (!v->started) target_gains(*v, v->gain_l, v->gain_r);
    }
}

void mixer_rate(channel c, float rate) {
    if (voice* v = find(c)) {
        v->rate = std::clamp(rate, 0.0f, MAX_RATE);
        rate_sets++;
    }
}

void mixer_pause(channel c, bool paused) {
    if (voice* v = find(c)) {
        v->paused = paused;
        if (!paused) v->started = true;
    }
}

void mixer_stop(channel c) {
    if (voice* v = find(c)) {
        v->id = 0; // the handle is dead at once; the tail only fades
        if (v->paused) {
            release(*v);
        } else {
            v->fade = FADE_FRAMES;
        }
    }
}

bool mixer_playing(channel c) { return find(c) != nullptr; }

void mixer_forget(const media_sound* s) {
    for (voice& v : voices)
        if (v.snd == s) release(v);
}

int mixer_active_voices() {
    int n = 0;
    for (const voice& v : voices) n += v.snd != nullptr;
    return n;
}

long mixer_rate_sets() { return rate_sets; }
