#include "StreamRender.h"

#include "sound/MorseStream.h"
#include "sound/MorseTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

struct Span {
    char kind; // 't' tone, 's' silence (0x80), 'e' after the end (0x7F)
    uint32_t length;
    bool operator==(const Span& o) const { return kind == o.kind && length == o.length; }
};

std::ostream& operator<<(std::ostream& os, const Span& r) {
    return os << r.kind << r.length;
}

// Tone halves (0xFF and 0x00) together form one tone run.
std::vector<Span> Runs(const std::vector<uint8_t>& bytes, size_t end) {
    std::vector<Span> runs;
    for (size_t i = 0; i < end; ++i) {
        const uint8_t b = bytes[i];
        const char kind = b == MorseSilence ? 's' : b == MorseAfterEnd ? 'e' : 't';
        EXPECT_TRUE(b == MorseSilence || b == MorseAfterEnd || b == MorseToneHigh || b == MorseToneLow) << i;
        if (!runs.empty() && runs.back().kind == kind)
            ++runs.back().length;
        else
            runs.push_back({kind, 1});
    }
    return runs;
}

std::vector<Span> Units(const std::string& text, uint32_t unit) {
    // "t1 s1 t3" -> runs in units
    std::vector<Span> runs;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ')
            continue;
        const char kind = text[i++];
        uint32_t n = 0;
        while (i < text.size() && text[i] != ' ')
            n = n * 10 + static_cast<uint32_t>(text[i++] - '0');
        runs.push_back({kind, n * unit});
    }
    return runs;
}

} // namespace

TEST(MorseStream, SegmentAndBufferSizesAtEveryRate) {
    struct {
        int rate;
        uint32_t segment, buffer;
    } cases[] = {{11025, 1024, 16384}, {16383, 1024, 16384}, {16384, 1024, 16384}, {22050, 1378, 22048},
                 {44100, 2756, 44096}, {48000, 3000, 48000}, {96000, 6000, 96000}};
    for (const auto& c : cases) {
        EXPECT_EQ(MorseSegmentBytes(c.rate), c.segment) << c.rate;
        EXPECT_EQ(MorseBufferBytes(c.rate), c.buffer) << c.rate;
    }
}

TEST(MorseStream, ToneHalvesAt850HzAnd44100) {
    MorseStream s(44100);
    const uint32_t unit = 44100; // one dash of three seconds
    s.Load("T", static_cast<int>(unit), 0, 850, -1, -1, -1);
    std::vector<uint8_t> bytes = Render(s, MorseSegmentBytes(44100));
    for (int k = 0; k <= 25; ++k)
        EXPECT_EQ(bytes[k], 0xFF) << k;
    for (int k = 26; k <= 51; ++k)
        EXPECT_EQ(bytes[k], 0x00) << k;
    for (int k = 52; k <= 77; ++k)
        EXPECT_EQ(bytes[k], 0xFF) << k;
    // Every sample of the dash, across many segment boundaries, follows
    // trunc(k * 2F / rate) exactly; rounding drift would show late in it.
    for (uint64_t k = 0; k < 3 * unit; ++k)
        ASSERT_EQ(bytes[k], (k * 1700 / 44100) % 2 ? 0x00 : 0xFF) << k;
    EXPECT_EQ(bytes[3 * unit], MorseSilence);
}

TEST(MorseStream, EveryToneElementStartsOnAHighHalf) {
    // A unit of 1000 samples is not a whole number of 850 Hz half-periods.
    MorseStream s(44100);
    s.Load("I", 1000, 0, 850, -1, -1, -1);
    std::vector<uint8_t> bytes = Render(s, 1024);
    for (uint32_t k = 0; k < 1000; ++k) {
        const uint8_t expected = (k * 1700 / 44100) % 2 ? 0x00 : 0xFF;
        ASSERT_EQ(bytes[k], expected) << k;
        ASSERT_EQ(bytes[2000 + k], expected) << 2000 + k;
    }
}

TEST(MorseStream, StartDelayIsSilenceBeforeTheFirstDot) {
    MorseStream s(44100);
    s.Load("E", 4398, 3, 850, 0, -1, -1);
    std::vector<uint8_t> bytes = Render(s, MorseSegmentBytes(44100));
    for (uint32_t i = 0; i < 132300; ++i)
        ASSERT_EQ(bytes[i], MorseSilence) << i;
    EXPECT_EQ(bytes[132300], MorseToneHigh);
    EXPECT_EQ(s.StartOffset(0), 132300u);
    EXPECT_EQ(s.MarkOffsetA(), 132300);
}

TEST(MorseStream, SingleLetterE) {
    const uint32_t unit = 300;
    MorseStream s(44100);
    s.Load("E", static_cast<int>(unit), 0, 850, -1, -1, -1);
    std::vector<uint8_t> bytes;
    bytes.resize(2756);
    // The whole text fits into the first segment, which reports the end.
    EXPECT_TRUE(s.Fill(bytes.data(), 2756));
    // Tone U, closing gap U, appended blank 2U, then the end byte.
    EXPECT_EQ(Runs(bytes, bytes.size()),
              (std::vector<Span>{{'t', unit}, {'s', 3 * unit}, {'e', 2756 - 4 * unit}}));
    EXPECT_EQ(s.Length(), 2);
    ASSERT_EQ(s.StartCount(), 3u);
    EXPECT_EQ(s.StartOffset(0), 0u);
    EXPECT_EQ(s.StartOffset(1), 2 * unit);
    EXPECT_EQ(s.StartOffset(2), 4 * unit);
    EXPECT_EQ(s.EndOffset(), 4 * unit);
}

TEST(MorseStream, RunTogetherLettersAgainstSeparateOnes) {
    const uint32_t u = 100;
    MorseStream s(8000);
    s.Load("AR", static_cast<int>(u), 0, 850, -1, -1, -1);
    std::vector<uint8_t> joined = Render(s, 1024);
    EXPECT_EQ(Runs(joined, s.EndOffset()), Units("t1 s1 t3 s1 t1 s1 t3 s1 t1 s3", u)); // .-.-. and the blank

    s.Load("A R", static_cast<int>(u), 0, 850, -1, -1, -1);
    std::vector<uint8_t> apart = Render(s, 1024);
    EXPECT_EQ(Runs(apart, s.EndOffset()), Units("t1 s1 t3 s3 t1 s1 t3 s1 t1 s3", u)); // 3-unit gap between
}

TEST(MorseStream, BlankLengthIsTheGivenSilence) {
    const uint32_t u = 100;
    MorseStream s(8000);
    s.Load("E   E", static_cast<int>(u), 0, 850, -1, -1, 250);
    std::vector<uint8_t> bytes = Render(s, 1024);
    // Gap inside the group: closing unit plus three blanks of 250 samples.
    EXPECT_EQ(Runs(bytes, s.EndOffset()),
              (std::vector<Span>{{'t', u}, {'s', u + 3 * 250}, {'t', u}, {'s', u + 250}}));

    s.Load("E   E", static_cast<int>(u), 0, 850, -1, -1, -1); // -1: two units, a 7-unit word gap
    bytes = Render(s, 1024);
    EXPECT_EQ(Runs(bytes, s.EndOffset()), Units("t1 s7 t1 s3", u));
}

TEST(MorseStream, StartListMarksAndEndMatchTheTextDuration) {
    // Every start offset is the delay plus the duration of the text before
    // it, including characters that are not sent (lower case, '#').
    const std::string text = "V V V   =   Hx#  E L L O   AR 0 9 ? /";
    const int unit = 731, rate = 44100, delay = 1;
    for (uint32_t segment : {1024u, 2756u, 6000u, 1u, 977u}) {
        MorseStream s(rate);
        s.Load(text, unit, delay, 1234, 13, 14, -1);
        Render(s, segment);
        const std::string sent = text + " ";
        ASSERT_EQ(s.StartCount(), sent.size() + 1) << segment;
        for (size_t i = 0; i <= sent.size(); ++i)
            ASSERT_EQ(s.StartOffset(static_cast<uint32_t>(i)),
                      static_cast<uint32_t>(delay * rate + textSamples(sent.substr(0, i), unit, -1)))
                << "character " << i << ", segment " << segment;
        EXPECT_EQ(s.MarkOffsetA(), s.StartOffset(13));
        EXPECT_EQ(s.MarkOffsetB(), s.StartOffset(14));
        EXPECT_EQ(s.StartOffset(13), s.StartOffset(15)) << "x and # are not sent";
        EXPECT_EQ(s.EndOffset(), s.StartOffset(static_cast<uint32_t>(sent.size())));
    }
}

TEST(MorseStream, SegmentSizeDoesNotChangeTheStream) {
    const std::string text = "0 1 2 3 4   . , = ? /   ";
    MorseStream reference(22050);
    reference.Load(text, 517, 1, 2999, -1, -1, -1);
    const std::vector<uint8_t> whole = Render(reference, 1u << 20);
    std::mt19937 random(7);
    MorseStream s(22050);
    s.Load(text, 517, 1, 2999, -1, -1, -1);
    std::vector<uint8_t> pieces;
    bool complete = false;
    while (!complete) {
        const uint32_t n = 1 + random() % 3000;
        const size_t at = pieces.size();
        pieces.resize(at + n);
        complete = s.Fill(pieces.data() + at, n);
        EXPECT_EQ(s.BytesWritten(), pieces.size());
    }
    const size_t end = reference.EndOffset();
    ASSERT_EQ(s.EndOffset(), end);
    EXPECT_TRUE(std::equal(whole.begin(), whole.begin() + end, pieces.begin()));
    for (size_t i = end; i < pieces.size(); ++i)
        ASSERT_EQ(pieces[i], MorseAfterEnd) << i;
}

TEST(MorseStream, AfterTheEndOnlyTheEndByteAndTheEndOffsetStays) {
    MorseStream s(11025);
    s.Load("T", 100, 0, 850, -1, 1, -1);
    std::vector<uint8_t> bytes(1024);
    ASSERT_TRUE(s.Fill(bytes.data(), 1024));
    const uint32_t end = s.EndOffset();
    EXPECT_EQ(end, 600u); // dash 3U, gap U, blank 2U
    EXPECT_EQ(s.MarkOffsetB(), 400) << "mark B on the appended blank";
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(s.Fill(bytes.data(), 1024));
        for (uint8_t b : bytes)
            ASSERT_EQ(b, MorseAfterEnd);
    }
    EXPECT_EQ(s.EndOffset(), end);
    EXPECT_EQ(s.StartCount(), 3u);
    EXPECT_EQ(s.BytesWritten(), 4096u);
}

TEST(MorseStream, DegenerateInputsEndWithoutSound) {
    // A zero unit (absurd speed) and a text of unsent bytes: nothing sounds,
    // every character still gets its start, and filling ends.
    MorseStream s(11025);
    s.Load("abc E", 0, 0, 850, -1, -1, -1);
    std::vector<uint8_t> bytes(1024);
    EXPECT_TRUE(s.Fill(bytes.data(), 1024));
    EXPECT_EQ(s.StartCount(), 7u);
    for (uint8_t b : bytes)
        ASSERT_EQ(b, MorseAfterEnd);

    MorseStream unloaded(11025);
    EXPECT_TRUE(unloaded.Fill(bytes.data(), 1024));
    EXPECT_EQ(unloaded.StartCount(), 0u);
    EXPECT_EQ(unloaded.CurrentCharacter(100000), -1);
}

TEST(MorseStream, LoadRewindsEverything) {
    MorseStream s(11025);
    s.Load("E E E", 100, 1, 850, 0, 2, -1);
    Render(s, 1024);
    s.Load("T", 50, 0, 850, 5, 0, -1);
    EXPECT_EQ(s.BytesWritten(), 0u);
    EXPECT_EQ(s.StartCount(), 0u);
    EXPECT_EQ(s.MarkOffsetA(), -1);
    EXPECT_EQ(s.MarkOffsetB(), -1);
    EXPECT_EQ(s.EndOffset(), 0u);
    std::vector<uint8_t> bytes(1024);
    EXPECT_TRUE(s.Fill(bytes.data(), 1024));
    EXPECT_EQ(bytes[0], MorseToneHigh);
    EXPECT_EQ(s.MarkOffsetB(), 0);
    EXPECT_EQ(s.MarkOffsetA(), -1) << "the text has no character 5";
    EXPECT_EQ(s.EndOffset(), 300u);
}

TEST(MorseStream, CurrentCharacterAndMarkTimes) {
    MorseStream s(10000);
    s.Load("E T", 100, 1, 850, 2, 4, -1);
    // Starts: E 10000, blank 10200, T 10400, appended blank 10800, end 11000.
    EXPECT_EQ(s.CurrentCharacter(0), -1);
    Render(s, 1024);
    EXPECT_EQ(s.CurrentCharacter(9999), -1);
    EXPECT_EQ(s.CurrentCharacter(10000), 0);
    EXPECT_EQ(s.CurrentCharacter(10399), 1);
    EXPECT_EQ(s.CurrentCharacter(10400), 2);
    EXPECT_EQ(s.CurrentCharacter(11000), 4);
    EXPECT_EQ(s.CurrentCharacter(4000000000u), 4);

    // Reported only once the play position is strictly past the mark.
    EXPECT_EQ(MorseMarkTime(s.MarkOffsetA(), 10400, 5000, 10000), -1);
    EXPECT_EQ(MorseMarkTime(s.MarkOffsetA(), 10401, 5000, 10000), 5000 + 1040);
    EXPECT_EQ(MorseMarkTime(s.MarkOffsetB(), 20000, 5000, 10000), 5000 + 1100);
    EXPECT_EQ(MorseMarkTime(-1, 20000, 5000, 10000), -1);
    // Offsets beyond 2^31 / 1000 samples do not overflow.
    EXPECT_EQ(MorseMarkTime(4000000000ll, 4000000001u, 0, 96000), 41666666);
}

// The writer's next segment follows from the bytes written; the cursor says
// how many segments it owes. At 44100 a segment is 2756 bytes.
TEST(MorseStream, SegmentsDueAndPlayPositionFollowTheBytesWritten) {
    const uint32_t seg = 2756;
    struct {
        uint32_t written, cursorSegment, due;
    } cases[] = {
        {3 * seg, 0, 0},   // pre-filled, output just begun
        {3 * seg, 1, 1},   // one notification
        {3 * seg, 2, 2},   // a late wake-up standing for two
        {16 * seg, 14, 1}, // next segment 0: the wrap
        {17 * seg, 15, 1}, {18 * seg, 0, 1},
        {18 * seg, 1, 2},  {5 * seg, 13, 11}, // far behind, still catching up
        {6 * seg, 2, 0},                      // a stale notification: the writer is ahead
        {6 * seg, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MorseSegmentsDue(c.written, c.cursorSegment, 44100), c.due)
            << c.written / seg << " " << c.cursorSegment;

    struct {
        uint32_t written, cursor, position;
    } positions[] = {
        {3 * seg, 0, 0},
        {4 * seg, seg + 10, seg + 10},
        {19 * seg, 2 * seg + 5, 16 * seg + 2 * seg + 5}, // after a wrap of the buffer
        {17 * seg, 15 * seg - 1, 15 * seg - 1},          // the last byte before the cursor's segment
        {seg, 5 * seg, 0},                               // never before the start of the stream
    };
    for (const auto& p : positions)
        EXPECT_EQ(MorsePlayPosition(p.written, p.cursor, 44100), p.position)
            << p.written / seg << " " << p.cursor;
}

// 200 random texts (sent signs, runs of blanks, an unsent '#'). Half with an
// effective unit not above the unit: every byte as without it. Half
// stretched: every tone and every gap inside a sign keeps its length to the
// sample, each gap holding blanks grows by its share of the extra in
// proportion to its nominal length (within a sample), the whole lasts
// exactly the text at the effective unit, and each sign starts on its first
// tone.
TEST(MorseStream, StretchedSpacingKeepsElementsAndLastsTheEffectiveLength) {
    const std::string signs = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,=?/    #";
    std::mt19937 random(41);
    for (int i = 0; i < 200; ++i) {
        std::string text = i == 0 ? "E   E" : "";
        for (size_t n = 1 + random() % 40; text.size() < n;)
            text += signs[random() % signs.size()];
        const std::string sent = text + " ";
        const int unit = 20 + static_cast<int>(random() % 300);
        const int shape = i % 8 == 1 ? MorseToneSine : MorseToneSquare;
        const int notAbove[] = {0, unit, unit - 1, -7};
        const int effective =
            i % 2 ? notAbove[i / 2 % 4] : unit + 1 + static_cast<int>(random() % (3 * unit));
        MorseStream plain(8000, shape), stretched(8000, shape);
        const int last = static_cast<int>(text.size()) - 1;
        plain.Load(text, unit, 0, 850, 0, last, -1);
        stretched.Load(text, unit, 0, 850, 0, last, -1, effective);
        if (shape == MorseToneSine) {
            const bool same = Render<int16_t>(plain, 1024) == Render<int16_t>(stretched, 1024);
            ASSERT_EQ(same, effective <= unit) << text;
        }
        const std::vector<uint8_t> a = Render(plain, 1024), b = Render(stretched, 1024);
        const uint64_t target =
            static_cast<uint64_t>(textSamples(sent, effective > unit ? effective : unit, -1));
        ASSERT_EQ(stretched.EndOffset(), target) << text << " unit " << unit << " effective " << effective;
        EXPECT_EQ(StretchedTextSamples(sent, unit, -1, effective), target) << text;
        if (effective <= unit || shape == MorseToneSine) {
            ASSERT_TRUE(shape == MorseToneSine || a == b) << text;
            continue;
        }
        const std::vector<Span> nominal = Runs(a, plain.EndOffset()), got = Runs(b, stretched.EndOffset());
        ASSERT_EQ(nominal.size(), got.size()) << text;
        const double extra = static_cast<double>(target - plain.EndOffset());
        double gaps = 0;
        for (const Span& s : nominal)
            gaps += s.kind == 's' && s.length > static_cast<uint32_t>(unit) ? s.length : 0;
        for (size_t k = 0; k < nominal.size(); ++k) {
            const Span& n = nominal[k];
            if (n.kind == 't' || n.length <= static_cast<uint32_t>(unit))
                ASSERT_EQ(got[k], n) << text << " run " << k;
            else
                ASSERT_NEAR(got[k].length, n.length + extra * n.length / gaps, 1.0) << text << " gap " << k;
        }
        for (size_t c = 0; c < text.size(); ++c) {
            const uint32_t at = stretched.StartOffset(static_cast<uint32_t>(c));
            const bool sign = text[c] != ' ' && text[c] != '#';
            ASSERT_TRUE(!sign || (b[at] != MorseSilence && (at == 0 || b[at - 1] == MorseSilence)))
                << text << c;
        }
        EXPECT_EQ(stretched.MarkOffsetB(), stretched.StartOffset(static_cast<uint32_t>(last)));
    }
}
