// Feeds arbitrary bytes to the sound loader's WAV decoder (SDL's RIFF parser
// and the conversion to 16-bit PCM behind it), as the sound effects read
// their files.

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/audio/WaveData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string error;
  auto wave = WaveData::Decode(data, size, &error);
  if (wave) {
    // Touch every sample so a short buffer behind a long claim shows up.
    volatile int64_t sum = 0;
    for (int16_t s : wave->samples) sum = sum + s;
    (void)wave->DurationMilliseconds();
  }
  return 0;
}
