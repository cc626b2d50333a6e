// The most heap memory held at once while a benchmark measures: one counting
// allocator (PeakBytes.cpp) serves every benchmark of the executable.
#pragma once

// Starts counting from zero live bytes.
void StartCountingBytes();
// Stops counting; the peak of live bytes since the start.
long long StopCountingBytes();
