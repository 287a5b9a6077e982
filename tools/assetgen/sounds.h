// The sound bank's WAV files, synthesised.
#pragma once

#include "sounds_synth.h"

#include <string>
#include <vector>

struct generated_sound {
    const char* file; // under sounds/
    synth::wave wave; // normalised, ready to encode
};

// Renders every sound of the bank, deterministically.
std::vector<generated_sound> render_sounds();

// Writes outdir/sounds/*.wav; files whose bytes would not change are left alone.
bool gen_sounds(const std::string& outdir);
