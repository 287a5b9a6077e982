// The game's own mixer: plain code that mixes voices into a float buffer. The audio
// backend pulls it under its lock; tests pull it directly.
#pragma once

constexpr int MIX_RATE = 44100;

// Fills frames stereo frames (interleaved left, right) in -1..1.
void mixer_render(float* out, int frames);
void mixer_reset();
