// A sender's key timings played back: tones exactly where the key was down,
// the tone shape's ramps centred on the edges, the decoded characters' starts
// in samples, and the player's stream playing such samples as they are.
#include "player/KeyTimesSound.h"
#include "sound/MorseStream.h"
#include "transmission/TransmissionFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

using namespace testfiles;

constexpr int kRate = 8000; // 8 samples a millisecond
constexpr size_t kLead = static_cast<size_t>(kKeyTimesLeadMs) * 8;

// [begin, end) runs of non-zero samples.
std::vector<std::pair<size_t, size_t>> Sounding(const std::vector<int16_t>& s) {
    std::vector<std::pair<size_t, size_t>> runs;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == 0)
            continue;
        // A sine crosses zero inside a tone: gaps shorter than a period join.
        if (!runs.empty() && i - runs.back().second < 10)
            runs.back().second = i + 1;
        else
            runs.push_back({i, i + 1});
    }
    return runs;
}

TEST(KeyTimesSound, SquareTonesSoundExactlyWhileTheKeyIsDown) {
    // Keying-clock times need not start at zero; out of order presses sound
    // where they lie, and a press with no length is silent.
    const KeyTimes presses = {{1120, 1300}, {1000, 1060}, {1400, 1400}};
    const std::vector<int16_t> s = KeyTimesSamples(presses, kRate, 1000, MorseToneSquare);
    ASSERT_EQ(s.size(), kLead + 300 * 8 + static_cast<size_t>(kKeyTimesTailMs) * 8);
    const std::vector<std::pair<size_t, size_t>> expected = {{kLead, kLead + 60 * 8},
                                                             {kLead + 120 * 8, kLead + 300 * 8}};
    EXPECT_EQ(Sounding(s), expected);
    // 1000 Hz at 8000 samples: four high, four low, from each down.
    EXPECT_EQ(s[kLead], 32767);
    EXPECT_EQ(s[kLead + 3], 32767);
    EXPECT_EQ(s[kLead + 4], -32768);
    EXPECT_EQ(s[kLead + 120 * 8 + 4], -32768);
    EXPECT_TRUE(KeyTimesSamples({}, kRate, 1000, MorseToneSquare).empty());
}

TEST(KeyTimesSound, SineRampsAreCentredOnTheKeyEdges) {
    const std::vector<int16_t> s = KeyTimesSamples({{0, 100}}, kRate, 700, MorseToneSine);
    const size_t ramp = MorseRampSamples(kRate, 800); // 5 ms: 40 samples
    ASSERT_EQ(ramp, 40u);
    const auto runs = Sounding(s);
    ASSERT_EQ(runs.size(), 1u);
    // Sounded over [down - R/2, up + R/2): the half-amplitude points on the edges.
    EXPECT_NEAR(static_cast<double>(runs[0].first), static_cast<double>(kLead - ramp / 2), 3.0);
    EXPECT_NEAR(static_cast<double>(runs[0].second), static_cast<double>(kLead + 800 + ramp / 2), 3.0);
    // No click: the first samples are near silence, the middle at full height.
    EXPECT_LT(std::abs(s[kLead - ramp / 2 + 1]), 200);
    int peak = 0;
    for (size_t i = kLead + 100; i < kLead + 700; ++i)
        peak = std::max(peak, std::abs(static_cast<int>(s[i])));
    EXPECT_NEAR(peak, kMorseSineAmplitude, 300);
}

TEST(KeyTimesSound, StreamPlaysRecordedSamplesInEitherShape) {
    const std::vector<int16_t> samples = {0, 32767, -32768, 1000};
    MorseStream wide(kRate, MorseToneSine);
    wide.LoadRecorded("AB", samples, {1, 3});
    std::vector<int16_t> out(6, 7);
    EXPECT_FALSE(wide.Fill(out.data(), 2));
    EXPECT_TRUE(wide.Fill(out.data() + 2, 4));
    EXPECT_EQ(out, (std::vector<int16_t>{0, 32767, -32768, 1000, 0, 0}));
    EXPECT_EQ(wide.CurrentCharacter(0), -1);
    EXPECT_EQ(wide.CurrentCharacter(1), 0);
    EXPECT_EQ(wide.CurrentCharacter(3), 1);
    EXPECT_EQ(wide.EndOffset(), 4u);

    MorseStream square(kRate, MorseToneSquare);
    square.LoadRecorded("AB", samples, {1, 3});
    std::vector<uint8_t> bytes(5);
    EXPECT_TRUE(square.Fill(bytes.data(), 5));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{MorseSilence, MorseToneHigh, MorseToneLow, 0x83, MorseAfterEnd}));

    // A text loaded afterwards plays as a text again.
    square.Load("E", 8, 0, 1000, -1, -1, -1);
    square.Fill(bytes.data(), 5);
    EXPECT_EQ(bytes[0], MorseToneHigh);
}

TEST(KeyTimesSound, DecodedSoundStartsEachCharacterAndGroupAtItsFirstPress) {
    const KeyTimes keys = RenderKeyTimes("A B   E ", 50, 0, 1000);
    const RecordedSound sound = DecodedKeyTimesSound(keys, 80, kRate, 800, MorseToneSquare);
    EXPECT_EQ(sound.text, "AB E");
    const auto at = [](double ms) { return static_cast<uint32_t>(kLead + (ms - 1000) * 8); };
    EXPECT_EQ(sound.starts, (std::vector<uint32_t>{at(keys[0].downMs), at(keys[2].downMs), at(keys[6].downMs),
                                                   at(keys[6].downMs)}));
}

TEST(KeyTimesSound, FilesReadAsTakes) {
    const std::string names[3] = {"Letters", "Figures", "Mixed"};
    TransmissionRecord played, empty;
    played.participant = "Anna";
    played.textNumber = 3;
    played.cpm = 120;
    played.keys = {{0, 60}, {120, 300}};
    empty.participant = "Boris";
    const std::string csv = TempFile("takes.csv");
    const std::string header = TempFile("header.csv");
    const std::string times = TempFile("keys.txt");
    const std::string control = TempFile("control.txt");
    WriteAll(csv, TransmissionCsv({empty, played}));
    WriteAll(header, TransmissionCsv({}));
    WriteAll(times, "# keyed\n1000 1060\n1120.5 1300\n");
    WriteAll(control, "\n\n\n1\nABCDE FGHIJ\n");
    std::vector<KeyedTake> takes;
    std::string error;
    ASSERT_EQ(LoadKeyedTakes(csv, names, takes, error), KeyedLoad::Loaded);
    ASSERT_EQ(takes.size(), 1u); // a row without timings is no take
    EXPECT_EQ(takes[0].label, "Anna, Letters 3: 120");
    EXPECT_EQ(takes[0].keys.size(), 2u);
    ASSERT_EQ(LoadKeyedTakes(times, names, takes, error), KeyedLoad::Loaded);
    ASSERT_EQ(takes.size(), 1u);
    EXPECT_EQ(takes[0].label, times.substr(times.find_last_of("\\/") + 1)); // the file's name
    EXPECT_EQ(takes[0].keys[1].downMs, 1120.5);
    EXPECT_EQ(LoadKeyedTakes(header, names, takes, error), KeyedLoad::NoTakes);
    EXPECT_EQ(LoadKeyedTakes(control, names, takes, error), KeyedLoad::NotKeyed);
    EXPECT_EQ(LoadKeyedTakes(TempFile("missing.csv"), names, takes, error), KeyedLoad::Unreadable);
    EXPECT_TRUE(takes.empty());
}

} // namespace
