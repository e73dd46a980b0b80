#include "Instruments.h"

#include <algorithm>
#include <cmath>

#include "Filter.h"
#include "Oscillator.h"
#include "SynthMath.h"

using synth::Adsr;
using synth::Perc;

namespace instruments {

SoundBuffer Kick(int rate, double, double, float velocity, SynthRandom& random) {
  SoundBuffer out(rate, 0.45);
  Oscillator body(Oscillator::Wave::kSine, rate);
  Filter click(Filter::Mode::kHighPass, rate, 2500.0);
  for (size_t i = 0; i < out.Size(); ++i) {
    double t = out.TimeOf(i);
    double hz = 46.0 + 120.0 * std::exp(-t / 0.03);
    float tone = body.Next(hz) * static_cast<float>(Perc(t, 0.001, 0.22));
    float snap = click.Process(random.Bipolar()) * static_cast<float>(std::exp(-t / 0.004)) * 0.5f;
    out[i] = velocity * synth::SoftClip(1.6f * (tone + snap));
  }
  out.FadeOut(0.02);
  return out;
}

SoundBuffer Snare(int rate, double, double, float velocity, SynthRandom& random) {
  SoundBuffer out(rate, 0.32);
  Oscillator low(Oscillator::Wave::kTriangle, rate);
  Oscillator high(Oscillator::Wave::kSine, rate);
  Filter rattle(Filter::Mode::kBandPass, rate, 3800.0, 0.6);
  Filter air(Filter::Mode::kHighPass, rate, 1200.0);
  for (size_t i = 0; i < out.Size(); ++i) {
    double t = out.TimeOf(i);
    double tone =
        (0.6 * low.Next(180.0 + 40.0 * std::exp(-t / 0.02)) + 0.3 * high.Next(330.0)) * Perc(t, 0.001, 0.05);
    float n = random.Bipolar();
    double noise = (rattle.Process(n) * 1.4 + air.Process(n) * 0.5) * Perc(t, 0.001, 0.085);
    out[i] = velocity * static_cast<float>(tone + noise);
  }
  out.FadeOut(0.03);
  return out;
}

SoundBuffer ClosedHat(int rate, double, double, float velocity, SynthRandom& random) {
  SoundBuffer out(rate, 0.07);
  Filter hp(Filter::Mode::kHighPass, rate, 7000.0, 0.9);
  for (size_t i = 0; i < out.Size(); ++i) {
    out[i] = velocity * 0.8f * hp.Process(random.Bipolar()) *
             static_cast<float>(Perc(out.TimeOf(i), 0.0005, 0.014));
  }
  out.FadeOut(0.01);
  return out;
}

SoundBuffer OpenHat(int rate, double, double, float velocity, SynthRandom& random) {
  SoundBuffer out(rate, 0.4);
  Filter hp(Filter::Mode::kHighPass, rate, 6500.0, 0.9);
  for (size_t i = 0; i < out.Size(); ++i) {
    out[i] =
        velocity * 0.6f * hp.Process(random.Bipolar()) * static_cast<float>(Perc(out.TimeOf(i), 0.001, 0.12));
  }
  out.FadeOut(0.05);
  return out;
}

SoundBuffer Crash(int rate, double, double, float velocity, SynthRandom& random) {
  SoundBuffer out(rate, 2.2);
  Filter hp(Filter::Mode::kHighPass, rate, 4000.0, 0.7);
  Filter body(Filter::Mode::kBandPass, rate, 5200.0, 1.5);
  for (size_t i = 0; i < out.Size(); ++i) {
    float n = random.Bipolar();
    double t = out.TimeOf(i);
    out[i] =
        velocity * 0.5f * (hp.Process(n) + 0.8f * body.Process(n)) * static_cast<float>(Perc(t, 0.002, 0.55));
  }
  out.FadeOut(0.3);
  return out;
}

SoundBuffer Tom(int rate, double hz, double, float velocity, SynthRandom& random) {
  SoundBuffer out(rate, 0.5);
  Oscillator body(Oscillator::Wave::kSine, rate);
  Filter skin(Filter::Mode::kBandPass, rate, hz * 4.0, 1.0);
  for (size_t i = 0; i < out.Size(); ++i) {
    double t = out.TimeOf(i);
    double tone = body.Next(hz * (1.0 + 0.6 * std::exp(-t / 0.04))) * Perc(t, 0.001, 0.18);
    double noise = skin.Process(random.Bipolar()) * Perc(t, 0.001, 0.03);
    out[i] = velocity * synth::SoftClip(static_cast<float>(1.3 * (tone + 0.5 * noise)));
  }
  out.FadeOut(0.04);
  return out;
}

SoundBuffer Timpani(int rate, double hz, double, float velocity, SynthRandom& random) {
  SoundBuffer out(rate, 2.5);
  Oscillator a(Oscillator::Wave::kSine, rate);
  Oscillator b(Oscillator::Wave::kSine, rate);
  Filter mallet(Filter::Mode::kLowPass, rate, 600.0);
  for (size_t i = 0; i < out.Size(); ++i) {
    double t = out.TimeOf(i);
    double tone =
        (a.Next(hz * (1.0 + 0.08 * std::exp(-t / 0.05))) + 0.35 * b.Next(hz * 1.5)) * Perc(t, 0.004, 0.7);
    double thud = mallet.Process(random.Bipolar()) * Perc(t, 0.002, 0.05);
    out[i] = velocity * static_cast<float>(0.7 * tone + 0.8 * thud);
  }
  out.FadeOut(0.3);
  return out;
}

SoundBuffer SawBass(int rate, double hz, double held, float velocity, SynthRandom&, double drive) {
  const double release = 0.04;
  SoundBuffer out(rate, held + release + 0.01);
  Oscillator a(Oscillator::Wave::kSaw, rate);
  Oscillator b(Oscillator::Wave::kSaw, rate, 0.37);
  Oscillator sub(Oscillator::Wave::kSine, rate);
  Filter lp(Filter::Mode::kLowPass, rate, hz * 4.0, 1.6);
  for (size_t i = 0; i < out.Size(); ++i) {
    double t = out.TimeOf(i);
    lp.SetCutoff(hz * (1.5 + 9.0 * velocity * std::exp(-t / 0.07)));
    double raw = 0.5 * (a.Next(hz) + b.Next(hz * 1.006)) + 0.6 * sub.Next(hz * 0.5);
    double shaped = lp.Process(static_cast<float>(raw));
    if (drive > 0.0) shaped = std::tanh(shaped * (1.0 + drive)) / std::tanh(1.0 + drive);
    out[i] = velocity * static_cast<float>(shaped * Adsr(t, 0.003, 0.12, 0.7, held, release));
  }
  out.FadeOut(0.005);
  return out;
}

SoundBuffer SubBass(int rate, double hz, double held, float velocity, SynthRandom&) {
  const double release = 0.4;
  SoundBuffer out(rate, held + release * 4.0);
  Oscillator s(Oscillator::Wave::kSine, rate);
  Oscillator tri(Oscillator::Wave::kTriangle, rate);
  for (size_t i = 0; i < out.Size(); ++i) {
    double t = out.TimeOf(i);
    out[i] = velocity * static_cast<float>((s.Next(hz) + 0.25 * tri.Next(hz * 2.0)) *
                                           Adsr(t, 0.05, 0.5, 0.8, held, release));
  }
  out.FadeOut(0.05);
  return out;
}

SoundBuffer Pad(int rate, double hz, double held, float velocity, SynthRandom& random, double brightness) {
  const double release = 1.2;
  SoundBuffer out(rate, held + release * 2.5);
  static const double kDetune[] = {-0.11, -0.04, 0.05, 0.12};
  Oscillator voices[] = {Oscillator(Oscillator::Wave::kSaw, rate, random.Uniform()),
                         Oscillator(Oscillator::Wave::kSaw, rate, random.Uniform()),
                         Oscillator(Oscillator::Wave::kSaw, rate, random.Uniform()),
                         Oscillator(Oscillator::Wave::kSaw, rate, random.Uniform())};
  Oscillator sub(Oscillator::Wave::kTriangle, rate);
  Filter lp(Filter::Mode::kLowPass, rate, brightness, 0.8);
  float level = 0.0f, slope = 0.0f;
  double voiceHz[4];
  for (int v = 0; v < 4; ++v) voiceHz[v] = hz * std::pow(2.0, kDetune[v] / 12.0);
  for (size_t i = 0; i < out.Size(); ++i) {
    double t = out.TimeOf(i);
    double sum = 0.35 * sub.Next(hz * 0.5);
    for (int v = 0; v < 4; ++v) sum += 0.3 * voices[v].Next(voiceHz[v]);
    // The pad moves slowly: its filter and envelope are updated at a control rate.
    if (i % 64 == 0) {
      lp.SetCutoff(brightness * (0.7 + 0.3 * std::sin(synth::kTwoPi * 0.2 * t)));
      level = static_cast<float>(Adsr(t, 0.9, 1.5, 0.8, held, release));
      double next = Adsr(t + 64.0 / rate, 0.9, 1.5, 0.8, held, release);
      slope = static_cast<float>((next - level) / 64.0);
    } else {
      level += slope;
    }
    out[i] = velocity * lp.Process(static_cast<float>(sum)) * level;
  }
  out.FadeOut(0.1);
  return out;
}

SoundBuffer Bell(int rate, double hz, double held, float velocity, SynthRandom&) {
  SoundBuffer out(rate, std::max(2.4, held + 1.0));
  Oscillator carrier(Oscillator::Wave::kSine, rate);
  Oscillator modulator(Oscillator::Wave::kSine, rate);
  Oscillator shimmer(Oscillator::Wave::kSine, rate);
  for (size_t i = 0; i < out.Size(); ++i) {
    double t = out.TimeOf(i);
    double index = 2.2 * std::exp(-t / 0.35) + 0.3;
    double mod = modulator.Next(hz * 3.5) * index * hz;
    double tone =
        carrier.Next(hz + mod) * Perc(t, 0.002, 0.8) + 0.2 * shimmer.Next(hz * 2.01) * Perc(t, 0.002, 0.3);
    out[i] = velocity * 0.6f * static_cast<float>(tone);
  }
  out.FadeOut(0.2);
  return out;
}

SoundBuffer Pluck(int rate, double hz, double held, float velocity, SynthRandom&) {
  SoundBuffer out(rate, held + 0.5);
  Oscillator a(Oscillator::Wave::kSaw, rate);
  Oscillator b(Oscillator::Wave::kSquare, rate);
  Filter lp(Filter::Mode::kLowPass, rate, 4000.0, 1.2);
  for (size_t i = 0; i < out.Size(); ++i) {
    double t = out.TimeOf(i);
    lp.SetCutoff(hz * (1.2 + 10.0 * std::exp(-t / 0.06)));
    double raw = 0.6 * a.Next(hz) + 0.4 * b.Next(hz * 1.003, 0.3);
    out[i] = velocity * lp.Process(static_cast<float>(raw)) * static_cast<float>(Perc(t, 0.002, 0.18));
  }
  out.FadeOut(0.05);
  return out;
}

SoundBuffer Lead(int rate, double hz, double held, float velocity, SynthRandom&) {
  const double release = 0.12;
  SoundBuffer out(rate, held + release * 4.0);
  Oscillator a(Oscillator::Wave::kSquare, rate);
  Oscillator b(Oscillator::Wave::kSaw, rate, 0.25);
  Oscillator vibrato(Oscillator::Wave::kSine, rate);
  Filter lp(Filter::Mode::kLowPass, rate, 3200.0, 1.0);
  for (size_t i = 0; i < out.Size(); ++i) {
    double t = out.TimeOf(i);
    double depth = 0.25 * synth::Clamp01((t - 0.18) / 0.25);
    // A quarter semitone at most: 2^(x/12) is 1 + x ln2/12 closely enough.
    double f = hz * (1.0 + 0.057762 * depth * vibrato.Next(5.5));
    lp.SetCutoff(hz * 3.0 + 2500.0 * std::exp(-t / 0.1));
    double raw = 0.55 * a.Next(f, 0.4) + 0.45 * b.Next(f * 1.004);
    out[i] = velocity * lp.Process(static_cast<float>(raw)) *
             static_cast<float>(Adsr(t, 0.006, 0.25, 0.75, held, release));
  }
  out.FadeOut(0.02);
  return out;
}

SoundBuffer Flute(int rate, double hz, double held, float velocity, SynthRandom& random) {
  const double release = 0.35;
  SoundBuffer out(rate, held + release * 4.0);
  Oscillator tone(Oscillator::Wave::kSine, rate);
  Oscillator overtone(Oscillator::Wave::kTriangle, rate);
  Oscillator vibrato(Oscillator::Wave::kSine, rate);
  Filter breath(Filter::Mode::kBandPass, rate, hz * 2.0, 2.0);
  for (size_t i = 0; i < out.Size(); ++i) {
    double t = out.TimeOf(i);
    double depth = 0.18 * synth::Clamp01((t - 0.3) / 0.4);
    double f = hz * (1.0 + 0.057762 * depth * vibrato.Next(4.8));
    double raw = tone.Next(f) + 0.15 * overtone.Next(f * 2.0) + 0.25 * breath.Process(random.Bipolar());
    out[i] = velocity * 0.7f * static_cast<float>(raw * Adsr(t, 0.12, 0.6, 0.85, held, release));
  }
  out.FadeOut(0.05);
  return out;
}

SoundBuffer Brass(int rate, double hz, double held, float velocity, SynthRandom& random) {
  const double release = 0.25;
  SoundBuffer out(rate, held + release * 4.0);
  Oscillator a(Oscillator::Wave::kSaw, rate, random.Uniform());
  Oscillator b(Oscillator::Wave::kSaw, rate, random.Uniform());
  Oscillator c(Oscillator::Wave::kSaw, rate, random.Uniform());
  Filter lp(Filter::Mode::kLowPass, rate, 1000.0, 0.9);
  for (size_t i = 0; i < out.Size(); ++i) {
    double t = out.TimeOf(i);
    double swell = synth::Clamp01(t / 0.05);
    lp.SetCutoff(hz * (1.5 + 4.0 * swell * (0.6 + 0.4 * std::exp(-t / 0.3))));
    double raw = (a.Next(hz * 0.997) + b.Next(hz) + c.Next(hz * 1.004)) / 3.0;
    out[i] = velocity * lp.Process(static_cast<float>(raw)) *
             static_cast<float>(Adsr(t, 0.03, 0.4, 0.8, held, release));
  }
  out.FadeOut(0.05);
  return out;
}

}  // namespace instruments
