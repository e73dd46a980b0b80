#pragma once

// Counts heap allocations made through operator new between start and stop,
// for code that promises to allocate nothing.
void StartCountingAllocations();
int StopCountingAllocations();
