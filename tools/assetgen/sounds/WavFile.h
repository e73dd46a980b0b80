#pragma once

#include <string>

#include "SoundBuffer.h"

// Writes a RIFF WAVE file: PCM, 16-bit, mono, at the buffer's rate. Samples beyond full
// scale are clamped. Returns false (and says why on stderr) when the file cannot be written.
bool WriteWavFile(const std::string& path, const SoundBuffer& buffer);
