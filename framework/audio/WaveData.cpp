#include "framework/audio/WaveData.h"

#include <SDL.h>

#include <climits>
#include <cstdint>
#include <cstring>

#include "framework/VelFileSystem.h"

namespace {

// The range of source rates the mixer accepts.
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 200000;

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

uint32_t ReadU32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// SDL allocates a chunk's stated length before it reads it, so a few hostile
// bytes could ask for 4 GB. The chunks SDL reads are checked against the
// bytes really there first; other chunks it skips without reading.
bool ChunksFit(const uint8_t* data, size_t size, std::string* error) {
  if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
    return Fail(error, "not a RIFF WAVE file");
  size_t at = 12;
  while (size - at >= 8) {
    const uint8_t* chunk = data + at;
    const uint64_t length = ReadU32(chunk + 4);
    const bool read = std::memcmp(chunk, "fmt ", 4) == 0 || std::memcmp(chunk, "data", 4) == 0 ||
                      std::memcmp(chunk, "fact", 4) == 0;
    if (length > size - at - 8) return read ? Fail(error, "a chunk is longer than the file") : true;
    at += 8 + size_t(length) + (length & 1);
    if (at > size) break;
  }
  return true;
}

bool DecodeStream(SDL_RWops* file, WaveData& out, std::string* error) {
  if (!file) return Fail(error, SDL_GetError());
  // A file whose chunks promise more data than it holds is damaged; refuse it
  // rather than play the part that is there. The RIFF size itself is often
  // wrong in files from careless writers, so that one is not held against it.
  SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
  SDL_AudioSpec spec;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  // The 1 makes SDL close the file whatever happens.
  if (!SDL_LoadWAV_RW(file, 1, &spec, &buffer, &length)) return Fail(error, SDL_GetError());

  bool ok = true;
  if (spec.format != AUDIO_U8 && spec.format != AUDIO_S16LSB) {
    ok = Fail(error, "not 8- or 16-bit PCM");
  } else if (spec.channels != 1 && spec.channels != 2) {
    ok = Fail(error, "not mono or stereo");
  } else if (spec.freq < kMinRate || spec.freq > kMaxRate) {
    ok = Fail(error, "sample rate out of range");
  }
  SDL_AudioCVT cvt;
  if (ok && SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, spec.channels,
                              spec.freq) < 0) {
    ok = Fail(error, SDL_GetError());
  }
  uint32_t frameBytes = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
  uint32_t usable = ok ? length - length % frameBytes : 0;
  if (ok && usable == 0) ok = Fail(error, "no samples");
  if (ok) {
    std::vector<Uint8> work(size_t(usable) * cvt.len_mult);
    std::memcpy(work.data(), buffer, usable);
    cvt.buf = work.data();
    cvt.len = int(usable);
    if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) {
      ok = Fail(error, SDL_GetError());
    } else {
      size_t bytes = cvt.needed ? size_t(cvt.len_cvt) : usable;
      out.samples.resize(bytes / sizeof(int16_t));
      std::memcpy(out.samples.data(), work.data(), out.samples.size() * sizeof(int16_t));
      out.channels = spec.channels;
      out.sampleRate = spec.freq;
    }
  }
  SDL_FreeWAV(buffer);
  return ok;
}

}  // namespace

std::shared_ptr<const WaveData> WaveData::Load(const std::string& path, std::string* error) {
  std::vector<unsigned char> bytes;
  std::string why;
  if (!VelFileSystem::ReadWholeFile(path, &bytes, kMaxFileBytes, &why)) {
    while (!why.empty() && why.back() == '\n') why.pop_back();
    Fail(error, why);
    return nullptr;
  }
  return Decode(bytes.data(), bytes.size(), error);
}

std::shared_ptr<const WaveData> WaveData::Decode(const void* data, size_t size, std::string* error) {
  if (size > size_t(INT_MAX)) {
    Fail(error, "file too large");
    return nullptr;
  }
  if (!ChunksFit(static_cast<const uint8_t*>(data), size, error)) return nullptr;
  auto wave = std::make_shared<WaveData>();
  if (!DecodeStream(SDL_RWFromConstMem(data, int(size)), *wave, error)) return nullptr;
  return wave;
}
