#include "sound/MorseStream.h"

#include "sound/MorseTable.h"

#include <cmath>
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

uint32_t MorseRampSamples(int sampleRate, int unit) {
    const uint32_t fiveMs = sampleRate > 0 ? static_cast<uint32_t>(sampleRate) / 200 : 0u;
    const uint32_t third = unit > 0 ? static_cast<uint32_t>(unit) / 3 : 0u;
    return fiveMs < third ? fiveMs : third;
}

double MorseRampGain(uint32_t edge, uint32_t ramp) {
    constexpr double kPi = 3.14159265358979323846;
    return edge < ramp ? 0.5 - 0.5 * std::cos(kPi * (edge + 0.5) / ramp) : 1.0;
}

uint64_t StretchedTextSamples(const std::string& text, int unit, int space, int effectiveUnit) {
    const uint64_t u = unit > 0 ? static_cast<uint64_t>(unit) : 0u;
    if (unit <= 0 || effectiveUnit <= unit)
        return TextSamples64(text, u, space < 0 ? 2 * u : static_cast<uint64_t>(space));
    const uint64_t e = static_cast<uint64_t>(effectiveUnit);
    return TextSamples64(text, e, space < 0 ? 2 * e : static_cast<uint64_t>(space) * e / u);
}

MorseStream::MorseStream(int sampleRate, int toneShape)
    : rate_(sampleRate > 0 ? sampleRate : 1),
      shape_(toneShape == MorseToneSine ? MorseToneSine : MorseToneSquare) {}

void MorseStream::Load(const std::string& text, int unit, int delaySeconds, int frequency, int markA,
                       int markB, int space, int effectiveUnit) {
    const uint32_t n = static_cast<uint32_t>(text.size()) + 1;
    // Every entry the filling thread will append exists from here on, so the
    // block never moves while the owner reads it.
    starts_.Resize(n + 1, 0u);
    startCount_.store(0, std::memory_order_release);
    recorded_ = false;
    samples_.clear();
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
    endStored_ = false;
    current_ = -1;
    element_ = 0;
    tone_ = false;
    produced_ = 0;
    elementLength_ =
        delaySeconds > 0 ? static_cast<uint32_t>(delaySeconds) * static_cast<uint32_t>(rate_) : 0u;
    written_ = 0;
    position_ = 0;
    pendingCount_ = 0;
    PrepareStretch(unit, space, effectiveUnit);
    if (shape_ == MorseToneSine)
        PrepareSine();
    loaded_ = true;
}

void MorseStream::LoadRecorded(const std::string& text, const std::vector<int16_t>& samples,
                               const std::vector<uint32_t>& starts) {
    const uint32_t n = static_cast<uint32_t>(starts.size());
    starts_.Resize(n + 1, 0u);
    for (uint32_t i = 0; i < n; ++i)
        *starts_.At(i) = starts[i];
    const uint32_t end = static_cast<uint32_t>(samples.size());
    *starts_.At(n) = end;
    // Every start is known: all are published at once.
    startCount_.store(n + 1, std::memory_order_release);
    samples_ = samples;
    text_ = text;
    unit_ = space_ = frequency_ = 0;
    markOffsetA_.store(-1, std::memory_order_release);
    markOffsetB_.store(-1, std::memory_order_release);
    endOffset_.store(end, std::memory_order_release);
    current_ = static_cast<int>(text_.size());
    written_ = position_ = 0;
    pendingCount_ = 0;
    recorded_ = loaded_ = true;
}

template <class Sample, class Convert>
bool MorseStream::FillRecorded(Sample* out, uint32_t n, Sample after, Convert convert) {
    const size_t size = samples_.size();
    for (uint32_t k = 0; k < n; ++k) {
        const size_t at = static_cast<size_t>(written_) + k;
        out[k] = at < size ? convert(samples_[at]) : after;
    }
    written_ += n;
    position_ = written_;
    return written_ >= size;
}

void MorseStream::PrepareStretch(int unit, int space, int effectiveUnit) {
    extra_ = 0;
    totalWeight_ = 0;
    weightSoFar_ = 0;
    extraSoFar_ = 0;
    evenWeights_ = false;
    if (unit <= 0 || effectiveUnit <= unit)
        return;
    const uint64_t nominal = TextSamples64(text_, unit_, space_);
    const uint64_t target = StretchedTextSamples(text_, unit, space, effectiveUnit);
    extra_ = target > nominal ? target - nominal : 0u;
    for (size_t i = 0; i < text_.size(); ++i)
        if (text_[i] == ' ')
            totalWeight_ += BlankWeight(i);
    // Blanks of no length after signs of no pattern: share alike. The text
    // always ends in the appended blank, so there is at least one.
    if (totalWeight_ == 0) {
        evenWeights_ = true;
        for (char c : text_)
            totalWeight_ += c == ' ';
    }
}

// Nominal length of the gap blank i stands for: its own, and the closing
// unit of the sign before it when no blank came since (characters that are
// not sent do not count).
uint64_t MorseStream::BlankWeight(size_t i) const {
    if (evenWeights_)
        return 1;
    size_t j = i;
    while (j > 0 && text_[j - 1] != ' ' && !*MorsePattern(static_cast<unsigned char>(text_[j - 1])))
        --j;
    const bool afterSign = j > 0 && text_[j - 1] != ' ';
    return space_ + (afterSign ? unit_ : 0u);
}

// Samples added to blank i: the blanks so far get floor(extra x weight so
// far / total weight), so the shares add up to the whole extra exactly.
uint32_t MorseStream::StretchOfBlank(size_t i) {
    if (extra_ == 0)
        return 0;
    weightSoFar_ += BlankWeight(i);
    // extra x so far / total without overflowing 64 bits.
    const uint64_t q = extra_ / totalWeight_, r = extra_ % totalWeight_;
    const uint64_t share = q * weightSoFar_ + r * weightSoFar_ / totalWeight_;
    const uint64_t add = share - extraSoFar_;
    extraSoFar_ = share;
    return static_cast<uint32_t>(add);
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
        elementLength_ = space_ + StretchOfBlank(static_cast<size_t>(current_));
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

// Runs the element sequence on to stream offset `until` or the end of the
// text, recording character starts and marks at their offsets. emit(count)
// is called for each run of samples of the current element before they are
// counted (produced_ and position_ still at the run's first sample).
template <class Emit> void MorseStream::Generate(uint32_t until, Emit&& emit) {
    const int length = Length();
    while (current_ < length && position_ < until) {
        if (produced_ == elementLength_) {
            if (current_ == -1) {
                current_ = 0;
                element_ = 0;
                StartCharacter(position_);
            }
            if (!NextElement()) {
                ++current_;
                element_ = 0;
                StartCharacter(position_);
            }
            continue;
        }
        uint32_t count = elementLength_ - produced_;
        if (count > until - position_)
            count = until - position_;
        emit(count);
        produced_ += count;
        position_ += count;
    }
    if (current_ == length && !endStored_) {
        endOffset_.store(position_, std::memory_order_release);
        endStored_ = true;
    }
}

void MorseStream::WriteSquare(uint8_t* out, uint32_t count) const {
    if (!tone_ || frequency_ == 0) {
        std::memset(out, tone_ ? MorseToneHigh : MorseSilence, count);
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
}

bool MorseStream::Fill(uint8_t* out, uint32_t n) {
    if (recorded_ && shape_ == MorseToneSquare)
        return FillRecorded(out, n, static_cast<uint8_t>(MorseAfterEnd),
                            [](int16_t v) { return static_cast<uint8_t>((v >> 8) + 128); });
    if (!loaded_ || shape_ != MorseToneSquare) {
        std::memset(out, loaded_ ? MorseSilence : MorseAfterEnd, n);
        written_ += n;
        return true;
    }
    Generate(written_ + n, [&](uint32_t count) { WriteSquare(out + (position_ - written_), count); });
    const uint32_t filled = position_ - written_;
    const bool complete = current_ == Length();
    if (complete)
        std::memset(out + filled, MorseAfterEnd, n - filled);
    written_ += n;
    position_ = written_;
    return complete;
}

// Sample k of a tone sounded for `length` samples: the sine from phase zero
// at its first sample, rising over the first R samples and falling over the
// last R along a raised cosine whose half-amplitude points lie half a ramp
// inside the sounded span, on the element's edges.
int16_t MorseSineSample(uint32_t k, uint32_t length, uint32_t ramp, uint32_t frequency, int sampleRate) {
    constexpr double kPi = 3.14159265358979323846;
    const uint32_t edge = k < length - 1 - k ? k : length - 1 - k;
    const double gain = MorseRampGain(edge, ramp);
    // k x F reduced modulo the rate first keeps the phase exact on long tones.
    const uint64_t cycle = static_cast<uint64_t>(k) * frequency % static_cast<uint64_t>(sampleRate);
    const double phase = 2.0 * kPi * static_cast<double>(cycle) / sampleRate;
    return static_cast<int16_t>(std::lround(kMorseSineAmplitude * gain * std::sin(phase)));
}

int16_t MorseStream::SineSample(uint32_t k, uint32_t length) const {
    return MorseSineSample(k, length, ramp_, frequency_, rate_);
}

void MorseStream::PrepareSine() {
    ramp_ = MorseRampSamples(rate_, static_cast<int>(unit_));
    // Every dot and every dash sounds the same: computed once per text, they
    // are copied while filling. Tones too long to keep are computed in place.
    const uint64_t dashLength = 3ull * unit_ + ramp_;
    constexpr uint64_t kMaxKept = 1u << 22;
    dot_.clear();
    dash_.clear();
    if (frequency_ == 0 || dashLength > kMaxKept)
        return;
    for (auto* wave : {&dot_, &dash_}) {
        const uint32_t length = (wave == &dot_ ? unit_ : 3 * unit_) + ramp_;
        wave->resize(length);
        for (uint32_t k = 0; k < length; ++k)
            (*wave)[k] = SineSample(k, length);
    }
}

// Writes the part of a tone's span that falls into [from, to) at out[0...].
void MorseStream::RenderSpan(const SineSpan& span, int16_t* out, uint32_t from, uint32_t to) const {
    const uint32_t begin = span.begin > from ? span.begin : from;
    const uint32_t end = span.end < to ? span.end : to;
    if (begin >= end || frequency_ == 0)
        return;
    const uint32_t length = span.end - span.begin;
    const std::vector<int16_t>* wave = length == dot_.size()    ? &dot_
                                       : length == dash_.size() ? &dash_
                                                                : nullptr;
    int16_t* target = out + (begin - from);
    const uint32_t first = begin - span.begin;
    if (wave && !wave->empty()) {
        std::memcpy(target, wave->data() + first, (end - begin) * sizeof(int16_t));
        return;
    }
    for (uint32_t k = first; k < first + (end - begin); ++k)
        *target++ = SineSample(k, length);
}

bool MorseStream::Fill(int16_t* out, uint32_t n) {
    if (recorded_ && shape_ == MorseToneSine)
        return FillRecorded(out, n, int16_t{0}, [](int16_t v) { return v; });
    std::memset(out, 0, n * sizeof(int16_t));
    if (!loaded_ || shape_ != MorseToneSine) {
        written_ += n;
        return true;
    }
    const uint32_t from = written_, to = written_ + n;
    // Tones begun earlier whose sound reaches into these samples.
    for (int i = 0; i < pendingCount_; ++i)
        RenderSpan(pending_[i], out, from, to);
    // A tone sounds over [s - R/2, s + L - R/2 + R): its ramps are centred
    // on its edges, so one starting up to half a ramp after `to` begins to
    // sound before it.
    const uint32_t half = ramp_ / 2;
    Generate(to + half, [&](uint32_t) {
        if (!tone_ || produced_ != 0)
            return;
        // With no silence before it, the first rise begins at sample 0.
        const SineSpan span{position_ > half ? position_ - half : 0u,
                            position_ + elementLength_ + (ramp_ - half)};
        RenderSpan(span, out, from, to);
        if (span.end > to && pendingCount_ < 4)
            pending_[pendingCount_++] = span;
    });
    int kept = 0;
    for (int i = 0; i < pendingCount_; ++i)
        if (pending_[i].end > to)
            pending_[kept++] = pending_[i];
    pendingCount_ = kept;
    written_ = to;
    return current_ == Length() && pendingCount_ == 0 && endOffset_.load(std::memory_order_relaxed) <= to;
}

int MorseStream::CurrentCharacter(uint32_t playPosition) const {
    for (uint32_t i = StartCount(); i-- > 0;)
        if (StartOffset(i) <= playPosition)
            return static_cast<int>(i);
    return -1;
}
