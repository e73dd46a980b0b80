#include "framework/audio/WaveData.h"

#include <SDL.h>

#include <cstring>

namespace {

// The range of source rates the mixer accepts.
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 200000;

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

bool Decode(const std::string& path, WaveData& out, std::string* error) {
  SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
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
  auto wave = std::make_shared<WaveData>();
  if (!Decode(path, *wave, error)) return nullptr;
  return wave;
}
