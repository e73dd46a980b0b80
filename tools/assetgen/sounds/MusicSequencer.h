#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "SoundBuffer.h"
#include "SynthRandom.h"

// One note on the sequencer's grid of sixteenth-note steps; midi may be fractional.
struct SequencedNote {
  int step;
  int length;
  double midi;
  float velocity;
};

// Renders one note: its pitch, how long it is held, how hard it is played. The buffer it
// returns may ring on past the held length (release, decay).
using Instrument = std::function<SoundBuffer(int sampleRate, double hz, double heldSeconds, float velocity,
                                             SynthRandom& random)>;

// Lays notes on a looping grid. Notes that ring past the end of the loop wrap around to
// its start, so a rendered part repeats without a seam.
class MusicSequencer {
 public:
  MusicSequencer(int sampleRate, int framesPerStep, int steps);

  int Rate() const { return rate_; }
  int Steps() const { return steps_; }
  size_t Frames() const { return static_cast<size_t>(framesPerStep_) * steps_; }
  double StepSeconds() const { return static_cast<double>(framesPerStep_) / rate_; }
  SoundBuffer Silence() const { return SoundBuffer(rate_, Frames()); }

  SoundBuffer Render(const std::vector<SequencedNote>& notes, const Instrument& instrument,
                     uint64_t seed) const;

  // Melody notation, one whitespace-separated token per step: a note name with octave
  // ("C4", "F#3", "Bb5") starts a note, "-" holds the one before, "." rests, "|" is
  // ignored (bar lines for the reader). Notes start at firstStep.
  static std::vector<SequencedNote> ParseMelody(const std::string& text, int firstStep = 0,
                                                float velocity = 1.0f);
  // Rhythm notation, one character per step: 'X' accent, 'x' hit, 'o' ghost, '.' rest,
  // '|' and spaces ignored. Every hit is a one-step note at the given pitch.
  static std::vector<SequencedNote> ParseRhythm(const std::string& text, int firstStep = 0,
                                                double midi = 60.0);
  // Repeats a pattern end to end, shifted by patternSteps each time.
  static std::vector<SequencedNote> Repeat(const std::vector<SequencedNote>& notes, int patternSteps,
                                           int times);

 private:
  int rate_;
  int framesPerStep_;
  int steps_;
};
