#pragma once

#include <cstddef>
#include <vector>

// A mono signal in floating point at a fixed sample rate; full scale is +-1.
class SoundBuffer {
 public:
  SoundBuffer(int sampleRate, double seconds);
  SoundBuffer(int sampleRate, size_t frames);

  int Rate() const { return rate_; }
  size_t Size() const { return samples_.size(); }
  double Seconds() const { return static_cast<double>(samples_.size()) / rate_; }
  double TimeOf(size_t frame) const { return static_cast<double>(frame) / rate_; }
  size_t FrameOf(double seconds) const;
  float& operator[](size_t i) { return samples_[i]; }
  float operator[](size_t i) const { return samples_[i]; }
  const std::vector<float>& Samples() const { return samples_; }

  // Adds other (same rate) starting at a time; whatever runs past the end is dropped.
  void Mix(const SoundBuffer& other, double atSeconds, float gain = 1.0f);
  // Adds other starting at a frame and wraps whatever runs past the end around to the
  // start, as a loop hears the tail of its last notes over its first.
  void MixWrapped(const SoundBuffer& other, size_t atFrame, float gain = 1.0f);

  void Scale(float gain);
  float Peak() const;
  float Rms() const;
  // Scales so the largest magnitude sits at the given level (dB below full scale).
  void NormalizePeak(float dBFS);
  // Short linear ramps so one-shots start and end at rest without a click.
  void FadeIn(double seconds);
  void FadeOut(double seconds);
  // Removes the mean; loops keep their seam, unlike with a high-pass filter.
  void RemoveMean();
  // For a loop: moves its start back (by at most searchSeconds) to the gentlest rising
  // zero crossing, so the first play starts without a click. The loop's
  // content and seam are unchanged; it merely begins a moment earlier.
  void RotateToZeroCrossing(double searchSeconds);

 private:
  int rate_;
  std::vector<float> samples_;
};
