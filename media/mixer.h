// The game's own mixer: plain code that mixes voices into a float buffer. The audio
// backend pulls it under its lock; tests pull it directly.
#pragma once

#include "media.h"

#include <cstdint>
#include <vector>

constexpr int MIX_RATE = 44100;
// More than the busiest screen ever starts at once; a full mixer steals its oldest one-shot.
constexpr int MIX_VOICES = 128;

// A decoded sample: frames of 1 (mono) or 2 (interleaved stereo) floats at `rate` Hz, with
// guard frames around it so the interpolator never tests for the ends.
struct media_sound {
    std::vector<float> data; // GUARD_BEFORE frames, then `frames`, then GUARD_AFTER frames
    int frames = 0;
    int channels = 1;
    int rate = MIX_RATE;
    bool loop = false;
    static constexpr int GUARD_BEFORE = 1;
    static constexpr int GUARD_AFTER = 3;
};

// Builds a sound from interleaved samples (1 or 2 channels); nullptr for anything else or
// an empty sample. Free it with free_sound.
sound sound_from_samples(const std::vector<float>& samples, int channels, int rate, bool loop);

// Fills frames stereo frames (interleaved left, right) in -1..1.
void mixer_render(float* out, int frames);
// Drops every voice and the stream source.
void mixer_reset();

// The one stream source (the music): called from mixer_render with a buffer to fill with
// frames stereo frames at MIX_RATE. It runs on the audio thread: no allocation, no locks.
using mixer_stream_fn = void (*)(float* out, int frames, void* user);
// Takes the audio lock itself; nullptr removes the source.
void mixer_set_stream(mixer_stream_fn render, void* user);

// Holds the audio device's lock for its lifetime: whatever the audio thread reads is
// changed only under one of these.
struct mixer_guard {
    mixer_guard();
    ~mixer_guard();
    mixer_guard(const mixer_guard&) = delete;
    mixer_guard& operator=(const mixer_guard&) = delete;
};

// Voice operations behind the channel API; the caller holds a mixer_guard.
channel mixer_cue(const media_sound* s);
void mixer_volume(channel c, float volume);
void mixer_pan(channel c, float pan);
void mixer_rate(channel c, float rate);
void mixer_pause(channel c, bool paused);
void mixer_stop(channel c);
bool mixer_playing(channel c);
// Cuts every voice of s at once (the sample is about to be freed).
void mixer_forget(const media_sound* s);

// Counters for tests and benchmarks.
int mixer_active_voices(); // voices holding a sound, fading ones included
long mixer_rate_sets();    // set_channel_rate calls that reached a voice since mixer_reset
