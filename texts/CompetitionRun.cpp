#include "texts/CompetitionRun.h"

#include "sound/MorseTable.h"

#include <algorithm>

std::string CompetitionPreamble(int kind, int speed) {
    std::string p = kind == TextLetters ? "O O O O O   " : "0 0 0 0 0   ";
    for (char digit : std::to_string(speed)) {
        p += digit;
        p += ' ';
    }
    p += "  V V V   =   ";
    return p;
}

SentText CompetitionSentText(int kind, int speed, const std::string& text) {
    SentText s;
    s.sent = CompetitionPreamble(kind, speed);
    s.markA = static_cast<int>(s.sent.size());
    s.sent += text;
    s.markB = static_cast<int>(s.sent.size());
    // The text ends in blanks, so AR sounds as one sign after a group gap.
    s.sent += "AR";
    return s;
}


namespace {
// Tick counts wrap after 49.7 days, so differences are taken modulo 2^32,
// as signed: the player's mark times can lie a little ahead of the tick
// count (its play position leads the sound), and such a moment counts as
// now rather than as 49 days ago.
int64_t Elapsed(uint32_t now, int64_t since) {
    const int32_t d = static_cast<int32_t>(now - static_cast<uint32_t>(since));
    return d < 0 ? 0 : d;
}
} // namespace

RunClockStep DecideRunClock(const RunClockInput& in) {
    RunClockStep step;
    step.totalTime = Elapsed(in.now, in.runStart);
    if (in.sending) {
        if (in.markB != -1) {
            // Sent completely: the time from the first character to AR
            // stays on the clock through the pause.
            step.setTextClock = true;
            step.textClock = in.markA != -1 ? Elapsed(static_cast<uint32_t>(in.markB), in.markA) : -1;
            step.setSelection = true;
        } else if (in.markA != -1) {
            step.setTextClock = true;
            step.textClock = Elapsed(in.now, in.markA);
            step.setSelection = true;
            step.selection = HighlightRange(in.currentCharacter, in.preambleLength, in.speed);
        }
        if (!in.playing)
            step.action = RunClockAction::TextOver;
        return step;
    }
    // The last text's time stays up through the pause; it is cleared when
    // the pause ends, so the next preamble shows "--:--".
    step.setPauseClock = true;
    const int64_t pause = static_cast<int64_t>(in.interval) * 1000;
    const int64_t e = Elapsed(in.now, in.pauseStart);
    if (e < pause) {
        step.pauseClock = pause - e;
        return step;
    }
    step.setTextClock = true;
    step.action = in.speed > kCompetitionTopSpeed ? RunClockAction::Stop : RunClockAction::NextText;
    return step;
}

LargeViewLayout ComputeLargeView(int width, int height, bool sending) {
    const int d = (height - 200) / 5;
    const int c = (width - 100) / 2 - 10;
    const int h = std::min(4 * d / 5, c / 4);
    const int x = c + 70;
    const int y = (h / 2) / 2 + 150;
    auto clock = [&](int top, int high) { return LargeViewPlace{true, {x, top, c, high}}; };
    auto label = [&](int top, int high) { return LargeViewPlace{true, {50, top, c, high}}; };
    const LargeViewPlace hidden{false, {0, 0, 0, 0}};

    LargeViewLayout l{};
    if (sending) {
        l.totalClock = clock(150, h);
        l.totalLabel = label(y, h / 2);
        l.speedClock = clock(d + 150, h + d);
        l.speedLabel = label(y + d, h / 2 + d);
        l.textClock = clock(3 * d + 150, h + d);
        l.textLabel = label(y + 3 * d, h / 2 + d);
        l.pauseClock = hidden;
        l.pauseLabel = hidden;
    } else {
        l.speedClock = clock(150, h + d);
        l.speedLabel = label(y, h / 2 + d);
        l.pauseClock = clock(3 * d + h / 2 + 150, h);
        l.pauseLabel = label(3 * d + y + h / 2, h / 2);
        l.totalClock = hidden;
        l.totalLabel = hidden;
        l.textClock = hidden;
        l.textLabel = hidden;
    }
    return l;
}
