#pragma once

// A source voice of XAudio2 playing one wave into the mastering voice. Made
// without an engine (no device) it is silent and never plays.

#include <windows.h>
#include <xaudio2.h>

#include <memory>
#include <vector>

#include "framework/audio/AudioVoice.h"

class WaveData;

class XAudio2Voice : public AudioVoice {
 public:
  XAudio2Voice(IXAudio2* audio, IXAudio2MasteringVoice* master, int outputChannels,
               std::shared_ptr<const WaveData> wave);
  ~XAudio2Voice() override;
  XAudio2Voice(const XAudio2Voice&) = delete;
  XAudio2Voice& operator=(const XAudio2Voice&) = delete;

  void Start(bool loop) override;
  void Stop() override;
  void SetVolume(float volume) override;
  bool IsPlaying() override;
  void SetOutputMatrix(const std::vector<float>& levels) override;
  std::vector<float> GetOutputMatrix() const override { return matrix; }
  void SetFrequencyRatio(float ratio) override;

 private:
  IXAudio2SourceVoice* voice = nullptr;
  IXAudio2MasteringVoice* master = nullptr;
  std::shared_ptr<const WaveData> wave;  // the buffer XAudio2 reads while playing
  int outputChannels = 0;
  bool started = false;
  std::vector<float> matrix;
};
