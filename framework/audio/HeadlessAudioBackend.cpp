#include "framework/audio/HeadlessAudioBackend.h"

#include "framework/audio/HeadlessAudioVoice.h"

uint32_t HeadlessAudioBackend::OutputChannelMask() const {
  return 0x3;  // front left and front right
}

std::unique_ptr<AudioVoice> HeadlessAudioBackend::CreateVoice(std::shared_ptr<const WaveData> wave) {
  return std::make_unique<HeadlessAudioVoice>(std::move(wave), OutputChannels());
}
