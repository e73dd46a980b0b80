#pragma once

// A voice that plays nothing audible: it is playing from Start until its
// wave's duration has passed on Sys()'s clock (forever when looping), or until
// Stop.

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/audio/AudioVoice.h"

class WaveData;

class HeadlessAudioVoice : public AudioVoice {
 public:
  HeadlessAudioVoice(std::shared_ptr<const WaveData> wave, int outputChannels);

  void Start(bool loop) override;
  void Stop() override { started = false; }
  // Nothing is heard, so there is nothing to scale.
  void SetVolume(float) override {}
  bool IsPlaying() override;
  void SetOutputMatrix(const std::vector<float>& levels) override;
  std::vector<float> GetOutputMatrix() const override { return matrix; }
  void SetFrequencyRatio(float ratio) override;

 private:
  std::shared_ptr<const WaveData> wave;
  bool started = false;
  bool looping = false;
  uint32_t startMs = 0;
  float frequencyRatio = 1;
  std::vector<float> matrix;
};
