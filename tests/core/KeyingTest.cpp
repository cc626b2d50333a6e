// The side tone's wave (keyed at any moment, it must never click and must be
// renderable again from any position) and the keying settings as read from
// [Transmission].
#include "config/ConfigStore.h"
#include "sound/MorseStream.h"
#include "transmission/KeyingSettings.h"
#include "transmission/SideToneWave.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<int16_t> Rendered(const SideToneWave& wave, uint64_t from, uint32_t n) {
    std::vector<int16_t> out(n);
    wave.Render(from, n, out.data());
    return out;
}

// Largest step between neighbouring samples.
int LargestStep(const std::vector<int16_t>& s) {
    int largest = 0;
    for (size_t i = 1; i < s.size(); ++i)
        largest = std::max(largest, std::abs(s[i] - s[i - 1]));
    return largest;
}

} // namespace

// Presses of every length, including shorter than a ramp and a release
// inside the previous press's fall: the steps never exceed those of the
// steady sine, where a switched tone would jump up to full scale.
TEST(SideToneWave, KeyedAtAnyMomentTheToneNeverClicks) {
    const int rate = 22050, frequency = 700;
    SideToneWave wave(rate, frequency, MorseToneSine, 0); // a straight key: no unit
    const uint32_t ramp = wave.RampSamples();
    ASSERT_EQ(ramp, static_cast<uint32_t>(rate / 200)); // 5 ms
    const uint64_t edges[][2] = {
        {1000, 1003}, {1010, 1010 + ramp / 2}, {1010 + ramp, 3000}, {3000 + ramp / 3, 3500}, {4001, 4002}};
    for (const auto& e : edges) {
        EXPECT_TRUE(wave.Edge(e[0], true));
        EXPECT_TRUE(wave.Edge(e[1], false));
    }
    const std::vector<int16_t> s = Rendered(wave, 0, 6000);
    const double sineStep = kMorseSineAmplitude * 2 * std::sin(kPi * frequency / rate);
    EXPECT_LE(LargestStep(s), sineStep * 1.05);
    // The long press reaches full amplitude, and all is silent once the
    // last ramp has ended.
    int peak = 0;
    for (uint64_t i = 1500; i < 2500; ++i)
        peak = std::max(peak, std::abs(int{s[i]}));
    EXPECT_GT(peak, kMorseSineAmplitude * 0.99);
    for (uint64_t i = 4002 + ramp; i < s.size(); ++i)
        ASSERT_EQ(s[i], 0) << i;
    for (uint64_t i = 0; i < 1000; ++i)
        ASSERT_EQ(s[i], 0) << i;
    // The square wave, as chosen in the sound settings, switches hard.
    SideToneWave square(rate, frequency, MorseToneSquare, 100000);
    square.Edge(100, true);
    EXPECT_GT(LargestStep(Rendered(square, 0, 200)), kMorseSineAmplitude * 0.9);
}

// The writer renders a span again after each edge and forgets the edges
// already heard: whatever it keeps, samples from the play position on stay
// as they were, and a short unit shortens the ramps as in the player.
TEST(SideToneWave, RenderingAgainAfterForgettingGivesTheSameSamples) {
    const int rate = 48000, unit = 90; // a unit so short that a third of it is the ramp
    SideToneWave wave(rate, 1000, MorseToneSine, unit);
    EXPECT_EQ(wave.RampSamples(), 30u);
    wave.Edge(500, true);
    EXPECT_FALSE(wave.Edge(600, true)) << "a repeated state is no edge";
    wave.Edge(400, false); // earlier than the last edge: moved to it
    wave.Edge(700, true);
    wave.Edge(790, false);
    wave.Edge(2000, true);
    EXPECT_TRUE(wave.IsDown());
    const std::vector<int16_t> whole = Rendered(wave, 0, 3000);
    // The press that lasted nothing is no more than a faint blip.
    EXPECT_EQ(whole[499], 0);
    for (size_t i = 500; i < 540; ++i)
        ASSERT_LT(std::abs(int{whole[i]}), kMorseSineAmplitude * 0.3) << i;
    EXPECT_EQ(whole[540], 0);
    EXPECT_GT(std::abs(int{whole[750]}), 0);
    for (uint64_t position : {0u, 505u, 760u, 800u, 815u, 1500u, 2010u, 2999u}) {
        SideToneWave copy = wave;
        copy.Forget(position);
        std::vector<int16_t> again = Rendered(copy, position, static_cast<uint32_t>(3000 - position));
        ASSERT_EQ(again, std::vector<int16_t>(whole.begin() + static_cast<long>(position), whole.end()))
            << "after forgetting up to " << position;
    }
}

TEST(KeyingSettings, ReadsEachValueAndFallsBackOnBadOnes) {
    struct Case {
        const char* section;
        KeyingSettings expected;
    };
    KeyingSettings serial;
    serial.input = KeyingInput::Serial;
    serial.port = "COM12";
    serial.serialDot = SerialLine::Dsr;
    serial.serialDash = SerialLine::Cts;
    serial.serialPaddles = true;
    serial.modeB = false;
    serial.keyerSpeed = 250;
    KeyingSettings keys;
    keys.input = KeyingInput::Paddles;
    keys.straightKey = 'K';
    keys.dotKey = 'Z';
    keys.dashKey = 'X';
    KeyingSettings mouse;
    mouse.input = KeyingInput::Mouse;
    const Case cases[] = {
        {"", KeyingSettings()},
        {"Input=serial\nPort= com12 "
         "\nSerialDot=dsr\nSerialDash=CTS\nSerialPaddles=1\nKeyerMode=a\nKeyerSpeed=250\n",
         serial},
        {"Input=Paddles\nStraightKey=75\nDotKey=90\nDashKey=88\n", keys},
        {"Input= Mouse\n", mouse},
        // Unknown input, mouse buttons and out-of-range codes as keys, both
        // paddles on one key or one line, speeds out of range: the defaults.
        {"Input=Joystick\nStraightKey=1\nDotKey=300\nKeyerSpeed=19\nSerialDot=DSR\nSerialDash=DSR\n",
         KeyingSettings()},
        {"DotKey=65\nDashKey=65\nKeyerSpeed=601\nKeyerMode=B\nPort=\n", KeyingSettings()},
    };
    for (const Case& c : cases) {
        ConfigStore config;
        config.Parse(std::string("[Transmission]\n") + c.section);
        const KeyingSettings s = ReadKeyingSettings(config);
        SCOPED_TRACE(c.section);
        EXPECT_EQ(s.input, c.expected.input);
        EXPECT_EQ(s.straightKey, c.expected.straightKey);
        EXPECT_EQ(s.dotKey, c.expected.dotKey);
        EXPECT_EQ(s.dashKey, c.expected.dashKey);
        EXPECT_EQ(s.modeB, c.expected.modeB);
        EXPECT_EQ(s.keyerSpeed, c.expected.keyerSpeed);
        EXPECT_EQ(s.port, c.expected.port);
        EXPECT_EQ(s.serialDot, c.expected.serialDot);
        EXPECT_EQ(s.serialDash, c.expected.serialDash);
        EXPECT_EQ(s.serialPaddles, c.expected.serialPaddles);
        EXPECT_EQ(UsesKeyer(s), s.input == KeyingInput::Paddles || s.serialPaddles);
        // What the pages store reads back the same.
        ConfigStore stored;
        WriteKeyingSettings(stored, s);
        const KeyingSettings back = ReadKeyingSettings(stored);
        EXPECT_EQ(back.input, s.input);
        EXPECT_EQ(back.port, s.port);
        EXPECT_EQ(back.serialDot, s.serialDot);
        EXPECT_EQ(back.modeB, s.modeB);
        EXPECT_EQ(back.serialPaddles, s.serialPaddles);
        EXPECT_EQ(back.dashKey, s.dashKey);
    }
}
