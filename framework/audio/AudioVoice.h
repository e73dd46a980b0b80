#pragma once

// One voice of a backend, made for one wave. A voice must be destroyed
// before the backend that made it.

#include <vector>

class AudioVoice {
 public:
  virtual ~AudioVoice() = default;

  // Plays the wave from its start, once or looping forever.
  virtual void Start(bool loop) = 0;
  // Stops at once; the wave is forgotten, so the next Start begins afresh.
  virtual void Stop() = 0;
  virtual void SetVolume(float volume) = 0;
  virtual bool IsPlaying() = 0;
  // levels holds outputChannels rows of sourceChannels gains.
  virtual void SetOutputMatrix(const std::vector<float>& levels) = 0;
  virtual std::vector<float> GetOutputMatrix() const = 0;
  virtual void SetFrequencyRatio(float ratio) = 0;

 protected:
  // The unpositioned mix: a mono voice feeds every speaker fully, a stereo
  // one keeps left on left and right on right.
  static std::vector<float> DefaultMatrix(int sourceChannels, int outputChannels) {
    std::vector<float> levels(size_t(sourceChannels) * outputChannels, 0.0f);
    for (int out = 0; out < outputChannels; ++out) {
      if (sourceChannels == 1) {
        levels[out] = 1.0f;
      } else if (out < sourceChannels) {
        levels[size_t(out) * sourceChannels + out] = 1.0f;
      }
    }
    return levels;
  }
};
