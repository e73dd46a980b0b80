#pragma once

// Decoded wave data, always 16-bit signed PCM, interleaved, in the file's own
// channel count and sample rate.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class WaveData {
 public:
  // Reads a RIFF WAVE file (through SDL's decoder on Linux, RiffWave on
  // Windows) and converts it to 16-bit PCM. Accepts PCM of 8 or 16 bits, mono or stereo, 1 to 200 kHz;
  // anything else, or a damaged file, gives null and the reason in error.
  static std::shared_ptr<const WaveData> Load(const std::string& path, std::string* error = nullptr);
  // The same from a file's bytes in memory.
  static std::shared_ptr<const WaveData> Decode(const void* data, size_t size, std::string* error = nullptr);

  // Longer files are refused (about 25 minutes of 44.1 kHz stereo).
  static constexpr uint64_t kMaxFileBytes = uint64_t{256} << 20;

  int channels = 0;
  int sampleRate = 0;
  std::vector<int16_t> samples;  // channels values per frame

  uint32_t FrameCount() const { return channels > 0 ? uint32_t(samples.size() / channels) : 0; }
  uint32_t DurationMilliseconds() const {
    if (sampleRate <= 0) return 0;
    return uint32_t((uint64_t(FrameCount()) * 1000 + sampleRate - 1) / sampleRate);
  }
};
