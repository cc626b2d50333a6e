#include "StreamRender.h"

#include "sound/MorseStream.h"
#include "sound/MorseTable.h"
#include "transmission/KeyTiming.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TEST(KeyTiming, FileLinesAreReadOrRefusedWithTheirLineNumber) {
    struct Case {
        const char* bytes;
        size_t presses;    // when read
        const char* error; // the start of the error, or null when read
    };
    const Case cases[] = {
        {"", 0, nullptr},
        {"\xEF\xBB\xBF# made by hand\r\n\r\n0 50\r\n100.5 250.25 # a dash\r\n\t 300\t350 \n", 3, nullptr},
        {"0 50\n50 100\n", 2, nullptr}, // a press may start as the previous one ends
        {"0 50\n7\n", 0, "line 2: expected two times"},
        {"0 50 70\n", 0, "line 1: expected two times"},
        {"# x\nzero 50\n", 0, "line 2: expected two times"},
        {"-5 50\n", 0, "line 1: expected two times"},
        {"1. 50\n", 0, "line 1: expected two times"},
        {"1e3 2e3\n", 0, "line 1: expected two times"},
        {".5 9\n", 0, "line 1: expected two times"},
        {"0 50\n\n60 60\n", 0, "line 3: the key goes up"},
        {"0 50\n100 90\n", 0, "line 2: the key goes up"},
        {"0 50\n40 90\n", 0, "line 2: the key goes down (40"},
        {"100 150\n0 50\n", 0, "line 2: the key goes down"},
    };
    for (const Case& c : cases) {
        KeyTimes presses{{1, 2}};
        std::string error;
        const bool read = ParseKeyTimes(c.bytes, presses, error);
        EXPECT_EQ(read, c.error == nullptr) << c.bytes;
        EXPECT_EQ(presses.size(), c.presses) << c.bytes;
        if (c.error) {
            EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.bytes << " gave " << error;
        }
    }
    KeyTimes presses;
    std::string error;
    ASSERT_TRUE(ParseKeyTimes("0 50\n100.5 250.25\n", presses, error));
    EXPECT_DOUBLE_EQ(presses[1].downMs, 100.5);
    EXPECT_DOUBLE_EQ(presses[1].upMs, 250.25);
    KeyTimes back;
    ASSERT_TRUE(ParseKeyTimes(KeyTimesText(presses), back, error)) << error;
    ASSERT_EQ(back.size(), 2u);
    EXPECT_DOUBLE_EQ(back[1].upMs, 250.25);
}

TEST(KeyTiming, TheUnitOfASpeedIsThePlayersUnit) {
    for (int kind = 0; kind < 3; ++kind)
        for (int speed : {50, 100, 173, 300, 1000}) {
            const double unit = UnitMsOfSpeed(kind, speed);
            EXPECT_EQ(static_cast<int>(std::trunc(unit * 48)), unitSamples(kind, speed, 48000));
            EXPECT_NEAR(SpeedOfUnitMs(kind, unit), speed, 1e-9);
        }
}

// The key goes down and up where the player's tone starts and stops.
TEST(KeyTiming, TimingsMatchThePlayersTones) {
    const std::string texts[] = {"P A R I S   5 = ? / ,   ", "A B C D E   F G H I J   K L M N O   "};
    for (const std::string& text : texts)
        for (int effective : {0, 37, 61}) {
            MorseStream stream(1000); // one sample a millisecond
            stream.Load(text, 20, 0, 0, -1, -1, -1, effective);
            const std::vector<uint8_t> samples = Render(stream, MorseSegmentBytes(1000));
            KeyTimes tones;
            for (size_t i = 0; i < stream.EndOffset(); ++i) {
                const bool on = samples[i] == MorseToneHigh;
                if (on && (i == 0 || samples[i - 1] != MorseToneHigh))
                    tones.push_back({static_cast<double>(i), 0});
                if (!on && i > 0 && samples[i - 1] == MorseToneHigh)
                    tones.back().upMs = static_cast<double>(i);
            }
            const KeyTimes keys = RenderKeyTimes(text, 20, effective, 1000);
            ASSERT_EQ(keys.size(), tones.size()) << text;
            for (size_t i = 0; i < keys.size(); ++i) {
                // The player gives the stretch in whole samples.
                EXPECT_NEAR(keys[i].downMs - 1000, tones[i].downMs, 1.0)
                    << text << " press " << i << " at " << effective;
                EXPECT_NEAR(keys[i].upMs - 1000, tones[i].upMs, 1.0) << text << " press " << i;
            }
        }
}

} // namespace
