// Every effect of the sound bank, designed in code: each function below is one sound,
// named by its file, with what it accompanies in the game.
#include "sounds.h"

#include "sounds_wav.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

using namespace synth;

namespace {

float time_of(int i) { return float(i) / RATE; }

// A blast: noise through a lowpass that closes from bright to dark, a sub-bass thump
// that drops in pitch, and sparse crackles in the first part of the tail.
struct blast_shape {
    float seconds, bright_hz, dark_hz, close_s, body_decay;
    float thump_from, thump_to, thump_decay, thump_level;
    float crackle; // chance per sample of a crackle at the start
    uint32_t seed;
};

wave blast(const blast_shape& b) {
    wave w = mono(b.seconds);
    noise n(b.seed), pick(b.seed * 7 + 3);
    svf body, rumble, crack;
    osc thump;
    float crackle_env = 0;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float x = n.next();
        body.run(x, sweep(t, b.bright_hz, b.dark_hz, b.close_s), 0.8f);
        rumble.run(x, 90.0f, 0.9f);
        float v = body.low * env_ad(t, 0.003f, b.body_decay);
        v += rumble.low * 2.5f * env_ad(t, 0.02f, b.body_decay * 1.8f);
        v += b.thump_level * thump.sine(sweep(t, b.thump_from, b.thump_to, b.thump_decay * 2)) *
             env_ad(t, 0.001f, b.thump_decay);
        float chance = b.crackle * std::exp(-t / (b.seconds * 0.3f));
        if (pick.next() * 0.5f + 0.5f < chance) crackle_env = 1.0f;
        crackle_env *= 0.985f;
        crack.run(x, 3000.0f, 0.7f);
        v += crack.band * crackle_env * 1.5f;
        w.data[i] = soft_sat(v * 1.2f);
    }
    return w;
}

// ------------------------------------------------------------------ spawns

// A square spawns: a buzzing saw and fifth that rise and open up, with a fast tremolo.
wave buzz3() {
    wave w = mono(0.42f);
    osc a, b;
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float hz = sweep(t, 98.0f, 196.0f, 0.3f);
        float v = a.saw(hz) + 0.6f * b.square(hz * 1.5f * 1.004f, 0.3f);
        f.run(v, 500.0f + 5000.0f * t, 3.0f);
        float trem = 0.7f + 0.3f * std::sin(2 * float(PI) * 30 * t);
        w.data[i] = f.low * trem * env_ad(t, 0.008f, 0.16f);
    }
    return w;
}

// A pinwheel spawns: a round pop that drops in pitch, with a tiny click on top.
wave pop2() {
    wave w = mono(0.16f);
    osc o;
    noise n(22);
    svf click;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float v = o.sine(sweep(t, 1100.0f, 260.0f, 0.07f)) * env_ad(t, 0.001f, 0.045f);
        click.run(n.next(), 3500.0f, 1.5f);
        v += click.band * env_ad(t, 0.0005f, 0.004f) * 0.8f;
        w.data[i] = v;
    }
    return w;
}

// A diamond spawns: an upward bloop with an echoing higher twin.
wave pop3() {
    wave w = mono(0.2f);
    osc a, b;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float v = a.sine(sweep(t, 380.0f, 1300.0f, 0.09f)) * env_ad(t, 0.002f, 0.05f);
        float t2 = t - 0.06f;
        if (t2 > 0)
            v += 0.6f * b.sine(sweep(t2, 760.0f, 2000.0f, 0.07f)) * env_ad(t2, 0.002f, 0.04f);
        w.data[i] = v;
    }
    return w;
}

// A cube spawns: a wobbling FM tone whose brightness drains away.
wave snake1() {
    wave w = mono(0.45f);
    osc car, mod;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float hz = 260.0f * (1.0f + 0.06f * std::sin(2 * float(PI) * 11 * t)) *
                   sweep(t, 1.0f, 0.7f, 0.45f);
        float index = 5.0f * std::exp(-t / 0.15f);
        float m = mod.sine(hz * 1.5f) * index;
        car.phase += m * 0.006;
        w.data[i] = car.sine(hz) * env_ad(t, 0.005f, 0.14f);
    }
    return w;
}

// A seeker spawns: a low growl climbing out of the dark.
wave gruntborn() {
    wave w = mono(0.42f);
    osc a, lfo;
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float hz = sweep(t, 65.0f, 150.0f, 0.35f);
        float growl = 0.6f + 0.4f * lfo.sine(34.0f);
        f.run(a.square(hz, 0.35f) * growl, sweep(t, 300.0f, 2200.0f, 0.3f), 4.0f);
        w.data[i] = soft_sat(f.low * 1.5f) * env_ad(t, 0.02f, 0.15f);
    }
    return w;
}

// A black hole spawns: a deep inward whoosh over a sub that swells in.
wave sun1() {
    wave w = mono(0.95f);
    noise n(61);
    svf f;
    osc sub;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        f.run(n.next(), sweep(t, 1400.0f, 180.0f, 0.8f), 5.0f);
        float swell = env_ad(t, 0.35f, 0.25f);
        w.data[i] = f.band * swell * 1.4f + 0.7f * sub.sine(sweep(t, 40.0f, 62.0f, 0.6f)) * swell;
    }
    fade_out(w, 0.1f);
    return w;
}

// The black hole's hum: two seconds that loop without a seam. Every tone is a whole number
// of cycles in the loop, and the breath of noise is cross-faded into its own start.
wave bondloop() {
    constexpr int L = 2 * RATE;
    constexpr int X = RATE / 5;
    wave w = mono(2.0f);
    // filtered noise, with X frames before the loop to cross-fade from
    std::vector<float> nz(L + X);
    noise n(77);
    svf f;
    for (int i = 0; i < RATE; i++) f.run(n.next(), 220.0f, 2.0f); // settle the filter
    for (int i = 0; i < L + X; i++) {
        f.run(n.next(), 220.0f, 2.0f);
        nz[i] = f.band;
    }
    for (int i = 0; i < L; i++) {
        double t = double(i) / RATE;
        auto s = [&](double hz) { return float(std::sin(2 * PI * hz * t)); };
        // 55 Hz against 55.5 Hz beats once per loop; the throb is 4 Hz, 8 per loop
        float tone =
            0.5f * s(55.0) + 0.4f * s(55.5) + 0.3f * s(110.0) + 0.12f * s(165.5) + 0.06f * s(220.0);
        float throb = 0.8f + 0.2f * s(4.0);
        float noise_part = nz[X + i];
        if (i >= L - X) {
            // equal-power fade from the loop's tail into the frames before its start
            float k = float(i - (L - X)) / X;
            noise_part = nz[X + i] * std::sqrt(1 - k) + nz[i - (L - X)] * std::sqrt(k);
        }
        w.data[i] = soft_sat(tone * throb * 0.8f) + noise_part * 0.6f;
    }
    return w;
}

// A snake spawns: a slide whistle that swoops up and wavers.
wave wee() {
    wave w = mono(0.55f);
    osc o, vib;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float hz = sweep(t, 380.0f, 1500.0f, 0.3f) * (1 + 0.03f * t * 4 * vib.sine(9.0f));
        w.data[i] = (o.sine(hz) * 0.8f + 0.2f * std::sin(2 * float(o.phase) * float(PI) * 2)) *
                    env_ad(t, 0.02f, 0.2f);
    }
    return w;
}

// An interceptor spawns: a two-tone alarm, four beeps.
wave warn1() {
    wave w = mono(0.56f);
    osc o;
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        int step = int(t / 0.09f);
        float hz = step % 2 ? 660.0f : 880.0f;
        float within = t - step * 0.09f;
        float gate = std::min(1.0f, within / 0.004f) * (within < 0.075f ? 1.0f : 0.0f);
        f.run(o.square(hz), 2800.0f, 0.8f);
        w.data[i] = f.low * gate * env_ad(t, 0.0f, 0.4f);
    }
    fade_out(w, 0.02f);
    return w;
}

// A butterfly spawns: a fluttering chirp beating like wings.
wave butterfly() {
    wave w = mono(0.4f);
    osc o, h, wing;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float hz = sweep(t, 900.0f, 1600.0f, 0.35f);
        float beat = wing.sine(26.0f);
        float v = o.tri(hz) + 0.35f * h.sine(hz * 2.01f);
        w.data[i] = v * beat * beat * env_ad(t, 0.02f, 0.16f);
    }
    return w;
}

// A generator spawns: a nasal "mew" through two moving formants.
wave cat() {
    wave w = mono(0.55f);
    osc o, vib;
    svf f1, f2;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float arc = std::sin(float(PI) * std::min(t / 0.5f, 1.0f)); // up then down
        float hz = (420.0f + 260.0f * arc) * (1 + 0.01f * vib.sine(6.0f));
        float src = o.saw(hz);
        f1.run(src, 500.0f + 500.0f * arc, 6.0f);
        f2.run(src, 1300.0f + 700.0f * arc, 8.0f);
        w.data[i] = (f1.band + 0.7f * f2.band) * env_ad(t, 0.04f, 0.25f);
    }
    fade_out(w, 0.05f);
    return w;
}

// A triangle spawns: a thinner, higher buzz than the square's, held, then cut short.
wave buzz1() {
    wave w = mono(0.34f);
    osc a, b;
    b.phase = 0.5; // the two saws' edges apart, so the buzz is even rather than spiky
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float hz = sweep(t, 220.0f, 330.0f, 0.25f);
        f.run(a.saw(hz) + b.saw(hz * 1.007f), 2600.0f, 1.5f);
        float trem = 0.7f + 0.3f * std::sin(2 * float(PI) * 21 * t);
        float env = std::min(1.0f, t / 0.01f) * (t < 0.2f ? 1.0f : std::exp(-(t - 0.2f) / 0.04f));
        w.data[i] = f.low * trem * env;
    }
    return w;
}

// ------------------------------------------------------------------ hits and kills

// A black hole is hit: a dull thud with a metallic ring.
wave sunhit1() {
    wave w = mono(0.3f);
    osc thud, p1, p2, p3;
    noise n(81);
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float v = thud.sine(sweep(t, 130.0f, 55.0f, 0.08f)) * env_ad(t, 0.001f, 0.07f);
        v += (0.3f * p1.sine(320.0f) + 0.22f * p2.sine(517.0f) + 0.15f * p3.sine(861.0f)) *
             env_ad(t, 0.001f, 0.06f);
        v += n.next() * env_ad(t, 0.0005f, 0.006f) * 0.4f;
        w.data[i] = v;
    }
    return w;
}

// A black hole swallows something: a crackling sizzle over a falling whistle.
wave sizzle1() {
    wave w = mono(0.36f);
    noise n(91), pick(92);
    svf hp;
    osc whistle;
    float crackle = 0;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        hp.run(n.next(), 4500.0f, 0.7f);
        if (pick.next() > 0.995f) crackle = 1.0f;
        crackle *= 0.992f;
        float v = hp.high * (0.35f + crackle) * env_ad(t, 0.01f, 0.11f);
        v += 0.25f * whistle.sine(sweep(t, 2200.0f, 600.0f, 0.3f)) * env_ad(t, 0.01f, 0.09f);
        w.data[i] = v;
    }
    return w;
}

// A snake's head is hit: a short square blip that dips.
wave snakehit() {
    wave w = mono(0.1f);
    osc o;
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        f.run(o.square(sweep(t, 900.0f, 600.0f, 0.06f)), 2500.0f, 0.8f);
        w.data[i] = f.low * env_ad(t, 0.001f, 0.03f);
    }
    return w;
}

// A snake's tail is hit: a woody tock.
wave tailhit() {
    wave w = mono(0.08f);
    osc o;
    noise n(101);
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        f.run(n.next(), 1800.0f, 3.0f);
        w.data[i] = o.sine(sweep(t, 620.0f, 480.0f, 0.03f)) * env_ad(t, 0.0005f, 0.018f) +
                    f.band * env_ad(t, 0.0005f, 0.006f);
    }
    return w;
}

// An interceptor locks on: a shimmering, rising chord of close sines.
wave shield1() {
    wave w = mono(0.36f);
    osc a, b, c, d;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float up = sweep(t, 1.0f, 1.25f, 0.3f);
        float wob = 1 + 0.012f * std::sin(2 * float(PI) * 17 * t);
        float v = a.sine(1200 * up * wob) + b.sine(1207 * up) + 0.6f * c.sine(1805 * up * wob) +
                  0.35f * d.sine(2410 * up);
        w.data[i] = v * env_ad(t, 0.02f, 0.12f);
    }
    return w;
}

// A generator is hit: a metallic clank of inharmonic partials.
wave genhit1() {
    wave w = mono(0.16f);
    const float parts[4] = {430, 1120, 1870, 2930};
    osc o[4];
    noise n(111);
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float v = 0;
        for (int k = 0; k < 4; k++)
            v += o[k].sine(parts[k]) * env_ad(t, 0.0005f, 0.05f / (1 + k * 0.5f)) / (1 + k * 0.4f);
        v += n.next() * env_ad(t, 0.0005f, 0.004f) * 0.5f;
        w.data[i] = v;
    }
    return w;
}

// A generator is destroyed: a crunchy blast under a square that falls away.
wave genkilled1() {
    wave w = blast({0.9f, 6000, 200, 0.5f, 0.16f, 160, 40, 0.12f, 0.9f, 0.004f, 131});
    osc o;
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        f.run(o.square(sweep(t, 700.0f, 50.0f, 0.6f)), 1800.0f, 1.0f);
        float v = w.data[i] + 0.35f * f.low * env_ad(t, 0.001f, 0.25f);
        w.data[i] = std::round(v * 24.0f) / 24.0f; // a little bit-crush for the crunch
    }
    fade_out(w, 0.15f);
    return w;
}

// A linked triangle survives a hit: a glassy ping with echoes.
wave echo1() {
    wave w = mono(0.5f);
    osc a, b;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        w.data[i] = (a.sine(1320.0f) + 0.3f * b.sine(2640.0f)) * env_ad(t, 0.001f, 0.03f);
    }
    echo(w, 0.085f, 0.5f, 0.8f);
    fade_out(w, 0.05f);
    return w;
}

// A triangle is destroyed: a snap and a boing that wobbles out.
wave elastic() {
    wave w = mono(0.42f);
    osc o, h;
    noise n(121);
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float hz = 200.0f * (1 + 0.45f * std::sin(2 * float(PI) * 13 * t) * std::exp(-t / 0.15f)) *
                   sweep(t, 1.3f, 1.0f, 0.1f);
        float v = o.sine(hz) + 0.25f * h.tri(hz * 2);
        w.data[i] = v * env_ad(t, 0.002f, 0.13f) + n.next() * env_ad(t, 0.0003f, 0.005f) * 0.6f;
    }
    return w;
}

// Most enemies die: a crisp burst with a thump, pitched by each kind's rate.
wave quarkhit() {
    wave w = blast({0.34f, 9000, 700, 0.12f, 0.06f, 190, 55, 0.045f, 0.8f, 0.002f, 141});
    fade_out(w, 0.05f);
    return w;
}

// An interceptor dies: the burst plus a ringing metal shell.
wave quarkhit2() {
    wave w = blast({0.45f, 8000, 500, 0.15f, 0.07f, 150, 45, 0.05f, 0.8f, 0.002f, 151});
    osc a, b, c;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        w.data[i] += (0.3f * a.sine(700.0f) + 0.22f * b.sine(1130.0f) + 0.15f * c.sine(1690.0f)) *
                     env_ad(t, 0.001f, 0.12f);
    }
    fade_out(w, 0.05f);
    return w;
}

// ------------------------------------------------------------------ big explosions

// A black hole overloads: a quick inward suck, then the blast, in a room.
wave sunexp() {
    const float suck = 0.28f;
    wave w = mono(suck);
    osc o;
    noise n(161);
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        f.run(n.next(), sweep(t, 300.0f, 3000.0f, suck), 3.0f);
        float rise = t / suck;
        w.data[i] = (o.saw(sweep(t, 80.0f, 700.0f, suck)) * 0.3f + f.band) * rise * rise;
    }
    wave boom = blast({1.5f, 7000, 120, 0.9f, 0.3f, 110, 32, 0.2f, 1.0f, 0.004f, 162});
    mix_into(w, boom, 1.0f, int(suck * RATE));
    wave out = reverb_stereo(w, 0.84f, 0.4f, 0.5f);
    fade_out(out, 0.3f);
    return out;
}

// A black hole is shot down: the biggest, deepest blast, long rumbling tail, wide.
wave explo1_big() {
    wave w = blast({2.3f, 5500, 90, 1.3f, 0.45f, 90, 28, 0.25f, 1.1f, 0.003f, 171});
    wave out = reverb_stereo(w, 0.86f, 0.45f, 0.55f);
    fade_out(out, 0.4f);
    return out;
}

// The smart bomb: a bright crack and a shock wave that sweeps down with a flanged roar.
wave explo1_bomb() {
    wave w = mono(1.9f);
    noise n(181);
    svf hi, roar;
    osc woom, wsub;
    std::vector<float> hist(2048, 0.0f);
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float x = n.next();
        hi.run(x, 7000.0f, 0.7f);
        roar.run(x, sweep(t, 2500.0f, 150.0f, 1.2f), 1.2f);
        float v = hi.high * env_ad(t, 0.0005f, 0.05f) * 1.2f;
        v += roar.low * env_ad(t, 0.01f, 0.45f) * 1.4f;
        v += 0.6f * woom.saw(sweep(t, 320.0f, 38.0f, 1.1f)) * env_ad(t, 0.005f, 0.4f) * 0.5f;
        v += 0.7f * wsub.sine(sweep(t, 80.0f, 30.0f, 0.6f)) * env_ad(t, 0.002f, 0.35f);
        // flanger: a swept short delay gives the "whoosh" of the wave passing
        int d = 40 + int(300 * (0.5f + 0.5f * std::sin(2 * float(PI) * 0.7f * t)));
        hist[i & 2047] = v;
        v = 0.7f * v + 0.5f * hist[(i - d) & 2047];
        w.data[i] = soft_sat(v);
    }
    wave out = reverb_stereo(w, 0.8f, 0.3f, 0.45f);
    fade_out(out, 0.35f);
    return out;
}

// The player's ship is destroyed: a blast with a long falling cry.
wave die1() {
    wave w = blast({1.6f, 7000, 150, 0.8f, 0.28f, 120, 35, 0.15f, 1.0f, 0.004f, 191});
    osc o, v2;
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float hz = sweep(t, 900.0f, 70.0f, 1.2f);
        f.run(o.square(hz, 0.4f) + v2.saw(hz * 1.01f), 2000.0f, 1.0f);
        w.data[i] += 0.3f * f.low * env_ad(t, 0.005f, 0.5f);
    }
    wave out = reverb_stereo(w, 0.8f, 0.4f, 0.45f);
    fade_out(out, 0.3f);
    return out;
}

// ------------------------------------------------------------------ the player

// Each volley: a short soft laser "pew" (it plays many times a second, so it stays light).
wave shotborn() {
    wave w = mono(0.09f);
    osc o;
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        f.run(o.square(sweep(t, 1900.0f, 450.0f, 0.07f)), 4500.0f, 0.7f);
        w.data[i] = f.low * env_ad(t, 0.001f, 0.028f);
    }
    fade_out(w, 0.01f);
    return w;
}

// A shot dies at a wall or an enemy: a tiny puff.
wave shotwall() {
    wave w = mono(0.07f);
    noise n(201);
    svf f;
    osc o;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        f.run(n.next(), 2200.0f, 1.5f);
        w.data[i] =
            f.band * env_ad(t, 0.0005f, 0.014f) + 0.3f * o.sine(320.0f) * env_ad(t, 0.001f, 0.012f);
    }
    return w;
}

// One note of a bright, soft-edged synth voice, for the jingles.
void synth_note(wave& w, float start, float length, float hz, float level, float decay) {
    osc a, b;
    svf f;
    int from = int(start * RATE), to = std::min(w.frames(), int((start + length) * RATE));
    for (int i = from; i < to; i++) {
        float t = float(i - from) / RATE;
        f.run(a.saw(hz) + b.square(hz * 1.005f), 1200.0f + 5000.0f * std::exp(-t / 0.08f), 1.2f);
        float tail = std::min(1.0f, (to - i) / (0.01f * RATE));
        w.data[i] += level * f.low * env_ad(t, 0.004f, decay) * tail;
    }
}

// A power-up is collected: a quick rising major arpeggio.
wave bonus1() {
    wave w = mono(0.42f);
    const float notes[4] = {84, 88, 91, 96};
    for (int k = 0; k < 4; k++)
        synth_note(w, k * 0.05f, 0.42f - k * 0.05f, midi_hz(notes[k]), 0.5f, 0.09f);
    fade_out(w, 0.05f);
    return w;
}

// The get-ready sequence: a rising sweep that lands on a bright chord.
wave startup() {
    wave w = mono(1.0f);
    osc a, b;
    svf f;
    noise n(211);
    for (int i = 0; i < int(0.7f * RATE); i++) {
        float t = time_of(i);
        float hz = sweep(t, 110.0f, 440.0f, 0.7f);
        f.run(a.saw(hz) + b.saw(hz * 1.5f), sweep(t, 300.0f, 6000.0f, 0.7f), 2.5f);
        w.data[i] = f.low * 0.5f * (t / 0.7f) + n.next() * 0.03f * t;
    }
    const float chord[3] = {69, 73, 76};
    for (float note : chord) synth_note(w, 0.7f, 0.3f, midi_hz(note), 0.35f, 0.12f);
    fade_out(w, 0.04f);
    return w;
}

// The last ship is lost: a slow falling minor arpeggio that rings out with echoes.
wave gameover() {
    wave w = mono(2.1f);
    const float notes[5] = {69, 65, 62, 57, 50};
    for (int k = 0; k < 5; k++)
        synth_note(w, k * 0.22f, k == 4 ? 1.0f : 0.26f, midi_hz(notes[k]), 0.45f,
                   k == 4 ? 0.4f : 0.12f);
    echo(w, 0.22f, 0.35f, 0.45f);
    fade_out(w, 0.3f);
    return w;
}

// An extra ship: a triumphant five-note climb that holds its top.
wave brainborn() {
    wave w = mono(0.8f);
    const float notes[5] = {72, 76, 79, 84, 88};
    for (int k = 0; k < 5; k++)
        synth_note(w, k * 0.07f, 0.8f - k * 0.07f, midi_hz(notes[k]), 0.4f, k == 4 ? 0.25f : 0.1f);
    fade_out(w, 0.08f);
    return w;
}

// An extra bomb: a low power chord that charges upward and lands with a thump.
wave buzz2() {
    wave w = mono(0.56f);
    osc a, b, c, th;
    svf f;
    for (int i = 0; i < w.frames(); i++) {
        float t = time_of(i);
        float hz = sweep(t, 98.0f, 196.0f, 0.45f);
        f.run(a.saw(hz) + b.saw(hz * 1.498f) + 0.5f * c.saw(hz * 2.003f),
              sweep(t, 400.0f, 4000.0f, 0.45f), 2.0f);
        float v = f.low * 0.5f * env_ad(t, 0.05f, 0.35f);
        v += th.sine(sweep(t, 140.0f, 50.0f, 0.08f)) * env_ad(t, 0.001f, 0.06f) * 0.7f;
        w.data[i] = soft_sat(v);
    }
    fade_out(w, 0.05f);
    return w;
}

// A bell tone: FM with a falling index, for chimes.
void bell(wave& w, float start, float hz, float level, float decay) {
    osc c, m;
    int from = int(start * RATE);
    for (int i = from; i < w.frames(); i++) {
        float t = float(i - from) / RATE;
        float idx = 3.0f * std::exp(-t / 0.05f) + 0.6f;
        c.phase += m.sine(hz * 3.5f) * idx * 0.015;
        w.data[i] += level * c.sine(hz) * env_ad(t, 0.001f, decay);
    }
}

// The multiplier rises: a two-note chime, up a fifth.
wave bonus2() {
    wave w = mono(0.32f);
    bell(w, 0.0f, midi_hz(88), 0.5f, 0.08f);
    bell(w, 0.08f, midi_hz(95), 0.5f, 0.1f);
    fade_out(w, 0.04f);
    return w;
}

// A milestone power-up is dropped: a sparkle of pentatonic pips, down then up.
wave bonusborn() {
    wave w = mono(0.5f);
    const float scale[6] = {84, 86, 88, 91, 93, 96};
    const int order[9] = {5, 4, 3, 2, 1, 2, 3, 4, 5};
    for (int k = 0; k < 9; k++) bell(w, k * 0.04f, midi_hz(scale[order[k]]), 0.3f, 0.05f);
    fade_out(w, 0.06f);
    return w;
}

struct bank_sound {
    const char* file;
    wave (*make)();
    float peak; // loudness in the bank: frequent sounds sit lower
};

const bank_sound bank[] = {
    {"buzz3.wav", buzz3, 0.7f},          {"pop2.wav", pop2, 0.7f},
    {"pop3.wav", pop3, 0.65f},           {"snake1.wav", snake1, 0.65f},
    {"gruntborn.wav", gruntborn, 0.7f},  {"sun1.wav", sun1, 0.8f},
    {"bondloop.wav", bondloop, 0.6f},    {"sunhit1.wav", sunhit1, 0.75f},
    {"sizzle1.wav", sizzle1, 0.6f},      {"sunexp.wav", sunexp, 0.9f},
    {"Explo1.wav", explo1_big, 0.92f},   {"wee.wav", wee, 0.6f},
    {"snakehit.wav", snakehit, 0.55f},   {"tailhit.wav", tailhit, 0.5f},
    {"warn1.wav", warn1, 0.6f},          {"shield1.wav", shield1, 0.5f},
    {"butterfly.wav", butterfly, 0.55f}, {"cat.wav", cat, 0.65f},
    {"genhit1.wav", genhit1, 0.6f},      {"genkilled1.wav", genkilled1, 0.85f},
    {"buzz1.wav", buzz1, 0.6f},          {"echo1.wav", echo1, 0.55f},
    {"elastic.wav", elastic, 0.7f},      {"bonus1.wav", bonus1, 0.6f},
    {"startup.wav", startup, 0.7f},      {"die1.wav", die1, 0.92f},
    {"shotborn.wav", shotborn, 0.35f},   {"shotwall.wav", shotwall, 0.4f},
    {"gameover.wav", gameover, 0.7f},    {"explo1.wav", explo1_bomb, 0.92f},
    {"brainborn.wav", brainborn, 0.65f}, {"buzz2.wav", buzz2, 0.7f},
    {"bonus2.wav", bonus2, 0.55f},       {"bonusborn.wav", bonusborn, 0.55f},
    {"quarkhit.wav", quarkhit, 0.8f},    {"quarkhit2.wav", quarkhit2, 0.8f},
};

} // namespace

std::vector<generated_sound> render_sounds() {
    std::vector<generated_sound> out;
    for (const bank_sound& b : bank) {
        wave w = b.make();
        if (b.make != bondloop) dc_block(w); // the hum has none, and must keep its seam
        normalize(w, b.peak);
        out.push_back({b.file, std::move(w)});
    }
    return out;
}

bool gen_sounds(const std::string& outdir) {
    const std::string dir = outdir + "/sounds";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    int written = 0, kept = 0;
    bool ok = true;
    for (const generated_sound& s : render_sounds()) {
        bool changed = false;
        const std::string path = dir + "/" + s.file;
        if (!write_bytes_if_changed(path, wav_encode_pcm16(s.wave), changed)) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            ok = false;
        }
        (changed ? written : kept)++;
    }
    std::printf("assetgen: sounds %d written, %d unchanged\n", written, kept);
    return ok;
}
