#pragma once

#include "SoundBuffer.h"
#include "SynthRandom.h"

// The voices of the music and the jingles. Each renders one note with the signature of
// the sequencer's Instrument: rate, pitch (Hz, ignored by the drums), held length, velocity.
namespace instruments {

SoundBuffer Kick(int rate, double hz, double held, float velocity, SynthRandom& random);
SoundBuffer Snare(int rate, double hz, double held, float velocity, SynthRandom& random);
SoundBuffer ClosedHat(int rate, double hz, double held, float velocity, SynthRandom& random);
SoundBuffer OpenHat(int rate, double hz, double held, float velocity, SynthRandom& random);
SoundBuffer Crash(int rate, double hz, double held, float velocity, SynthRandom& random);
SoundBuffer Tom(int rate, double hz, double held, float velocity, SynthRandom& random);
// Soft low boom for slow music.
SoundBuffer Timpani(int rate, double hz, double held, float velocity, SynthRandom& random);

// Filtered saw bass with a plucky filter envelope; drive adds grit for the boss.
SoundBuffer SawBass(int rate, double hz, double held, float velocity, SynthRandom& random, double drive);
SoundBuffer SubBass(int rate, double hz, double held, float velocity, SynthRandom& random);
// Wide slow pad of detuned saws, brightness as low-pass cutoff in Hz.
SoundBuffer Pad(int rate, double hz, double held, float velocity, SynthRandom& random, double brightness);
// FM bell: clear attack and a long shimmering decay.
SoundBuffer Bell(int rate, double hz, double held, float velocity, SynthRandom& random);
// Short plucked synth for arpeggios.
SoundBuffer Pluck(int rate, double hz, double held, float velocity, SynthRandom& random);
// Square lead with delayed vibrato.
SoundBuffer Lead(int rate, double hz, double held, float velocity, SynthRandom& random);
// Breathy sine lead with a slow attack, for calm tunes.
SoundBuffer Flute(int rate, double hz, double held, float velocity, SynthRandom& random);
// Brass-like saw section for fanfares.
SoundBuffer Brass(int rate, double hz, double held, float velocity, SynthRandom& random);

}  // namespace instruments
