#pragma once

// A mixer with no output for tests and the developers' tool: voices play for
// their wave's duration on the platform's clock (the headless platform's
// virtual clock), so their playing state runs as with real audio.

#include "framework/audio/AudioBackend.h"

class HeadlessAudioBackend : public AudioBackend {
 public:
  bool IsDevicePresent() const override { return true; }
  int OutputChannels() const override { return 2; }
  int OutputSampleRate() const override { return 48000; }
  uint32_t OutputChannelMask() const override;
  // Recorded only: there is no output to make quieter.
  void SetMasterVolume(float volume) override { masterVolume = volume; }
  float MasterVolume() const override { return masterVolume; }
  bool Update() override { return true; }
  std::unique_ptr<AudioVoice> CreateVoice(std::shared_ptr<const WaveData> wave) override;

 private:
  float masterVolume = 1.0f;
};
