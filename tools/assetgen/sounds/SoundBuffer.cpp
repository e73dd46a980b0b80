#include "SoundBuffer.h"

#include <algorithm>
#include <cmath>

#include "SynthMath.h"

SoundBuffer::SoundBuffer(int sampleRate, double seconds)
    : rate_(sampleRate), samples_(static_cast<size_t>(std::lround(seconds * sampleRate)), 0.0f) {}

SoundBuffer::SoundBuffer(int sampleRate, size_t frames) : rate_(sampleRate), samples_(frames, 0.0f) {}

size_t SoundBuffer::FrameOf(double seconds) const {
  if (seconds <= 0.0) return 0;
  return static_cast<size_t>(std::lround(seconds * rate_));
}

void SoundBuffer::Mix(const SoundBuffer& other, double atSeconds, float gain) {
  size_t start = FrameOf(atSeconds);
  for (size_t i = 0; i < other.Size() && start + i < samples_.size(); ++i)
    samples_[start + i] += gain * other[i];
}

void SoundBuffer::MixWrapped(const SoundBuffer& other, size_t atFrame, float gain) {
  if (samples_.empty()) return;
  size_t n = samples_.size();
  size_t at = atFrame % n;
  for (size_t i = 0; i < other.Size(); ++i) {
    samples_[at] += gain * other[i];
    if (++at == n) at = 0;
  }
}

void SoundBuffer::Scale(float gain) {
  for (float& s : samples_) s *= gain;
}

float SoundBuffer::Peak() const {
  float peak = 0.0f;
  for (float s : samples_) peak = std::max(peak, std::fabs(s));
  return peak;
}

float SoundBuffer::Rms() const {
  if (samples_.empty()) return 0.0f;
  double sum = 0.0;
  for (float s : samples_) sum += static_cast<double>(s) * s;
  return static_cast<float>(std::sqrt(sum / samples_.size()));
}

void SoundBuffer::NormalizePeak(float dBFS) {
  float peak = Peak();
  if (peak > 0.0f) Scale(synth::DbToGain(dBFS) / peak);
}

void SoundBuffer::FadeIn(double seconds) {
  size_t n = std::min(samples_.size(), FrameOf(seconds));
  for (size_t i = 0; i < n; ++i) samples_[i] *= static_cast<float>(i) / n;
}

void SoundBuffer::FadeOut(double seconds) {
  size_t n = std::min(samples_.size(), FrameOf(seconds));
  size_t size = samples_.size();
  // The last sample lands exactly on zero.
  for (size_t i = 0; i < n; ++i) samples_[size - 1 - i] *= static_cast<float>(i) / n;
}

void SoundBuffer::RemoveMean() {
  if (samples_.empty()) return;
  double sum = 0.0;
  for (float s : samples_) sum += s;
  float mean = static_cast<float>(sum / samples_.size());
  for (float& s : samples_) s -= mean;
}
