#include "framework/audio/HeadlessAudioVoice.h"

#include "framework/audio/WaveData.h"
#include "platform/Platform.h"

HeadlessAudioVoice::HeadlessAudioVoice(std::shared_ptr<const WaveData> wave, int outputChannels)
    : wave(std::move(wave)) {
  matrix = DefaultMatrix(this->wave->channels, outputChannels);
}

void HeadlessAudioVoice::Start(bool loop) {
  started = true;
  looping = loop;
  startMs = Sys().GetMilliseconds();
}

bool HeadlessAudioVoice::IsPlaying() {
  if (!started || looping) return started;
  // Unsigned difference, so a wrap of the clock does not end a sound early.
  uint64_t elapsedMs = uint32_t(Sys().GetMilliseconds() - startMs);
  // Played source frames so far (a raised pitch plays faster) against the
  // wave's length: elapsed * rate * ratio >= frames * 1000.
  double played = double(elapsedMs) * wave->sampleRate * frequencyRatio;
  if (played >= double(wave->FrameCount()) * 1000.0) started = false;
  return started;
}

void HeadlessAudioVoice::SetOutputMatrix(const std::vector<float>& levels) {
  if (levels.size() == matrix.size()) matrix = levels;
}

void HeadlessAudioVoice::SetFrequencyRatio(float ratio) {
  if (ratio > 0) frequencyRatio = ratio;
}
