#pragma once

// A source voice of FAudio playing one wave into the mastering voice. Made
// without an engine (no device) it is silent and never plays.

#include <FAudio.h>

#include <memory>
#include <vector>

#include "framework/audio/AudioVoice.h"

class WaveData;

class FAudioVoice : public AudioVoice {
 public:
  FAudioVoice(FAudio* audio, FAudioMasteringVoice* master, int outputChannels,
              std::shared_ptr<const WaveData> wave);
  ~FAudioVoice() override;
  FAudioVoice(const FAudioVoice&) = delete;
  FAudioVoice& operator=(const FAudioVoice&) = delete;

  void Start(bool loop) override;
  void Stop() override;
  void SetVolume(float volume) override;
  bool IsPlaying() override;
  void SetOutputMatrix(const std::vector<float>& levels) override;
  std::vector<float> GetOutputMatrix() const override { return matrix; }
  void SetFrequencyRatio(float ratio) override;

 private:
  FAudioSourceVoice* voice = nullptr;
  FAudioMasteringVoice* master = nullptr;
  std::shared_ptr<const WaveData> wave;  // the buffer FAudio reads while playing
  int outputChannels = 0;
  bool started = false;
  std::vector<float> matrix;
};
