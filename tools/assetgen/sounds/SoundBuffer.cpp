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

void SoundBuffer::RotateToZeroCrossing(double searchSeconds) {
  size_t n = samples_.size();
  if (n < 2) return;
  size_t search = std::min(n - 1, FrameOf(searchSeconds));
  // The gentlest crossing: both the first sample and the seam's step are then small.
  size_t best = 0;
  float bestStep = std::fabs(samples_[0]) + std::fabs(samples_[n - 1]);
  for (size_t back = 1; back <= search; ++back) {
    size_t k = n - back;
    float step = samples_[k] - samples_[k - 1];
    if (samples_[k - 1] < 0.0f && samples_[k] >= 0.0f && step < bestStep) {
      best = k;
      bestStep = step;
    }
  }
  if (best != 0) std::rotate(samples_.begin(), samples_.begin() + best, samples_.end());
}
