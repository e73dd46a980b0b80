#pragma once

#include <cstddef>

#include "SoundBuffer.h"

// Runs a stateful per-sample process (a lambda holding filters, echoes, reverbs) over
// a buffer in place.
template <typename Process>
void ProcessOneShot(SoundBuffer& buffer, Process&& process) {
  for (size_t i = 0; i < buffer.Size(); ++i) buffer[i] = process(buffer[i], i);
}

// The same for a loop: the process first runs over one whole period to reach the state
// it would have after many repeats, then again for the output. Echo and reverb tails
// of the end thus ring on over the start and the seam stays continuous.
template <typename Process>
void ProcessLooped(SoundBuffer& buffer, Process&& process) {
  for (size_t i = 0; i < buffer.Size(); ++i) process(buffer[i], i);
  for (size_t i = 0; i < buffer.Size(); ++i) buffer[i] = process(buffer[i], i);
}
