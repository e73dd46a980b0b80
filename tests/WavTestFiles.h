#pragma once

// Small WAV files written by the tests themselves, and helpers to damage
// them.

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace wavtest {

inline void PutU16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
inline void PutU32(std::vector<uint8_t>& b, uint32_t v) {
  PutU16(b, v & 0xFFFF);
  PutU16(b, v >> 16);
}
inline void PutTag(std::vector<uint8_t>& b, const char* tag) {
  b.insert(b.end(), tag, tag + 4);
}

// A canonical RIFF WAVE with one fmt and one data chunk around raw sample bytes.
inline std::vector<uint8_t> MakeWav(uint16_t formatTag, int channels, int rate, int bits,
                                    const std::vector<uint8_t>& data) {
  std::vector<uint8_t> b;
  PutTag(b, "RIFF");
  PutU32(b, uint32_t(4 + 8 + 16 + 8 + data.size()));
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  PutU32(b, 16);
  PutU16(b, formatTag);
  PutU16(b, uint16_t(channels));
  PutU32(b, uint32_t(rate));
  PutU32(b, uint32_t(rate * channels * bits / 8));
  PutU16(b, uint16_t(channels * bits / 8));
  PutU16(b, uint16_t(bits));
  PutTag(b, "data");
  PutU32(b, uint32_t(data.size()));
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

// 16-bit PCM from interleaved samples.
inline std::vector<uint8_t> MakeWav16(int channels, int rate, const std::vector<int16_t>& samples) {
  std::vector<uint8_t> data;
  for (int16_t s : samples) PutU16(data, uint16_t(s));
  return MakeWav(1, channels, rate, 16, data);
}

// A sine tone, the same in every channel.
inline std::vector<int16_t> Tone(int channels, int rate, int milliseconds, double hz = 440.0,
                                 double amplitude = 0.5) {
  int frames = rate * milliseconds / 1000;
  std::vector<int16_t> s;
  s.reserve(size_t(frames) * channels);
  for (int i = 0; i < frames; ++i) {
    auto v = int16_t(std::lround(amplitude * 32767.0 * std::sin(2.0 * M_PI * hz * i / rate)));
    for (int c = 0; c < channels; ++c) s.push_back(v);
  }
  return s;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline void WriteTone(const std::filesystem::path& path, int channels, int rate, int milliseconds) {
  WriteFile(path, MakeWav16(channels, rate, Tone(channels, rate, milliseconds)));
}

// A fresh folder under the system's temporary folder, removed when done.
class TempDir {
 public:
  explicit TempDir(const std::string& name) {
    path = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::filesystem::path path;
};

}  // namespace wavtest
