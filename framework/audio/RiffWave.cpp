#include "framework/audio/RiffWave.h"

#include <cstring>

#include "framework/audio/WaveData.h"

namespace {

constexpr int kMinRate = 1000;
constexpr int kMaxRate = 200000;
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;

bool Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

uint16_t U16(const uint8_t* p) {
  return uint16_t(p[0] | (p[1] << 8));
}

uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

bool Tag(const uint8_t* p, const char* tag) {
  return std::memcmp(p, tag, 4) == 0;
}

struct Format {
  int channels = 0;
  int rate = 0;
  int bits = 0;
};

bool ReadFormat(const uint8_t* p, uint32_t size, Format& format, std::string* error) {
  if (size < 16) return Fail(error, "fmt chunk too short");
  uint16_t tag = U16(p);
  if (tag == kFormatExtensible) {
    // The sub-format GUID's first two bytes carry the plain format tag.
    if (size < 40 || U16(p + 16) < 22) return Fail(error, "extensible fmt chunk too short");
    tag = U16(p + 24);
  }
  if (tag != kFormatPcm) return Fail(error, "not PCM");
  const uint16_t channels = U16(p + 2);
  const uint32_t rate = U32(p + 4);
  const uint16_t bits = U16(p + 14);
  if (bits != 8 && bits != 16) return Fail(error, "not 8- or 16-bit PCM");
  if (channels != 1 && channels != 2) return Fail(error, "not mono or stereo");
  if (rate < uint32_t(kMinRate) || rate > uint32_t(kMaxRate)) return Fail(error, "sample rate out of range");
  format.channels = channels;
  format.rate = int(rate);
  format.bits = bits;
  return true;
}

}  // namespace

bool DecodeRiffWave(const uint8_t* bytes, size_t size, WaveData& out, std::string* error) {
  if (!bytes || size < 12 || !Tag(bytes, "RIFF") || !Tag(bytes + 8, "WAVE"))
    return Fail(error, "not a RIFF WAVE file");
  // The RIFF size is often wrong in files from careless writers; the chunks
  // themselves must fit in the file.
  Format format;
  bool haveFormat = false;
  const uint8_t* data = nullptr;
  uint32_t dataSize = 0;
  size_t at = 12;
  while (at < size && !(haveFormat && data)) {
    if (size - at < 8) return Fail(error, "chunk header cut short");
    const uint8_t* header = bytes + at;
    uint32_t chunkSize = U32(header + 4);
    at += 8;
    if (chunkSize > size - at) return Fail(error, "chunk runs past the end of the file");
    if (Tag(header, "fmt ")) {
      if (!ReadFormat(bytes + at, chunkSize, format, error)) return false;
      haveFormat = true;
    } else if (Tag(header, "data") && !data) {
      data = bytes + at;
      dataSize = chunkSize;
    }
    // Chunks are padded to an even size; the last pad byte may be missing.
    at += chunkSize;
    if ((chunkSize & 1) && at < size) ++at;
  }
  if (!haveFormat) return Fail(error, "no fmt chunk");
  if (!data) return Fail(error, "no data chunk");

  const uint32_t frameBytes = uint32_t(format.bits / 8 * format.channels);
  const uint32_t usable = dataSize - dataSize % frameBytes;
  if (usable == 0) return Fail(error, "no samples");
  out.samples.resize(usable / (uint32_t(format.bits) / 8));
  if (format.bits == 16) {
    for (size_t i = 0; i < out.samples.size(); ++i) out.samples[i] = int16_t(U16(data + 2 * i));
  } else {
    // Unsigned 8-bit, 128 is silence; scaled through -1..1 as SDL does, so
    // both systems play the same samples.
    for (size_t i = 0; i < out.samples.size(); ++i) {
      const float level = float(data[i]) / 128.0f - 1.0f;
      out.samples[i] = level <= -1.0f ? int16_t(-32768) : int16_t(level * 32767.0f);
    }
  }
  out.channels = format.channels;
  out.sampleRate = format.rate;
  return true;
}
