#pragma once

// A bounds-checked reader of RIFF WAVE files in memory, for systems without
// SDL's decoder: PCM of 8 or 16 bits, mono or stereo, 1 to 200 kHz (plain or
// in the extensible format), converted to 16-bit samples as SDL converts
// them. A chunk that runs past the end of the file is damage, not a short
// sound.

#include <cstddef>
#include <cstdint>
#include <string>

class WaveData;

bool DecodeRiffWave(const uint8_t* bytes, size_t size, WaveData& out, std::string* error);
