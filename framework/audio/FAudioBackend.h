#pragma once

// The real mixer: FAudio, which opens its output through SDL's audio
// subsystem. When no device can be opened the backend stays silent.

#include <FAudio.h>

#include "framework/audio/AudioBackend.h"

class FAudioBackend : public AudioBackend {
 public:
  FAudioBackend();
  ~FAudioBackend() override;
  FAudioBackend(const FAudioBackend&) = delete;
  FAudioBackend& operator=(const FAudioBackend&) = delete;

  bool IsDevicePresent() const override { return master != nullptr; }
  int OutputChannels() const override { return channels; }
  int OutputSampleRate() const override { return sampleRate; }
  uint32_t OutputChannelMask() const override { return channelMask; }
  void SetMasterVolume(float volume) override;
  float MasterVolume() const override { return masterVolume; }
  bool Update() override;
  std::unique_ptr<AudioVoice> CreateVoice(std::shared_ptr<const WaveData> wave) override;

 private:
  FAudio* audio = nullptr;
  FAudioMasteringVoice* master = nullptr;
  // A silent backend still answers with a plain stereo layout, so positioned
  // sound is computed the same way with or without a device.
  int channels = 2;
  int sampleRate = 48000;
  uint32_t channelMask = SPEAKER_STEREO;
  float masterVolume = 1.0f;
};
