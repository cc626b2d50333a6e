// Keys the side tone at known moments for tests/e2e/side_tone_latency.py,
// which captures what Wine plays and measures key-to-tone latency: prints
// "key <ms>" (the wall clock, GetSystemTimePreciseAsFileTime, in ms since
// 1970) at each key-down. Without a sound card it says so and ends with 1.
#include "sound/MorseStream.h"
#include "transmission/win/SideTone.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>

namespace {

double WallMs() {
    using Precise = void(WINAPI*)(FILETIME*);
    static const auto precise = reinterpret_cast<Precise>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME t;
    if (precise)
        precise(&t);
    else
        GetSystemTimeAsFileTime(&t);
    const unsigned long long ticks =
        (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return (static_cast<double>(ticks) - 116444736000000000.0) / 1e4;
}

} // namespace

int main(int argc, char** argv) {
    const int presses = argc > 1 ? std::atoi(argv[1]) : 20;
    SideToneSettings settings;
    settings.sampleRate = 44100;
    settings.frequency = 800;
    settings.volume = 100;
    settings.toneShape = MorseToneSine;
    SideTone tone(nullptr, settings);
    if (tone.failed()) {
        std::printf("no sound output\n");
        return 1;
    }
    timeBeginPeriod(1);
    Sleep(1000); // the device settles
    for (int i = 0; i < presses; ++i) {
        // Key-downs spread over the writer's wake period.
        std::printf("key %.3f\n", WallMs());
        tone.KeyDown();
        Sleep(60);
        tone.KeyUp();
        Sleep(140 + 7 * (i % 5));
    }
    std::fflush(stdout);
    Sleep(500);
    timeEndPeriod(1);
    return 0;
}
