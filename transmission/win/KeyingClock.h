// The keying clock: milliseconds as a double from QueryPerformanceCounter,
// counted from the first reading in the process. Every key time (keyboard
// hook, mouse hook, serial thread, keyer thread) is read from it at the
// moment the event arrives, never from the message loop's tick.
// Thread-safe. Tests replace the source to script key times exactly.
#pragma once

double KeyingClockMs();
using KeyingClockSource = double (*)();
// Installs a clock source; null restores QueryPerformanceCounter. Returns the
// previous source.
KeyingClockSource SetKeyingClockSource(KeyingClockSource source);
