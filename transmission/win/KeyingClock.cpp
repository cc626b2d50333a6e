#include "transmission/win/KeyingClock.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<KeyingClockSource> g_source{nullptr};

double PerformanceCounterMs() {
    // The frequency is fixed at boot; the origin is the first reading, so
    // times stay small enough for a double to keep microseconds.
    static const LARGE_INTEGER origin = [] {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return now;
    }();
    static const double msPerCount = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return 1000.0 / static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - origin.QuadPart) * msPerCount;
}

} // namespace

double KeyingClockMs() {
    const KeyingClockSource source = g_source.load();
    return source ? source() : PerformanceCounterMs();
}

KeyingClockSource SetKeyingClockSource(KeyingClockSource source) {
    return g_source.exchange(source);
}
