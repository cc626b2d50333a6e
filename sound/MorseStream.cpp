#include "sound/MorseStream.h"

#include "sound/MorseTable.h"

#include <cstring>

uint32_t MorseSegmentBytes(int sampleRate) {
    return sampleRate >= 16384 ? static_cast<uint32_t>(sampleRate) / 16 : 1024u;
}

uint32_t MorseBufferBytes(int sampleRate) {
    return MorseSegmentBytes(sampleRate) * MorseSegmentsPerBuffer;
}

int64_t MorseMarkTime(int64_t offset, uint32_t playPosition, int64_t tickAtStart, int sampleRate) {
    if (offset < 0 || static_cast<int64_t>(playPosition) <= offset || sampleRate <= 0)
        return -1;
    return tickAtStart + offset * 1000 / sampleRate;
}

uint32_t MorseSegmentsDue(uint32_t bytesWritten, uint32_t cursorSegment, int sampleRate) {
    const uint32_t next = bytesWritten / MorseSegmentBytes(sampleRate) % MorseSegmentsPerBuffer;
    const uint32_t lag =
        (cursorSegment % MorseSegmentsPerBuffer + 3 + MorseSegmentsPerBuffer - next) % MorseSegmentsPerBuffer;
    return lag <= MorseSegmentsPerBuffer - 4 ? lag : 0;
}

uint32_t MorsePlayPosition(uint32_t bytesWritten, uint32_t cursor, int sampleRate) {
    const uint32_t buffer = MorseBufferBytes(sampleRate);
    const uint32_t next = bytesWritten % buffer;
    const uint32_t ahead = (next + buffer - cursor % buffer) % buffer;
    return ahead <= bytesWritten ? bytesWritten - ahead : 0;
}

MorseStream::MorseStream(int sampleRate) : rate_(sampleRate > 0 ? sampleRate : 1) {}

void MorseStream::Load(const std::string& text, int unit, int delaySeconds, int frequency, int markA,
                       int markB, int space) {
    const uint32_t n = static_cast<uint32_t>(text.size()) + 1;
    // Every entry the filling thread will append exists from here on, so the
    // block never moves while the owner reads it.
    starts_.Resize(n + 1, 0u);
    startCount_.store(0, std::memory_order_release);
    text_ = text;
    text_ += ' ';
    unit_ = unit > 0 ? static_cast<uint32_t>(unit) : 0u;
    space_ = space < 0 ? 2 * unit_ : static_cast<uint32_t>(space);
    frequency_ = frequency > 0 ? static_cast<uint32_t>(frequency) : 0u;
    markA_ = markA;
    markB_ = markB;
    markOffsetA_.store(-1, std::memory_order_release);
    markOffsetB_.store(-1, std::memory_order_release);
    endOffset_.store(0, std::memory_order_release);
    current_ = -1;
    element_ = 0;
    tone_ = false;
    produced_ = 0;
    elementLength_ =
        delaySeconds > 0 ? static_cast<uint32_t>(delaySeconds) * static_cast<uint32_t>(rate_) : 0u;
    written_ = 0;
    loaded_ = true;
}

void MorseStream::StartCharacter(uint32_t offset) {
    const uint32_t count = startCount_.load(std::memory_order_relaxed);
    *starts_.At(count) = offset;
    startCount_.store(count + 1, std::memory_order_release);
    if (current_ == markA_)
        markOffsetA_.store(offset, std::memory_order_release);
    if (current_ == markB_)
        markOffsetB_.store(offset, std::memory_order_release);
}

// Makes the next symbol of the current character the current element; false
// when the character has no symbol left.
bool MorseStream::NextElement() {
    const unsigned char c = static_cast<unsigned char>(text_[current_]);
    const char* pattern = MorsePattern(c);
    const char symbol = pattern[element_];
    if (!symbol)
        return false;
    if (c == ' ') {
        // A blank is one silence of the blank length, whatever its pattern.
        elementLength_ = space_;
        tone_ = false;
        element_ = static_cast<int>(std::strlen(pattern));
    } else {
        tone_ = symbol == '-' || symbol == '.';
        elementLength_ = symbol == '-' ? 3 * unit_ : unit_;
        ++element_;
    }
    produced_ = 0;
    return true;
}

void MorseStream::WriteElement(uint8_t* out, uint32_t count) {
    if (!tone_ || frequency_ == 0) {
        std::memset(out, tone_ ? MorseToneHigh : MorseSilence, count);
        produced_ += count;
        return;
    }
    // Sample k is high while trunc(k * 2F / rate) is even; the phase restarts
    // with every element. Whole half-periods are written as runs.
    const uint64_t twoF = 2ull * frequency_;
    const uint64_t rate = static_cast<uint64_t>(rate_);
    uint64_t k = produced_;
    while (count > 0) {
        const uint64_t half = k * twoF / rate;
        const uint64_t nextHalf = ((half + 1) * rate + twoF - 1) / twoF; // first sample of the next half
        uint32_t run = count;
        if (nextHalf - k < run)
            run = static_cast<uint32_t>(nextHalf - k);
        std::memset(out, (half & 1) ? MorseToneLow : MorseToneHigh, run);
        out += run;
        k += run;
        count -= run;
    }
    produced_ = static_cast<uint32_t>(k);
}

bool MorseStream::Fill(uint8_t* out, uint32_t n) {
    const int length = Length();
    uint32_t filled = 0;
    if (!loaded_) {
        std::memset(out, MorseAfterEnd, n);
        written_ += n;
        return true;
    }
    const bool wasComplete = current_ == length;
    while (current_ < length && filled < n) {
        if (produced_ == elementLength_) {
            if (current_ == -1) {
                current_ = 0;
                element_ = 0;
                StartCharacter(written_ + filled);
            }
            if (!NextElement()) {
                ++current_;
                element_ = 0;
                StartCharacter(written_ + filled);
            }
            continue;
        }
        uint32_t count = elementLength_ - produced_;
        if (count > n - filled)
            count = n - filled;
        WriteElement(out + filled, count);
        filled += count;
    }
    if (current_ == length) {
        // Set once: later fills during the end countdown do not move it.
        if (!wasComplete)
            endOffset_.store(written_ + filled, std::memory_order_release);
        std::memset(out + filled, MorseAfterEnd, n - filled);
    }
    written_ += n;
    return current_ == length;
}

int MorseStream::CurrentCharacter(uint32_t playPosition) const {
    for (uint32_t i = StartCount(); i-- > 0;)
        if (StartOffset(i) <= playPosition)
            return static_cast<int>(i);
    return -1;
}
