#include "MusicTracks.h"

#include <cmath>
#include <string>
#include <vector>

#include "Echo.h"
#include "Filter.h"
#include "Instruments.h"
#include "MusicSequencer.h"
#include "Reverb.h"
#include "SignalChain.h"
#include "SynthMath.h"
#include "SynthRandom.h"

namespace music_tracks {
namespace {

constexpr int kStepsPerBar = 16;

// A bar's harmony: the bass root and the chord tones above it (MIDI notes).
struct Chord {
  double root;
  std::vector<double> tones;
};

// Sixteenth-note length in frames; the tempos are chosen so this is whole.
int FramesPerStep(int bpm) {
  return kRate * 15 / bpm;
}

// Every chord's tones held for the bar (or bars) it lasts.
std::vector<SequencedNote> HeldChords(const std::vector<Chord>& chords, int stepsPerChord, float velocity,
                                      double transpose = 0.0) {
  std::vector<SequencedNote> notes;
  for (size_t c = 0; c < chords.size(); ++c) {
    for (double tone : chords[c].tones) {
      notes.push_back({static_cast<int>(c) * stepsPerChord, stepsPerChord, tone + transpose, velocity});
    }
  }
  return notes;
}

// Arpeggio over each chord: pattern characters are indices into the chord's tones
// continued an octave up ('0'..'9'), '.' rests; every note lasts noteSteps.
std::vector<SequencedNote> Arpeggio(const std::vector<Chord>& chords, int stepsPerChord,
                                    const std::string& pattern, int noteSteps, double transpose,
                                    float velocity, int firstChord = 0, int chordCount = -1) {
  std::vector<SequencedNote> notes;
  int last = chordCount < 0 ? static_cast<int>(chords.size()) : firstChord + chordCount;
  for (int c = firstChord; c < last; ++c) {
    const std::vector<double>& tones = chords[c].tones;
    int n = static_cast<int>(tones.size());
    for (int k = 0; k < stepsPerChord; ++k) {
      char symbol = pattern[(k / noteSteps) % pattern.size()];
      if (k % noteSteps != 0 || symbol == '.') continue;
      int index = symbol - '0';
      double midi = tones[index % n] + 12.0 * (index / n) + transpose;
      notes.push_back({c * stepsPerChord + k, noteSteps, midi, velocity});
    }
  }
  return notes;
}

// Bass rhythm per chord, one character a step: 'r' root, 'o' octave, 'f' fifth, upper
// case accented, '-' holds the note before, '.' rests.
std::vector<SequencedNote> BassLine(const std::vector<Chord>& chords, int stepsPerChord,
                                    const std::string& pattern, float velocity) {
  std::vector<SequencedNote> notes;
  for (size_t c = 0; c < chords.size(); ++c) {
    bool holding = false;
    for (int k = 0; k < stepsPerChord; ++k) {
      char symbol = pattern[k % pattern.size()];
      if (symbol == '-') {
        if (holding) ++notes.back().length;
        continue;
      }
      holding = false;
      if (symbol == '.') continue;
      char lower = static_cast<char>(symbol | 0x20);
      double interval = lower == 'o' ? 12.0 : (lower == 'f' ? 7.0 : 0.0);
      float level = symbol == lower ? velocity * 0.8f : velocity;
      notes.push_back({static_cast<int>(c) * stepsPerChord + k, 1, chords[c].root + interval, level});
      holding = true;
    }
  }
  return notes;
}

// The same one-bar rhythm in every bar.
std::vector<SequencedNote> Drums(int bars, const std::string& pattern, double midi = 60.0) {
  return MusicSequencer::Repeat(MusicSequencer::ParseRhythm(pattern, 0, midi), kStepsPerBar, bars);
}

void Append(std::vector<SequencedNote>& to, const std::vector<SequencedNote>& notes) {
  to.insert(to.end(), notes.begin(), notes.end());
}

// Replaces a bar of a repeated pattern with a fill.
void ReplaceBar(std::vector<SequencedNote>& notes, int bar, const std::string& pattern, double midi = 60.0) {
  std::vector<SequencedNote> kept;
  for (const SequencedNote& n : notes) {
    if (n.step / kStepsPerBar != bar) kept.push_back(n);
  }
  Append(kept, MusicSequencer::ParseRhythm(pattern, bar * kStepsPerBar, midi));
  notes = kept;
}

SoundBuffer WithReverb(const SoundBuffer& dry, double size, double damping, float wet) {
  SoundBuffer out = dry;
  Reverb room(dry.Rate(), size, damping);
  ProcessLooped(out, [&](float x, size_t) { return x + wet * room.Process(x); });
  return out;
}

SoundBuffer WithEcho(const SoundBuffer& dry, double delaySeconds, double feedback, double toneHz, float wet) {
  SoundBuffer out = dry;
  Echo echo(dry.Rate(), delaySeconds, feedback, toneHz);
  ProcessLooped(out, [&](float x, size_t) { return x + wet * echo.Process(x); });
  return out;
}

void AddInto(SoundBuffer& mix, const SoundBuffer& part, float gain) {
  mix.MixWrapped(part, 0, gain);
}

// Removes DC, optionally saturates for density (memoryless, so the seam survives), sets the level.
SoundBuffer Master(SoundBuffer mix, float drive, float peakDb) {
  mix.RemoveMean();
  if (drive > 0.0f) {
    mix.NormalizePeak(0.0f);
    float norm = std::tanh(drive);
    for (size_t i = 0; i < mix.Size(); ++i) mix[i] = std::tanh(drive * mix[i]) / norm;
  }
  mix.NormalizePeak(peakDb);
  mix.RotateToZeroCrossing(0.03);
  return mix;
}

Instrument SawBassWith(double drive) {
  return [drive](int rate, double hz, double held, float velocity, SynthRandom& random) {
    return instruments::SawBass(rate, hz, held, velocity, random, drive);
  };
}

Instrument PadWith(double brightness) {
  return [brightness](int rate, double hz, double held, float velocity, SynthRandom& random) {
    return instruments::Pad(rate, hz, held, velocity, random, brightness);
  };
}

}  // namespace

SoundBuffer Title() {
  const int bars = 8;
  MusicSequencer seq(kRate, FramesPerStep(70), bars * kStepsPerBar);
  const std::vector<Chord> chords = {
      {45, {57, 60, 64, 71}}, {41, {53, 57, 60, 64}}, {48, {55, 60, 62, 64}}, {43, {55, 59, 62, 64}},
      {45, {57, 60, 64, 67}}, {41, {57, 60, 64, 65}}, {38, {53, 57, 60, 64}}, {40, {52, 57, 59, 62}},
  };
  std::vector<SequencedNote> roots;
  for (int b = 0; b < bars; ++b) roots.push_back({b * kStepsPerBar, kStepsPerBar, chords[b].root, 0.5f});

  SoundBuffer pad = seq.Render(HeldChords(chords, kStepsPerBar, 0.25f), PadWith(1300.0), 1);
  SoundBuffer bass = seq.Render(roots, instruments::SubBass, 2);
  SoundBuffer bells =
      seq.Render(Arpeggio(chords, kStepsPerBar, "02132131", 2, 12.0, 0.3f), instruments::Bell, 3);
  const std::string melody =
      "E5 - - - - - - - C5 - - - D5 - - - | E5 - - - - - - - - - - - G5 - F5 - | "
      "E5 - - - D5 - - - C5 - - - A4 - - - | B4 - - - - - - - - - - - . . . .";
  SoundBuffer flute =
      seq.Render(MusicSequencer::ParseMelody(melody, 4 * kStepsPerBar, 0.45f), instruments::Flute, 4);
  SoundBuffer drum =
      seq.Render({{0, 1, 33, 0.5f}, {4 * kStepsPerBar, 1, 33, 0.35f}}, instruments::Timpani, 5);

  // Wind: noise through a slowly wandering band, its drift periodic in the loop.
  SoundBuffer wind = seq.Silence();
  SynthRandom random(6);
  for (size_t i = 0; i < wind.Size(); ++i) wind[i] = random.Bipolar();
  Filter band(Filter::Mode::kBandPass, kRate, 500.0, 1.5);
  const double period = static_cast<double>(wind.Size());
  ProcessLooped(wind, [&](float x, size_t i) {
    double u = synth::kTwoPi * static_cast<double>(i) / period;
    band.SetCutoff(500.0 + 300.0 * std::sin(2.0 * u));
    return band.Process(x) * static_cast<float>(0.6 + 0.4 * std::sin(u));
  });

  bells = WithEcho(bells, 3 * seq.StepSeconds(), 0.45, 2500.0, 0.5f);
  SoundBuffer send = seq.Silence();
  AddInto(send, pad, 1.0f);
  AddInto(send, bells, 0.8f);
  AddInto(send, flute, 0.7f);
  send = WithReverb(send, 0.85, 0.4, 0.5f);

  SoundBuffer mix = seq.Silence();
  AddInto(mix, send, 1.0f);
  AddInto(mix, bass, 0.5f);
  AddInto(mix, drum, 0.4f);
  AddInto(mix, wind, 0.25f);
  return Master(mix, 0.0f, -3.0f);
}

SoundBuffer Stage() {
  const int bars = 16;
  MusicSequencer seq(kRate, FramesPerStep(126), bars * kStepsPerBar);
  const Chord em{40, {64, 67, 71}}, c{36, {60, 64, 67}}, d{38, {62, 66, 69}}, bm{35, {59, 62, 66}},
      b7{35, {59, 63, 66, 69}};
  std::vector<Chord> chords;
  for (int half = 0; half < 2; ++half) {
    for (const Chord& chord : {em, c, d, bm, em, c, d, b7}) chords.push_back(chord);
  }

  std::vector<SequencedNote> kick = Drums(bars, "X...X...X...X...", 36);
  ReplaceBar(kick, 15, "X...X...X.X.X.XX", 36);
  std::vector<SequencedNote> snare = Drums(bars, "....X.......X...");
  ReplaceBar(snare, 7, "....X.......X.xx");
  ReplaceBar(snare, 15, "....X...x.xxXxXX");
  std::vector<SequencedNote> hats = Drums(8, "xoxoXoxoxoxoXoxo");
  Append(hats,
         MusicSequencer::Repeat(MusicSequencer::ParseRhythm("x...x...x...x...", 8 * kStepsPerBar), 16, 8));
  std::vector<SequencedNote> open =
      MusicSequencer::Repeat(MusicSequencer::ParseRhythm("..x...x...x...x.", 8 * kStepsPerBar), 16, 8);
  std::vector<SequencedNote> crash = {{0, 1, 60, 0.8f}, {8 * kStepsPerBar, 1, 60, 1.0f}};

  std::vector<SequencedNote> arp = Arpeggio(chords, kStepsPerBar, "0121012301234321", 1, 0.0, 0.35f, 0, 8);
  Append(arp, Arpeggio(chords, kStepsPerBar, "0121012301234321", 1, 0.0, 0.22f, 8, 8));
  const std::string lead =
      "E5 - - - G5 - B5 - A5 - G5 - F#5 - E5 - | G5 - - - - - E5 - C5 - - - D5 - E5 - | "
      "F#5 - - - A5 - F#5 - D5 - - - E5 - F#5 - | D5 - - - - - - - B4 - - - - - . . | "
      "E5 - - - G5 - B5 - E6 - - - D6 - B5 - | C6 - - - B5 - G5 - E5 - - - G5 - A5 - | "
      "F#5 - - - A5 - D6 - C6 - B5 - A5 - F#5 - | D#5 - - - - - F#5 - B5 - - - A5 - F#5 -";

  SoundBuffer drums = seq.Silence();
  AddInto(drums, seq.Render(kick, instruments::Kick, 11), 1.0f);
  AddInto(drums, seq.Render(snare, instruments::Snare, 12), 0.7f);
  AddInto(drums, seq.Render(hats, instruments::ClosedHat, 13), 0.35f);
  AddInto(drums, seq.Render(open, instruments::OpenHat, 14), 0.3f);
  AddInto(drums, seq.Render(crash, instruments::Crash, 15), 0.4f);
  drums = WithReverb(drums, 0.4, 0.5, 0.12f);

  SoundBuffer bass =
      seq.Render(BassLine(chords, kStepsPerBar, "r.rOr.rfr.rOr.ro", 0.9f), SawBassWith(0.5), 16);
  SoundBuffer pluck =
      WithEcho(seq.Render(arp, instruments::Pluck, 17), 3 * seq.StepSeconds(), 0.35, 3000.0, 0.35f);
  SoundBuffer melody =
      seq.Render(MusicSequencer::ParseMelody(lead, 8 * kStepsPerBar, 0.45f), instruments::Lead, 18);
  SoundBuffer pad = seq.Render(HeldChords(chords, kStepsPerBar, 0.15f, -12.0), PadWith(2200.0), 19);

  SoundBuffer send = seq.Silence();
  AddInto(send, pluck, 0.8f);
  AddInto(send, melody, 0.8f);
  AddInto(send, pad, 0.9f);
  send = WithReverb(send, 0.6, 0.4, 0.25f);

  SoundBuffer mix = seq.Silence();
  AddInto(mix, drums, 1.0f);
  AddInto(mix, bass, 0.8f);
  AddInto(mix, send, 1.0f);
  return Master(mix, 1.2f, -3.0f);
}

SoundBuffer Boss() {
  const int bars = 16;
  MusicSequencer seq(kRate, FramesPerStep(150), bars * kStepsPerBar);
  const Chord cm{48, {60, 63, 67}}, ab{44, {60, 63, 68}}, db{49, {61, 65, 68}}, g{43, {59, 62, 67}};
  std::vector<Chord> chords;  // one per bar
  for (int half = 0; half < 2; ++half) {
    for (const Chord& chord : {cm, cm, ab, ab, db, db, g, g}) chords.push_back(chord);
  }

  std::vector<SequencedNote> kick = Drums(bars, "X..xX..xX..xX.x.", 36);
  std::vector<SequencedNote> snare = Drums(bars, "....X.......X...");
  std::vector<SequencedNote> hats = Drums(bars, "XxxxXxxxXxxxXxxx");
  std::vector<SequencedNote> toms;
  for (int bar : {7, 15}) {
    ReplaceBar(snare, bar, "....X...........");
    static const int kSteps[] = {8, 10, 12, 13, 14, 15};
    static const double kPitch[] = {52, 50, 47, 45, 43, 40};
    for (int k = 0; k < 6; ++k) toms.push_back({bar * kStepsPerBar + kSteps[k], 1, kPitch[k], 0.9f});
  }
  std::vector<SequencedNote> crash = {{0, 1, 60, 1.0f}, {8 * kStepsPerBar, 1, 60, 1.0f}};

  std::vector<SequencedNote> ostinato =
      Arpeggio(chords, kStepsPerBar, "0.0102010.010232", 1, 12.0, 0.3f, 0, 8);
  Append(ostinato, Arpeggio(chords, kStepsPerBar, "0.0102010.010232", 1, 12.0, 0.16f, 8, 8));
  const std::string lead =
      "C5 - - D5 Eb5 - - F5 G5 - - - Ab5 - G5 - | F5 - Eb5 - D5 - - - C5 - - - B4 - - - | "
      "C5 - - Eb5 Ab5 - - - G5 - F5 - Eb5 - - - | F5 - - - Eb5 - C5 - Eb5 - - - - - . . | "
      "Db5 - - F5 Ab5 - - - C6 - - - Bb5 - Ab5 - | G5 - - - F5 - Ab5 - G5 - - - - - . . | "
      "B4 - D5 - F5 - G5 - B5 - - - Ab5 - G5 - | F5 - D5 - B4 - G4 - B4 - D5 - F5 - G5 -";

  SoundBuffer drums = seq.Silence();
  AddInto(drums, seq.Render(kick, instruments::Kick, 21), 1.0f);
  AddInto(drums, seq.Render(snare, instruments::Snare, 22), 0.8f);
  AddInto(drums, seq.Render(hats, instruments::ClosedHat, 23), 0.3f);
  AddInto(drums, seq.Render(toms, instruments::Tom, 24), 0.7f);
  AddInto(drums, seq.Render(crash, instruments::Crash, 25), 0.45f);
  drums = WithReverb(drums, 0.5, 0.5, 0.12f);

  SoundBuffer bass =
      seq.Render(BassLine(chords, kStepsPerBar, "RrrorrrfRrrorrfo", 0.9f), SawBassWith(2.0), 26);
  SoundBuffer stabs =
      WithEcho(seq.Render(ostinato, instruments::Pluck, 27), 2 * seq.StepSeconds(), 0.3, 2500.0, 0.3f);
  SoundBuffer melody =
      seq.Render(MusicSequencer::ParseMelody(lead, 8 * kStepsPerBar, 0.5f), instruments::Lead, 28);
  SoundBuffer strings = seq.Render(HeldChords(chords, kStepsPerBar, 0.2f, -12.0), PadWith(2600.0), 29);

  SoundBuffer send = seq.Silence();
  AddInto(send, stabs, 0.8f);
  AddInto(send, melody, 0.9f);
  AddInto(send, strings, 0.8f);
  send = WithReverb(send, 0.65, 0.4, 0.25f);

  SoundBuffer mix = seq.Silence();
  AddInto(mix, drums, 1.0f);
  AddInto(mix, bass, 0.75f);
  AddInto(mix, send, 1.0f);
  return Master(mix, 1.5f, -3.0f);
}

SoundBuffer Warning() {
  const int bars = 12;
  MusicSequencer seq(kRate, FramesPerStep(135), bars * kStepsPerBar);
  const Chord c{36, {60, 63, 66}}, db{37, {61, 65, 68}};
  std::vector<Chord> chords;
  for (int k = 0; k < 3; ++k) {
    for (const Chord& chord : {c, c, db, c}) chords.push_back(chord);
  }

  // The siren wails up and down once a bar. Its pitch curve is scaled so the loop holds a
  // whole number of cycles and the phase meets itself at the seam.
  SoundBuffer siren = seq.Silence();
  const double barFrames = static_cast<double>(seq.Frames()) / bars;
  auto sirenHz = [&](size_t i) {
    double u = synth::kTwoPi * static_cast<double>(i) / barFrames;
    return 650.0 + 450.0 * (0.5 - 0.5 * std::cos(u));
  };
  double cycles = 0.0;
  for (size_t i = 0; i < siren.Size(); ++i) cycles += sirenHz(i) / kRate;
  const double fit = std::round(cycles) / cycles;
  double phase = 0.0;
  for (size_t i = 0; i < siren.Size(); ++i) {
    double p = synth::kTwoPi * phase;
    siren[i] = static_cast<float>(std::sin(p) + 0.3 * std::sin(2.0 * p) + 0.15 * std::sin(3.0 * p));
    phase += sirenHz(i) * fit / kRate;
    phase -= std::floor(phase);
  }

  std::vector<SequencedNote> kick = Drums(bars, "X...X...X...X...", 36);
  std::vector<SequencedNote> snare = MusicSequencer::Repeat(
      MusicSequencer::ParseRhythm("....X.......X...", 4 * kStepsPerBar), kStepsPerBar, 8);
  ReplaceBar(snare, 11, "....X.......XxXX");
  std::vector<SequencedNote> hats = Drums(bars, "xoxoxoxoxoxoxoxo");
  std::vector<SequencedNote> bells;
  for (int b = 0; b < bars; ++b) {
    bells.push_back({b * kStepsPerBar, 1, 84, 0.35f});
    bells.push_back({b * kStepsPerBar, 1, 90, 0.25f});
  }
  std::vector<SequencedNote> stabs;
  for (int b = 8; b < bars; ++b) {
    for (int beat : {0, 8}) {
      for (double tone : chords[b].tones) stabs.push_back({b * kStepsPerBar + beat, 2, tone, 0.4f});
    }
  }

  SoundBuffer drums = seq.Silence();
  AddInto(drums, seq.Render(kick, instruments::Kick, 31), 1.0f);
  AddInto(drums, seq.Render(snare, instruments::Snare, 32), 0.7f);
  AddInto(drums, seq.Render(hats, instruments::ClosedHat, 33), 0.3f);
  drums = WithReverb(drums, 0.5, 0.5, 0.15f);

  SoundBuffer bass =
      seq.Render(BassLine(chords, kStepsPerBar, "R.r.r.r.R.r.r.r.", 0.9f), SawBassWith(1.0), 34);
  SoundBuffer send = seq.Silence();
  AddInto(send, siren, 0.35f);
  AddInto(send, seq.Render(bells, instruments::Bell, 35), 0.6f);
  AddInto(send, seq.Render(stabs, instruments::Brass, 36), 0.6f);
  send = WithReverb(send, 0.7, 0.4, 0.3f);

  SoundBuffer mix = seq.Silence();
  AddInto(mix, drums, 1.0f);
  AddInto(mix, bass, 0.7f);
  AddInto(mix, send, 1.0f);
  return Master(mix, 1.3f, -3.0f);
}

}  // namespace music_tracks
