#pragma once

#include "SoundBuffer.h"

// The four looping music tracks, 22.05 kHz. Each is a whole number of bars long and
// repeats without a seam: notes, echoes and reverb of its end ring on over its start.
namespace music_tracks {

constexpr int kRate = 22050;

SoundBuffer Title();    // calm, atmospheric: A minor, 70 BPM
SoundBuffer Stage();    // driving: E minor, 126 BPM
SoundBuffer Boss();     // intense: C minor, 150 BPM
SoundBuffer Warning();  // alarm: siren over a pulsing C, 135 BPM

}  // namespace music_tracks
