#include "MusicSequencer.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "SynthMath.h"

MusicSequencer::MusicSequencer(int sampleRate, int framesPerStep, int steps)
    : rate_(sampleRate), framesPerStep_(framesPerStep), steps_(steps) {}

SoundBuffer MusicSequencer::Render(const std::vector<SequencedNote>& notes, const Instrument& instrument,
                                   uint64_t seed) const {
  SoundBuffer part = Silence();
  SynthRandom random(seed);
  for (const SequencedNote& note : notes) {
    SoundBuffer voice =
        instrument(rate_, synth::MidiToHz(note.midi), note.length * StepSeconds(), note.velocity, random);
    part.MixWrapped(voice, static_cast<size_t>(note.step) * framesPerStep_);
  }
  return part;
}

namespace {
// "C4" = 60; accepts one '#' or 'b' after the letter. Returns false for anything else.
bool ParseNoteName(const std::string& token, double& midi) {
  static const int kOffsets[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (token.size() < 2) return false;
  char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(token[0])));
  if (letter < 'A' || letter > 'G') return false;
  int semitone = kOffsets[letter - 'A'];
  size_t pos = 1;
  if (token[pos] == '#') {
    ++semitone;
    ++pos;
  } else if (token[pos] == 'b') {
    --semitone;
    ++pos;
  }
  if (pos >= token.size()) return false;
  char* end = nullptr;
  long octave = std::strtol(token.c_str() + pos, &end, 10);
  if (*end != '\0') return false;
  midi = 12.0 * (octave + 1) + semitone;
  return true;
}
}  // namespace

std::vector<SequencedNote> MusicSequencer::ParseMelody(const std::string& text, int firstStep,
                                                       float velocity) {
  std::vector<SequencedNote> notes;
  std::istringstream in(text);
  std::string token;
  int step = firstStep;
  bool holding = false;
  while (in >> token) {
    if (token == "|") continue;
    if (token == "-") {
      if (holding) ++notes.back().length;
    } else if (token == ".") {
      holding = false;
    } else {
      double midi = 0.0;
      if (!ParseNoteName(token, midi)) {
        // A typo in a hand-written tune must not pass unnoticed.
        std::fprintf(stderr, "sounds: bad note '%s'\n", token.c_str());
        std::abort();
      }
      notes.push_back({step, 1, midi, velocity});
      holding = true;
    }
    ++step;
  }
  return notes;
}

std::vector<SequencedNote> MusicSequencer::ParseRhythm(const std::string& text, int firstStep, double midi) {
  std::vector<SequencedNote> notes;
  int step = firstStep;
  for (char c : text) {
    if (c == '|' || c == ' ') continue;
    if (c == 'X') notes.push_back({step, 1, midi, 1.0f});
    if (c == 'x') notes.push_back({step, 1, midi, 0.75f});
    if (c == 'o') notes.push_back({step, 1, midi, 0.4f});
    ++step;
  }
  return notes;
}

std::vector<SequencedNote> MusicSequencer::Repeat(const std::vector<SequencedNote>& notes, int patternSteps,
                                                  int times) {
  std::vector<SequencedNote> out;
  for (int r = 0; r < times; ++r) {
    for (SequencedNote n : notes) {
      n.step += r * patternSteps;
      out.push_back(n);
    }
  }
  return out;
}
