#include "framework/audio/HeadlessAudioBackend.h"

#include <FAudio.h>

#include "framework/audio/HeadlessAudioVoice.h"

uint32_t HeadlessAudioBackend::OutputChannelMask() const {
  return SPEAKER_STEREO;
}

std::unique_ptr<AudioVoice> HeadlessAudioBackend::CreateVoice(std::shared_ptr<const WaveData> wave) {
  return std::make_unique<HeadlessAudioVoice>(std::move(wave), OutputChannels());
}
