#include "WavFile.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
void PutU16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xff));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xff));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  PutU16(out, v & 0xffff);
  PutU16(out, v >> 16);
}
void PutTag(std::vector<uint8_t>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}
}  // namespace

bool WriteWavFile(const std::string& path, const SoundBuffer& buffer) {
  const uint32_t dataBytes = static_cast<uint32_t>(buffer.Size() * 2);
  const uint32_t rate = static_cast<uint32_t>(buffer.Rate());
  std::vector<uint8_t> bytes;
  bytes.reserve(44 + dataBytes);
  PutTag(bytes, "RIFF");
  PutU32(bytes, 36 + dataBytes);
  PutTag(bytes, "WAVE");
  PutTag(bytes, "fmt ");
  PutU32(bytes, 16);
  PutU16(bytes, 1);  // PCM
  PutU16(bytes, 1);  // mono
  PutU32(bytes, rate);
  PutU32(bytes, rate * 2);  // bytes per second
  PutU16(bytes, 2);         // block align
  PutU16(bytes, 16);        // bits per sample
  PutTag(bytes, "data");
  PutU32(bytes, dataBytes);
  for (float s : buffer.Samples()) {
    long v = std::lround(static_cast<double>(s) * 32767.0);
    if (v > 32767) v = 32767;
    if (v < -32768) v = -32768;
    PutU16(bytes, static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(v))));
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    std::fprintf(stderr, "sounds: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fclose(file) == 0 && ok;
  if (!ok) std::fprintf(stderr, "sounds: short write to %s\n", path.c_str());
  return ok;
}
