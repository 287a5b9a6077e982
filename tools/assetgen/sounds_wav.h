// Output of the sound generators: 16-bit PCM WAV encoding and files rewritten only when
// their bytes change, so a rebuild leaves staged assets (and their times) alone.
#pragma once

#include "sounds_synth.h"

#include <cstdint>
#include <string>
#include <vector>

// Dithered to 16 bits with a fixed-seed noise, so the bytes are the same every run.
std::vector<uint8_t> wav_encode_pcm16(const synth::wave& w);

// Writes bytes to path through a temporary file unless the file already holds them;
// `written` says whether it changed. False when the file cannot be written.
bool write_bytes_if_changed(const std::string& path, const std::vector<uint8_t>& bytes,
                            bool& written);
