#include "EffectSounds.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "Echo.h"
#include "Filter.h"
#include "Instruments.h"
#include "Oscillator.h"
#include "Reverb.h"
#include "SignalChain.h"
#include "SynthMath.h"
#include "SynthRandom.h"

using synth::Clamp01;
using synth::ExpGlide;
using synth::MidiToHz;
using synth::Perc;
using Wave = Oscillator::Wave;
using Mode = Filter::Mode;

namespace effect_sounds {
namespace {

// Frames from a time on to where a percussive envelope has died away (-70 dB).
size_t EndOfHit(const SoundBuffer& b, double at, double attack, double decay) {
  return std::min(b.Size(), b.FrameOf(at + attack + decay * 8.0) + 1);
}

// Filtered noise burst: clicks, clacks, thuds, debris.
void AddNoiseHit(SoundBuffer& b, SynthRandom& random, double at, float gain, Mode mode, double hz, double q,
                 double attack, double decay) {
  Filter filter(mode, b.Rate(), hz, q);
  for (size_t i = b.FrameOf(at), end = EndOfHit(b, at, attack, decay); i < end; ++i) {
    b[i] +=
        gain * filter.Process(random.Bipolar()) * static_cast<float>(Perc(b.TimeOf(i) - at, attack, decay));
  }
}

// A tone gliding exponentially from one pitch to another, with a percussive envelope.
void AddTone(SoundBuffer& b, Wave wave, double at, float gain, double hzFrom, double hzTo, double glide,
             double attack, double decay) {
  Oscillator osc(wave, b.Rate());
  for (size_t i = b.FrameOf(at), end = EndOfHit(b, at, attack, decay); i < end; ++i) {
    double t = b.TimeOf(i) - at;
    b[i] += gain * osc.Next(ExpGlide(hzFrom, hzTo, t, glide)) * static_cast<float>(Perc(t, attack, decay));
  }
}

// Struck metal: inharmonic partials, the higher ones dying sooner.
void AddRing(SoundBuffer& b, double at, float gain, std::initializer_list<double> partials, double decay) {
  double base = *partials.begin();
  float weight = 1.0f;
  for (double hz : partials) {
    AddTone(b, Wave::kSine, at, gain * weight, hz, hz, 1.0, 0.0005, decay * std::sqrt(base / hz));
    weight *= 0.7f;
  }
}

// Noise through a resonant band sweeping from one frequency to another: whooshes.
void AddSweep(SoundBuffer& b, SynthRandom& random, double at, double length, float gain, double hzFrom,
              double hzTo, double q, double peakAt) {
  Filter filter(Mode::kBandPass, b.Rate(), hzFrom, q);
  for (size_t i = b.FrameOf(at), end = std::min(b.Size(), b.FrameOf(at + length)); i < end; ++i) {
    double u = (b.TimeOf(i) - at) / length;
    filter.SetCutoff(ExpGlide(hzFrom, hzTo, u, 1.0));
    double env = u < peakAt ? u / peakAt : (1.0 - u) / (1.0 - peakAt);
    b[i] += gain * filter.Process(random.Bipolar()) * static_cast<float>(env * env);
  }
}

// Scattered tiny clicks: crackle, debris, sparks. Denser early, dying over fall seconds.
void AddCrackle(SoundBuffer& b, SynthRandom& random, double from, double to, int count, float gain,
                double loHz, double hiHz, double fall) {
  for (int k = 0; k < count; ++k) {
    double u = random.Uniform();
    double at = from + (to - from) * u * u;
    float level = gain * static_cast<float>(random.Range(0.3, 1.0) * std::exp(-(at - from) / fall));
    AddNoiseHit(b, random, at, level, Mode::kBandPass, random.Range(loHz, hiHz), 2.0, 0.0002,
                random.Range(0.0015, 0.006));
  }
}

void AddRoom(SoundBuffer& b, double size, double damping, float wet) {
  Reverb room(b.Rate(), size, damping);
  ProcessOneShot(b, [&](float x, size_t) { return x + wet * room.Process(x); });
}

void Drive(SoundBuffer& b, float drive) {
  float norm = std::tanh(drive);
  float peak = b.Peak();
  if (peak <= 0.0f) return;
  for (size_t i = 0; i < b.Size(); ++i) b[i] = std::tanh(drive * b[i] / peak) / norm * peak;
}

// Sub-audio drift removed, ends ramped to rest, level set.
void Finish(SoundBuffer& b, float peakDb, double fadeOut) {
  Filter dc(Mode::kHighPass, b.Rate(), 25.0);
  ProcessOneShot(b, [&](float x, size_t) { return dc.Process(x); });
  b.FadeIn(0.001);
  b.FadeOut(fadeOut);
  b.NormalizePeak(peakDb);
}

// A bell note (used by pickups and chimes) mixed in at a time.
void AddBell(SoundBuffer& b, SynthRandom& random, double at, double midi, float gain) {
  b.Mix(instruments::Bell(b.Rate(), MidiToHz(midi), 0.1, 1.0f, random), at, gain);
}

}  // namespace

SoundBuffer PlayerBullet() {
  SoundBuffer b(kRate, 0.5);
  SynthRandom r(101);
  AddNoiseHit(b, r, 0.0, 1.0f, Mode::kHighPass, 2000.0, 0.7, 0.0003, 0.007);
  AddNoiseHit(b, r, 0.0, 0.9f, Mode::kLowPass, 1500.0, 0.7, 0.0005, 0.04);
  AddTone(b, Wave::kSine, 0.0, 0.9f, 210.0, 50.0, 0.04, 0.0005, 0.06);
  AddRing(b, 0.0, 0.12f, {2900.0, 4100.0}, 0.04);
  Drive(b, 1.8f);
  AddRoom(b, 0.35, 0.5, 0.22f);
  Finish(b, -1.0f, 0.08);
  return b;
}

SoundBuffer BlankGun() {
  SoundBuffer b(kRate, 0.15);
  SynthRandom r(102);
  // The hammer falls on nothing, then the trigger spring settles.
  AddNoiseHit(b, r, 0.0, 1.0f, Mode::kBandPass, 3800.0, 2.5, 0.0002, 0.002);
  AddRing(b, 0.0, 0.25f, {2200.0, 3300.0}, 0.006);
  AddNoiseHit(b, r, 0.03, 0.45f, Mode::kBandPass, 2600.0, 2.0, 0.0002, 0.002);
  AddTone(b, Wave::kSine, 0.03, 0.2f, 900.0, 700.0, 0.01, 0.0002, 0.004);
  Finish(b, -2.0f, 0.02);
  return b;
}

SoundBuffer Reload() {
  SoundBuffer b(kRate, 0.95);
  SynthRandom r(103);
  // Release catch, magazine slides out, new one slides in and seats, latch.
  AddNoiseHit(b, r, 0.0, 0.7f, Mode::kBandPass, 3000.0, 2.0, 0.0002, 0.003);
  AddRing(b, 0.0, 0.2f, {1800.0, 2700.0}, 0.01);
  AddSweep(b, r, 0.04, 0.18, 0.35f, 1200.0, 1800.0, 1.5, 0.3);
  AddTone(b, Wave::kSine, 0.22, 0.3f, 250.0, 200.0, 0.03, 0.001, 0.03);
  AddSweep(b, r, 0.42, 0.10, 0.3f, 1600.0, 1200.0, 1.5, 0.6);
  AddNoiseHit(b, r, 0.52, 1.0f, Mode::kLowPass, 2500.0, 0.8, 0.0003, 0.015);
  AddTone(b, Wave::kSine, 0.52, 0.6f, 320.0, 180.0, 0.04, 0.0005, 0.04);
  AddRing(b, 0.52, 0.25f, {1450.0, 2380.0, 3900.0}, 0.03);
  AddNoiseHit(b, r, 0.60, 0.5f, Mode::kBandPass, 4200.0, 2.0, 0.0002, 0.002);
  AddRoom(b, 0.25, 0.4, 0.15f);
  Finish(b, -1.0f, 0.05);
  return b;
}

SoundBuffer FinishReload() {
  SoundBuffer b(kRate, 0.5);
  SynthRandom r(104);
  // Slide pulled back, then let go: it slams forward and chambers a round.
  AddNoiseHit(b, r, 0.0, 0.6f, Mode::kBandPass, 3200.0, 2.0, 0.0002, 0.003);
  AddSweep(b, r, 0.0, 0.07, 0.35f, 2000.0, 2800.0, 1.5, 0.5);
  AddNoiseHit(b, r, 0.13, 1.0f, Mode::kHighPass, 1500.0, 0.7, 0.0002, 0.006);
  AddNoiseHit(b, r, 0.13, 0.7f, Mode::kLowPass, 1800.0, 0.7, 0.0003, 0.025);
  AddRing(b, 0.13, 0.35f, {1750.0, 3100.0, 4600.0}, 0.045);
  AddTone(b, Wave::kSine, 0.13, 0.4f, 260.0, 160.0, 0.03, 0.0005, 0.03);
  AddRoom(b, 0.3, 0.4, 0.18f);
  Finish(b, -1.0f, 0.05);
  return b;
}

SoundBuffer EnergyCharge() {
  SoundBuffer b(kRate, 0.9);
  SynthRandom r(105);
  Oscillator saw(Wave::kSaw, kRate), square(Wave::kSquare, kRate), sub(Wave::kSine, kRate);
  Oscillator tremolo(Wave::kSine, kRate);
  Filter lp(Mode::kLowPass, kRate, 1000.0, 1.5);
  Filter sparkle(Mode::kBandPass, kRate, 3000.0, 4.0);
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.TimeOf(i);
    double f = ExpGlide(160.0, 760.0, t, 0.8);
    lp.SetCutoff(f * 3.0 + 2500.0 * t);
    sparkle.SetCutoff(f * 4.0);
    double tone = lp.Process(static_cast<float>(0.6 * saw.Next(f) + 0.3 * square.Next(f * 2.005, 0.3))) +
                  0.4 * sub.Next(f * 0.5) + 0.3 * sparkle.Process(r.Bipolar());
    double trem = 0.75 + 0.25 * tremolo.Next(8.0 + 30.0 * t);
    double env = std::pow(Clamp01(t / 0.7), 1.5);
    b[i] = static_cast<float>(tone * trem * env);
  }
  AddRoom(b, 0.4, 0.5, 0.2f);
  Finish(b, -1.0f, 0.08);
  return b;
}

SoundBuffer StayCharge() {
  // Every component runs a whole number of cycles in the loop's 1.6 s (multiples of
  // 0.625 Hz), and the fizz is periodic noise filtered around the loop: no seam.
  const double loop = 1.6;
  SoundBuffer b(kRate, loop);
  SynthRandom r(106);
  SoundBuffer fizz(kRate, b.Size());
  for (size_t i = 0; i < fizz.Size(); ++i) fizz[i] = r.Bipolar();
  Filter band(Mode::kBandPass, kRate, 3000.0, 3.0);
  ProcessLooped(fizz, [&](float x, size_t) { return band.Process(x); });
  auto wave = [](double hz, double t) { return std::sin(synth::kTwoPi * hz * t); };
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.TimeOf(i);
    double hum = 0.0;
    for (int k = 1; k <= 6; ++k) hum += wave(110.0 * k, t) / k;
    hum += 0.4 * wave(110.625, t) + 0.25 * wave(221.875, t);
    double shimmer = 0.18 * wave(880.0, t) * (0.5 + 0.5 * wave(5.0, t));
    double pulse = 1.0 + 0.25 * wave(2.5, t);
    double crackle = 0.5 * fizz[i] * (0.5 + 0.5 * wave(3.75, t));
    b[i] = static_cast<float>(0.5 * hum * pulse + shimmer + crackle);
  }
  b.RemoveMean();
  b.NormalizePeak(-3.0f);
  b.RotateToZeroCrossing(0.02);
  return b;
}

SoundBuffer ChargeBullet() {
  SoundBuffer b(kRate, 1.2);
  SynthRandom r(107);
  AddTone(b, Wave::kSine, 0.0, 1.0f, 140.0, 38.0, 0.25, 0.001, 0.3);
  AddTone(b, Wave::kSaw, 0.0, 0.35f, 1800.0, 110.0, 0.35, 0.001, 0.18);
  AddTone(b, Wave::kSquare, 0.0, 0.25f, 900.0, 70.0, 0.3, 0.001, 0.15);
  AddTone(b, Wave::kSine, 0.0, 0.15f, 2400.0, 600.0, 0.5, 0.002, 0.25);
  AddNoiseHit(b, r, 0.0, 0.9f, Mode::kHighPass, 1500.0, 0.7, 0.0003, 0.06);
  AddNoiseHit(b, r, 0.0, 0.6f, Mode::kLowPass, 900.0, 0.7, 0.001, 0.2);
  Drive(b, 1.5f);
  AddRoom(b, 0.6, 0.4, 0.3f);
  Finish(b, -1.0f, 0.15);
  return b;
}

SoundBuffer Jump() {
  SoundBuffer b(kRate, 0.32);
  SynthRandom r(108);
  AddNoiseHit(b, r, 0.0, 0.6f, Mode::kLowPass, 600.0, 0.8, 0.001, 0.02);
  AddTone(b, Wave::kSine, 0.0, 0.3f, 120.0, 80.0, 0.03, 0.001, 0.03);
  AddSweep(b, r, 0.0, 0.28, 0.8f, 350.0, 1400.0, 1.2, 0.3);
  Finish(b, -6.0f, 0.05);
  return b;
}

SoundBuffer Land() {
  SoundBuffer b(kRate, 0.4);
  SynthRandom r(109);
  AddTone(b, Wave::kSine, 0.0, 1.0f, 95.0, 42.0, 0.06, 0.001, 0.07);
  AddNoiseHit(b, r, 0.0, 0.8f, Mode::kLowPass, 1800.0, 0.8, 0.0005, 0.035);
  AddNoiseHit(b, r, 0.0, 0.4f, Mode::kBandPass, 2500.0, 1.0, 0.0003, 0.01);
  // The second foot comes down a moment later.
  AddTone(b, Wave::kSine, 0.035, 0.5f, 85.0, 45.0, 0.05, 0.001, 0.05);
  AddNoiseHit(b, r, 0.035, 0.4f, Mode::kLowPass, 1500.0, 0.8, 0.0005, 0.03);
  AddRoom(b, 0.2, 0.5, 0.1f);
  Finish(b, -4.0f, 0.05);
  return b;
}

SoundBuffer Walk() {
  // One boot step on concrete, heel then toe; short enough to repeat every 18 frames.
  SoundBuffer b(kRate, 0.24);
  SynthRandom r(110);
  AddTone(b, Wave::kSine, 0.0, 0.8f, 110.0, 60.0, 0.03, 0.001, 0.025);
  AddNoiseHit(b, r, 0.0, 0.9f, Mode::kLowPass, 900.0, 0.8, 0.001, 0.02);
  AddNoiseHit(b, r, 0.055, 0.5f, Mode::kBandPass, 2200.0, 1.2, 0.0005, 0.012);
  AddNoiseHit(b, r, 0.055, 0.4f, Mode::kLowPass, 1200.0, 0.8, 0.0005, 0.015);
  AddRoom(b, 0.15, 0.6, 0.08f);
  Finish(b, -11.0f, 0.04);
  return b;
}

SoundBuffer CollisionDamage() {
  SoundBuffer b(kRate, 0.55);
  SynthRandom r(111);
  AddTone(b, Wave::kSine, 0.0, 1.0f, 75.0, 40.0, 0.1, 0.001, 0.15);
  AddNoiseHit(b, r, 0.0, 0.9f, Mode::kLowPass, 1200.0, 0.7, 0.0005, 0.06);
  AddNoiseHit(b, r, 0.0, 0.5f, Mode::kHighPass, 3000.0, 0.7, 0.0002, 0.01);
  AddRing(b, 0.0, 0.35f, {380.0, 1040.0, 1730.0, 2650.0}, 0.18);
  AddTone(b, Wave::kSquare, 0.0, 0.3f, 150.0, 90.0, 0.2, 0.005, 0.12);
  Drive(b, 2.0f);
  Filter dull(Mode::kLowPass, kRate, 6000.0);
  ProcessOneShot(b, [&](float x, size_t) { return dull.Process(x); });
  AddRoom(b, 0.3, 0.5, 0.15f);
  Finish(b, -1.0f, 0.06);
  return b;
}

SoundBuffer BulletDamage() {
  SoundBuffer b(kRate, 0.3);
  SynthRandom r(112);
  AddNoiseHit(b, r, 0.0, 0.9f, Mode::kHighPass, 2500.0, 0.7, 0.0002, 0.004);
  AddRing(b, 0.0, 0.5f, {2350.0, 3720.0, 5140.0, 6800.0}, 0.05);
  AddTone(b, Wave::kSine, 0.0, 0.6f, 220.0, 140.0, 0.03, 0.0005, 0.03);
  AddNoiseHit(b, r, 0.0, 0.4f, Mode::kLowPass, 1000.0, 0.7, 0.0005, 0.02);
  AddRoom(b, 0.2, 0.5, 0.1f);
  Finish(b, -1.0f, 0.04);
  return b;
}

SoundBuffer HitEnemyBullet() {
  SoundBuffer b(kRate, 0.4);
  SynthRandom r(113);
  AddTone(b, Wave::kSquare, 0.0, 0.5f, 950.0, 180.0, 0.15, 0.001, 0.09);
  AddTone(b, Wave::kSine, 0.0, 0.3f, 1900.0, 400.0, 0.1, 0.001, 0.05);
  AddNoiseHit(b, r, 0.0, 0.6f, Mode::kHighPass, 3500.0, 0.7, 0.0005, 0.05);
  AddNoiseHit(b, r, 0.0, 0.4f, Mode::kBandPass, 800.0, 1.0, 0.0005, 0.03);
  AddRoom(b, 0.3, 0.3, 0.15f);
  Finish(b, -1.0f, 0.05);
  return b;
}

SoundBuffer HitBullet() {
  SoundBuffer b(kRate, 0.45);
  SynthRandom r(114);
  // Crack on concrete, a spray of grit and a faint ricochet.
  AddNoiseHit(b, r, 0.0, 1.0f, Mode::kHighPass, 1500.0, 0.7, 0.0002, 0.003);
  AddNoiseHit(b, r, 0.0, 0.6f, Mode::kLowPass, 3000.0, 0.7, 0.0005, 0.05);
  AddTone(b, Wave::kSine, 0.005, 0.12f, 3300.0, 2200.0, 0.25, 0.01, 0.12);
  AddNoiseHit(b, r, 0.02, 0.2f, Mode::kBandPass, 4000.0, 2.0, 0.0002, 0.002);
  AddNoiseHit(b, r, 0.045, 0.15f, Mode::kBandPass, 3600.0, 2.0, 0.0002, 0.002);
  AddNoiseHit(b, r, 0.07, 0.1f, Mode::kBandPass, 4400.0, 2.0, 0.0002, 0.002);
  AddRoom(b, 0.3, 0.5, 0.15f);
  Finish(b, -1.0f, 0.06);
  return b;
}

SoundBuffer HitChargeBullet() {
  SoundBuffer b(kRate, 0.8);
  SynthRandom r(115);
  AddTone(b, Wave::kSine, 0.0, 1.0f, 120.0, 38.0, 0.2, 0.001, 0.22);
  AddNoiseHit(b, r, 0.0, 0.8f, Mode::kLowPass, 2500.0, 0.7, 0.0005, 0.12);
  AddNoiseHit(b, r, 0.0, 0.6f, Mode::kHighPass, 3000.0, 0.7, 0.0003, 0.04);
  AddTone(b, Wave::kSaw, 0.0, 0.3f, 700.0, 90.0, 0.3, 0.001, 0.15);
  AddCrackle(b, r, 0.02, 0.35, 14, 0.5f, 3000.0, 6000.0, 0.15);
  Drive(b, 1.6f);
  AddRoom(b, 0.5, 0.4, 0.25f);
  Finish(b, -1.0f, 0.1);
  return b;
}

SoundBuffer Flip() {
  // A bullet glancing off the shield: a bright rising ping.
  SoundBuffer b(kRate, 0.45);
  SynthRandom r(116);
  AddNoiseHit(b, r, 0.0, 0.7f, Mode::kHighPass, 3000.0, 0.7, 0.0002, 0.002);
  AddTone(b, Wave::kSine, 0.0, 0.6f, 2600.0, 3600.0, 0.03, 0.001, 0.12);
  AddRing(b, 0.01, 0.3f, {3600.0, 5230.0, 7180.0}, 0.09);
  AddTone(b, Wave::kTriangle, 0.0, 0.25f, 1800.0, 2400.0, 0.05, 0.001, 0.06);
  AddRoom(b, 0.3, 0.4, 0.2f);
  Finish(b, -1.0f, 0.06);
  return b;
}

SoundBuffer DamageShield() {
  SoundBuffer b(kRate, 0.75);
  SynthRandom r(117);
  Oscillator buzz(Wave::kSaw, kRate), flutter(Wave::kSquare, kRate);
  Filter band(Mode::kBandPass, kRate, 900.0, 0.9);
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.TimeOf(i);
    double gate = 0.6 + 0.4 * flutter.Next(24.0);
    b[i] += 0.9f * band.Process(buzz.Next(62.0 * (1.0 + 0.3 * std::exp(-t / 0.1)))) *
            static_cast<float>(gate * Perc(t, 0.005, 0.25));
  }
  AddCrackle(b, r, 0.0, 0.5, 25, 0.7f, 2500.0, 7000.0, 0.25);
  AddTone(b, Wave::kSine, 0.0, 0.3f, 700.0, 260.0, 0.4, 0.002, 0.2);
  AddNoiseHit(b, r, 0.0, 0.5f, Mode::kHighPass, 2500.0, 0.7, 0.0003, 0.02);
  AddRoom(b, 0.35, 0.4, 0.2f);
  Finish(b, -1.0f, 0.08);
  return b;
}

SoundBuffer DeployShield() {
  SoundBuffer b(kRate, 1.4);
  SynthRandom r(118);
  Oscillator a(Wave::kSine, kRate), c(Wave::kSine, kRate), d(Wave::kSine, kRate), saw(Wave::kSaw, kRate);
  Filter lp(Mode::kLowPass, kRate, 300.0, 1.2);
  Filter whoosh(Mode::kBandPass, kRate, 400.0, 1.5);
  const double lock = 0.9;
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.TimeOf(i);
    double f = ExpGlide(180.0, 360.0, t, lock);
    lp.SetCutoff(ExpGlide(300.0, 4000.0, t, lock));
    whoosh.SetCutoff(ExpGlide(400.0, 3000.0, t, lock));
    double env = t < lock ? std::pow(t / lock, 2.0) : std::exp(-(t - lock) / 0.25);
    double tone = a.Next(f) + 0.6 * c.Next(f * 1.5 * 1.003) + 0.4 * d.Next(f * 2.0 * 0.997) +
                  0.5 * lp.Process(saw.Next(f));
    b[i] = static_cast<float>(env * (0.5 * tone + 0.5 * whoosh.Process(r.Bipolar())));
  }
  // The dome closes with a bright lock and a soft thump.
  AddBell(b, r, lock - 0.02, 88.0, 0.6f);
  AddTone(b, Wave::kSine, lock, 0.5f, 110.0, 55.0, 0.1, 0.002, 0.1);
  AddRoom(b, 0.6, 0.3, 0.3f);
  Finish(b, -1.0f, 0.15);
  return b;
}

SoundBuffer BreakShield() {
  SoundBuffer b(kRate, 1.7);
  SynthRandom r(119);
  // Shards: many short glassy pings, densest at the start.
  for (int k = 0; k < 70; ++k) {
    double u = r.Uniform();
    double at = 0.35 * u * u;
    double hz = r.Range(2500.0, 9000.0);
    float gain = static_cast<float>((1.0 - at / 0.5) * r.Range(0.3, 1.0) * 0.25);
    double decay = r.Range(0.01, 0.07);
    AddTone(b, Wave::kSine, at, gain, hz, hz, 1.0, 0.0005, decay);
    AddTone(b, Wave::kSine, at, gain * 0.5f, hz * 1.47, hz * 1.47, 1.0, 0.0005, decay * 0.7);
  }
  AddNoiseHit(b, r, 0.0, 0.8f, Mode::kHighPass, 4000.0, 0.7, 0.0003, 0.08);
  AddNoiseHit(b, r, 0.0, 0.3f, Mode::kBandPass, 6000.0, 0.8, 0.001, 0.25);
  // The energy collapses with a falling tone and a low boom.
  AddTone(b, Wave::kSquare, 0.0, 0.25f, 900.0, 60.0, 0.6, 0.001, 0.35);
  AddTone(b, Wave::kSine, 0.0, 0.8f, 90.0, 35.0, 0.3, 0.002, 0.25);
  AddRoom(b, 0.75, 0.3, 0.35f);
  Finish(b, -1.0f, 0.25);
  return b;
}

SoundBuffer EnemySpawn() {
  SoundBuffer b(kRate, 1.3);
  SynthRandom r(120);
  const double arrive = 0.95;
  AddSweep(b, r, 0.0, arrive + 0.05, 1.0f, 300.0, 5000.0, 6.0, 0.85);
  // Rising chirps while the machine materialises.
  static const int kSteps[] = {0, 3, 5, 7, 10, 12, 15, 17};
  for (int k = 0; k < 8; ++k) AddBell(b, r, 0.05 + 0.1 * k, 72.0 + kSteps[k], 0.2f);
  AddTone(b, Wave::kSine, arrive, 0.6f, 300.0, 900.0, 0.04, 0.001, 0.05);
  AddNoiseHit(b, r, arrive, 0.5f, Mode::kHighPass, 2000.0, 0.7, 0.0005, 0.02);
  AddBell(b, r, arrive, 93.0, 0.4f);
  AddRoom(b, 0.55, 0.3, 0.3f);
  Finish(b, -1.0f, 0.2);
  return b;
}

SoundBuffer Find() {
  // A machine's alert: two short rising beeps.
  SoundBuffer b(kRate, 0.45);
  Oscillator beep(Wave::kSquare, kRate);
  Filter lp(Mode::kLowPass, kRate, 6000.0);
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.TimeOf(i);
    double first = synth::Window(t, 0.0, 0.075, 0.003, 0.005);
    double second = synth::Window(t, 0.11, 0.21, 0.003, 0.01);
    double hz = t < 0.1 ? 1320.0 : 1760.0;
    b[i] = lp.Process(beep.Next(hz, 0.35)) * static_cast<float>(first + second);
  }
  Echo echo(kRate, 0.09, 0.25, 4000.0);
  ProcessOneShot(b, [&](float x, size_t) { return x + 0.3f * echo.Process(x); });
  // Steady square beeps sound louder than hits of the same peak.
  Finish(b, -4.0f, 0.04);
  return b;
}

SoundBuffer PowerCharge() {
  SoundBuffer b(kRate, 1.0);
  SynthRandom r(121);
  Oscillator saw(Wave::kSaw, kRate), square(Wave::kSquare, kRate), tremolo(Wave::kSine, kRate);
  Filter lp(Mode::kLowPass, kRate, 500.0, 1.4);
  Filter crackle(Mode::kBandPass, kRate, 800.0, 3.0);
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.TimeOf(i);
    double f = ExpGlide(80.0, 420.0, t, 0.85);
    lp.SetCutoff(f * 6.0);
    crackle.SetCutoff(f * 8.0);
    double buzz = lp.Process(static_cast<float>(saw.Next(f) + 0.5 * square.Next(f * 1.5, 0.3)));
    double trem = 0.7 + 0.3 * tremolo.Next(6.0 + 22.0 * t);
    double env = Clamp01(t / 0.75) * synth::Window(t, 0.0, 0.98, 0.001, 0.1);
    b[i] = static_cast<float>(env * (buzz * trem + 0.2 * crackle.Process(r.Bipolar())));
  }
  Drive(b, 1.3f);
  AddRoom(b, 0.4, 0.4, 0.2f);
  Finish(b, -1.0f, 0.02);
  return b;
}

SoundBuffer EnemyAttack() {
  SoundBuffer b(kRate, 0.75);
  SynthRandom r(122);
  AddSweep(b, r, 0.0, 0.6, 1.0f, 2800.0, 350.0, 1.5, 0.15);
  Oscillator growl(Wave::kSaw, kRate), flutter(Wave::kSine, kRate);
  Filter lp(Mode::kLowPass, kRate, 700.0, 1.2);
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.TimeOf(i);
    double f = ExpGlide(72.0, 55.0, t, 0.4);
    b[i] += 0.7f * lp.Process(growl.Next(f)) *
            static_cast<float>((0.7 + 0.3 * flutter.Next(30.0)) * Perc(t, 0.02, 0.25));
  }
  AddTone(b, Wave::kSine, 0.0, 0.5f, 140.0, 60.0, 0.15, 0.005, 0.12);
  Drive(b, 1.5f);
  AddRoom(b, 0.3, 0.4, 0.15f);
  Finish(b, -1.0f, 0.08);
  return b;
}

SoundBuffer EnemyBullet() {
  SoundBuffer b(kRate, 0.55);
  SynthRandom r(123);
  AddTone(b, Wave::kSquare, 0.0, 0.5f, 1500.0, 260.0, 0.18, 0.001, 0.12);
  AddTone(b, Wave::kSine, 0.0, 0.3f, 3000.0, 500.0, 0.12, 0.001, 0.06);
  AddTone(b, Wave::kSine, 0.0, 0.5f, 180.0, 90.0, 0.06, 0.001, 0.06);
  AddNoiseHit(b, r, 0.0, 0.3f, Mode::kHighPass, 3000.0, 0.7, 0.0003, 0.01);
  Echo echo(kRate, 0.07, 0.3, 3000.0);
  ProcessOneShot(b, [&](float x, size_t) { return x + 0.3f * echo.Process(x); });
  Finish(b, -1.0f, 0.06);
  return b;
}

SoundBuffer Explosion() {
  SoundBuffer b(kRate, 2.4);
  SynthRandom r(124);
  AddNoiseHit(b, r, 0.0, 1.0f, Mode::kHighPass, 1000.0, 0.7, 0.0003, 0.01);
  AddTone(b, Wave::kSine, 0.0, 1.0f, 75.0, 28.0, 0.5, 0.002, 0.45);
  AddNoiseHit(b, r, 0.0, 1.2f, Mode::kLowPass, 500.0, 0.7, 0.003, 0.5);
  AddNoiseHit(b, r, 0.0, 1.0f, Mode::kLowPass, 150.0, 0.7, 0.05, 1.0);
  AddNoiseHit(b, r, 0.0, 0.5f, Mode::kBandPass, 1800.0, 0.6, 0.001, 0.15);
  AddCrackle(b, r, 0.05, 1.3, 40, 0.6f, 1500.0, 5000.0, 0.4);
  Drive(b, 2.0f);
  AddRoom(b, 0.7, 0.5, 0.3f);
  Finish(b, -1.0f, 0.3);
  return b;
}

SoundBuffer OpenDoor() {
  // The door motor runs the 160 frames of travel: latch, spin-up, steady grind, spin-down.
  SoundBuffer b(kRate, 2.8);
  SynthRandom r(125);
  Oscillator saw(Wave::kSaw, kRate), saw2(Wave::kSaw, kRate, 0.3), square(Wave::kSquare, kRate);
  Oscillator whine(Wave::kSine, kRate), whine2(Wave::kSine, kRate), teeth(Wave::kSaw, kRate);
  Filter lp(Mode::kLowPass, kRate, 900.0, 0.9);
  Filter rattle(Mode::kBandPass, kRate, 1500.0, 2.0);
  Filter hiss(Mode::kBandPass, kRate, 700.0, 0.8);
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.TimeOf(i);
    double spin = Clamp01(t / 0.35) * Clamp01((2.8 - t) / 0.35);
    double f = 38.0 + 20.0 * spin;
    double motor = lp.Process(
        static_cast<float>(saw.Next(f) + 0.5 * saw2.Next(2.0 * f * 1.01) + 0.2 * square.Next(3.0 * f, 0.3)));
    double hum = 0.15 * whine.Next(f * 8.0) + 0.06 * whine2.Next(f * 12.5);
    // Gear teeth: a click on each ramp of a slow saw.
    double tooth = 0.5 + 0.5 * teeth.Next(f * 0.75);
    double gear = rattle.Process(r.Bipolar()) * std::pow(tooth, 8.0);
    double air = 0.2 * hiss.Process(r.Bipolar());
    b[i] = static_cast<float>(synth::Window(t, 0.0, 2.8, 0.25, 0.3) * (motor + hum + 0.8 * gear + air));
  }
  AddNoiseHit(b, r, 0.0, 0.8f, Mode::kLowPass, 800.0, 0.7, 0.0005, 0.05);
  AddTone(b, Wave::kSine, 0.0, 0.7f, 70.0, 45.0, 0.1, 0.001, 0.1);
  AddRing(b, 0.0, 0.2f, {210.0, 560.0}, 0.2);
  AddRoom(b, 0.5, 0.5, 0.2f);
  Finish(b, -1.0f, 0.1);
  return b;
}

SoundBuffer StopDoor() {
  SoundBuffer b(kRate, 1.0);
  SynthRandom r(126);
  AddTone(b, Wave::kSine, 0.0, 1.0f, 65.0, 38.0, 0.1, 0.001, 0.18);
  AddNoiseHit(b, r, 0.0, 1.0f, Mode::kLowPass, 1200.0, 0.7, 0.0005, 0.05);
  AddNoiseHit(b, r, 0.0, 0.4f, Mode::kHighPass, 2000.0, 0.7, 0.0002, 0.008);
  AddRing(b, 0.0, 0.45f, {190.0, 470.0, 830.0, 1260.0, 1900.0}, 0.35);
  AddNoiseHit(b, r, 0.08, 0.3f, Mode::kBandPass, 1600.0, 1.0, 0.0005, 0.02);
  Drive(b, 1.4f);
  AddRoom(b, 0.65, 0.5, 0.3f);
  Finish(b, -1.0f, 0.15);
  return b;
}

SoundBuffer ItemDrop() {
  SoundBuffer b(kRate, 1.0);
  SynthRandom r(127);
  // A sparkle falling into place: E7, B6, G#6, E6, then a tink as it lands.
  static const double kNotes[] = {100.0, 95.0, 92.0, 88.0};
  for (int k = 0; k < 4; ++k) AddBell(b, r, 0.06 * k, kNotes[k], 0.5f);
  AddSweep(b, r, 0.0, 0.4, 0.2f, 5000.0, 800.0, 1.0, 0.2);
  AddRing(b, 0.3, 0.2f, {2637.0, 3960.0}, 0.1);
  AddRoom(b, 0.6, 0.3, 0.35f);
  Finish(b, -1.0f, 0.2);
  return b;
}

SoundBuffer Magazine() {
  SoundBuffer b(kRate, 0.7);
  SynthRandom r(128);
  AddNoiseHit(b, r, 0.0, 0.6f, Mode::kBandPass, 2800.0, 1.5, 0.0002, 0.004);
  AddRing(b, 0.0, 0.2f, {1600.0, 2500.0}, 0.02);
  AddNoiseHit(b, r, 0.05, 0.6f, Mode::kLowPass, 2000.0, 0.7, 0.0003, 0.015);
  AddTone(b, Wave::kSine, 0.05, 0.3f, 300.0, 200.0, 0.03, 0.0005, 0.03);
  // Two-note chime, A5 then E6.
  AddTone(b, Wave::kTriangle, 0.08, 0.5f, MidiToHz(81), MidiToHz(81), 1.0, 0.002, 0.15);
  AddTone(b, Wave::kSine, 0.08, 0.2f, MidiToHz(93), MidiToHz(93), 1.0, 0.002, 0.1);
  AddTone(b, Wave::kTriangle, 0.16, 0.5f, MidiToHz(88), MidiToHz(88), 1.0, 0.002, 0.2);
  AddTone(b, Wave::kSine, 0.16, 0.2f, MidiToHz(100), MidiToHz(100), 1.0, 0.002, 0.12);
  AddRoom(b, 0.4, 0.4, 0.2f);
  Finish(b, -1.0f, 0.1);
  return b;
}

SoundBuffer Attachment() {
  SoundBuffer b(kRate, 0.9);
  SynthRandom r(129);
  AddNoiseHit(b, r, 0.0, 0.7f, Mode::kHighPass, 2000.0, 0.7, 0.0002, 0.003);
  AddRing(b, 0.0, 0.3f, {2100.0, 3400.0}, 0.03);
  AddSweep(b, r, 0.02, 0.06, 0.3f, 2500.0, 3500.0, 1.5, 0.5);
  // Rising C major arpeggio: the gun got better.
  static const double kNotes[] = {84.0, 88.0, 91.0, 96.0};
  for (int k = 0; k < 4; ++k) {
    double hz = MidiToHz(kNotes[k]);
    AddTone(b, Wave::kSquare, 0.08 + 0.06 * k, 0.3f, hz, hz, 1.0, 0.002, 0.12);
  }
  AddBell(b, r, 0.26, 96.0, 0.3f);
  Filter soften(Mode::kLowPass, kRate, 7000.0);
  ProcessOneShot(b, [&](float x, size_t) { return soften.Process(x); });
  AddRoom(b, 0.45, 0.3, 0.25f);
  Finish(b, -1.0f, 0.15);
  return b;
}

SoundBuffer Heal() {
  SoundBuffer b(kRate, 1.4);
  SynthRandom r(130);
  // Soft rising arpeggio over a shimmering C major chord.
  static const double kNotes[] = {72.0, 76.0, 79.0, 84.0, 88.0, 91.0};
  for (int k = 0; k < 6; ++k) {
    double hz = MidiToHz(kNotes[k]);
    AddTone(b, Wave::kSine, 0.07 * k, 0.4f, hz, hz, 1.0, 0.01, 0.5);
    AddTone(b, Wave::kSine, 0.07 * k, 0.1f, hz * 2.0, hz * 2.0, 1.0, 0.01, 0.25);
  }
  Oscillator chord[] = {Oscillator(Wave::kSine, kRate), Oscillator(Wave::kSine, kRate),
                        Oscillator(Wave::kSine, kRate)};
  static const double kChord[] = {60.0, 64.0, 67.0};
  Oscillator tremolo(Wave::kSine, kRate);
  Filter air(Mode::kHighPass, kRate, 6000.0);
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.TimeOf(i);
    double pad = 0.0;
    for (int k = 0; k < 3; ++k) pad += chord[k].Next(MidiToHz(kChord[k]));
    double env = synth::Adsr(t, 0.3, 0.4, 0.6, 0.6, 0.3);
    b[i] += static_cast<float>(
        env * (0.15 * pad * (0.8 + 0.2 * tremolo.Next(6.0)) + 0.04 * air.Process(r.Bipolar())));
  }
  AddRoom(b, 0.7, 0.3, 0.4f);
  Finish(b, -1.0f, 0.25);
  return b;
}

SoundBuffer Decision() {
  SoundBuffer b(kRate, 0.4);
  AddTone(b, Wave::kSine, 0.0, 0.6f, MidiToHz(88), MidiToHz(88), 1.0, 0.002, 0.05);
  AddTone(b, Wave::kTriangle, 0.0, 0.3f, MidiToHz(88), MidiToHz(88), 1.0, 0.002, 0.04);
  AddTone(b, Wave::kSine, 0.06, 0.6f, MidiToHz(95), MidiToHz(95), 1.0, 0.002, 0.08);
  AddTone(b, Wave::kTriangle, 0.06, 0.3f, MidiToHz(95), MidiToHz(95), 1.0, 0.002, 0.06);
  Echo echo(kRate, 0.08, 0.2, 5000.0);
  ProcessOneShot(b, [&](float x, size_t) { return x + 0.25f * echo.Process(x); });
  Finish(b, -2.0f, 0.05);
  return b;
}

SoundBuffer Clear() {
  // Victory fanfare: a rising C major call, then a full held chord.
  SoundBuffer b(kRate, 4.2);
  SynthRandom r(131);
  struct Call {
    double at, held, midi;
    float gain;
  };
  static const Call kCall[] = {{0.0, 0.12, 67.0, 0.5f},  {0.13, 0.12, 72.0, 0.5f}, {0.26, 0.12, 76.0, 0.5f},
                               {0.39, 0.45, 79.0, 0.6f}, {0.87, 0.14, 76.0, 0.5f}, {1.02, 1.8, 79.0, 0.6f}};
  for (const Call& c : kCall)
    b.Mix(instruments::Brass(kRate, MidiToHz(c.midi), c.held, 1.0f, r), c.at, c.gain);
  for (double midi : {48.0, 60.0, 64.0, 67.0, 72.0}) {
    b.Mix(instruments::Brass(kRate, MidiToHz(midi), 1.8, 1.0f, r), 1.02, 0.3f);
  }
  b.Mix(instruments::Timpani(kRate, MidiToHz(36), 0.1, 1.0f, r), 0.0, 0.6f);
  b.Mix(instruments::Timpani(kRate, MidiToHz(36), 0.1, 1.0f, r), 1.02, 0.8f);
  b.Mix(instruments::Crash(kRate, 0.0, 0.1, 1.0f, r), 1.02, 0.5f);
  AddBell(b, r, 1.02, 96.0, 0.25f);
  AddRoom(b, 0.7, 0.4, 0.3f);
  Finish(b, -1.0f, 0.3);
  return b;
}

SoundBuffer Dead() {
  // A slow falling line into a dark C minor chord over a low drum.
  SoundBuffer b(kRate, 4.6);
  SynthRandom r(132);
  static const double kLine[] = {67.0, 65.0, 63.0, 62.0};
  for (int k = 0; k < 4; ++k) {
    b.Mix(instruments::Brass(kRate, MidiToHz(kLine[k]), k == 3 ? 0.5 : 0.38, 0.8f, r), 0.45 * k, 0.5f);
  }
  for (double midi : {48.0, 55.0, 60.0, 63.0}) {
    b.Mix(instruments::Pad(kRate, MidiToHz(midi), 1.4, 1.0f, r, 900.0), 1.85, 0.35f);
  }
  b.Mix(instruments::Timpani(kRate, MidiToHz(36), 0.1, 1.0f, r), 1.9, 0.8f);
  b.Mix(instruments::SubBass(kRate, MidiToHz(36), 1.2, 1.0f, r), 1.9, 0.4f);
  AddRoom(b, 0.8, 0.5, 0.35f);
  Finish(b, -1.0f, 0.4);
  return b;
}

}  // namespace effect_sounds
