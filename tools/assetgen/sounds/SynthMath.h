#pragma once

#include <cmath>
#include <cstdint>

// Small pure helpers shared by the synthesiser: pitch, level and envelope shapes.
namespace synth {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

inline double MidiToHz(double note) {
  return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}
inline float DbToGain(float db) {
  return std::pow(10.0f, db / 20.0f);
}
inline double Lerp(double a, double b, double t) {
  return a + (b - a) * t;
}
inline double Clamp01(double x) {
  return x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x);
}

// Exponential glide from a to b: reaches b at t = length, bends like a pitch fall.
inline double ExpGlide(double a, double b, double t, double length) {
  return a * std::pow(b / a, Clamp01(t / length));
}

// Sharp attack, exponential decay: the shape of every hit, click and pluck.
inline double Perc(double t, double attack, double decay) {
  if (t < 0.0) return 0.0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

// Attack, decay to sustain, hold until gate, then release; zero before 0.
inline double Adsr(double t, double attack, double decay, double sustain, double gate, double release) {
  if (t < 0.0) return 0.0;
  double level;
  if (t < attack) {
    level = t / attack;
  } else {
    level = sustain + (1.0 - sustain) * std::exp(-(t - attack) / decay);
  }
  if (t <= gate) return level;
  double atGate =
      gate < attack ? gate / attack : sustain + (1.0 - sustain) * std::exp(-(gate - attack) / decay);
  return atGate * std::exp(-(t - gate) / release);
}

// Linear rise and fall in and out of a window [start, end] of t.
inline double Window(double t, double start, double end, double fadeIn, double fadeOut) {
  if (t < start || t > end) return 0.0;
  return Clamp01((t - start) / fadeIn) * Clamp01((end - t) / fadeOut);
}

inline float SoftClip(float x) {
  return std::tanh(x);
}

}  // namespace synth
