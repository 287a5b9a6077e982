// The three tunes: Impulse Tracker modules with synthesised samples.
#pragma once

#include <string>

// Writes outdir/music/Theme0.it (title), Theme1.it (in game) and Theme2.it (high score);
// files whose bytes would not change are left alone.
bool gen_music(const std::string& outdir);
