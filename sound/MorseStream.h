// The sample stream that the player writes into its sound buffer, produced
// segment by segment directly into the memory the caller hands over: 8-bit
// unsigned mono samples of a square wave, or 16-bit signed mono samples of a
// shaped sine whose edges ramp along a raised cosine.
//
// Stream offsets count samples from the first sample of the start delay.
// Load runs while nothing fills; Fill may run on another thread while the
// owner reads the character start list and the marks, which is why Load
// allocates the whole list and Fill publishes entries through an atomic count.
#pragma once

#include "FCommon/FArray.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// Bytes the player writes for silence, the end of the text and tone halves.
enum : uint8_t { MorseSilence = 0x80, MorseAfterEnd = 0x7F, MorseToneHigh = 0xFF, MorseToneLow = 0x00 };

// Tone shapes ([Default] ToneShape).
enum MorseToneShape { MorseToneSquare = 0, MorseToneSine = 1 };
// Peak of the shaped sine, about 0.8 of full scale.
constexpr double kMorseSineAmplitude = 0.8 * 32767;

// Ramp length R of the shaped sine: 5 ms, or a third of a unit at speeds
// where 5 ms would eat the dots.
uint32_t MorseRampSamples(int sampleRate, int unit);
// Gain of the raised-cosine ramp `edge` samples into a ramp of `ramp`
// samples (1 from the ramp's end on): the shaped sine's rise, and mirrored
// its fall, shared with the side tone.
double MorseRampGain(uint32_t edge, uint32_t ramp);

// Sample k of a tone sounded for `length` samples: the sine from phase zero
// at its first sample, its edges ramped over `ramp` samples along a raised
// cosine (ramp 0: no ramp).
int16_t MorseSineSample(uint32_t k, uint32_t length, uint32_t ramp, uint32_t frequency, int sampleRate);

// Stretched spacing: a text's signs at the speed of `unit`, its whole length
// that of the slower speed of `effectiveUnit`. The target is
// textSamples(text, effectiveUnit, S) with S = -1 when space < 0, otherwise
// space x effectiveUnit / unit (truncated): the text as it would sound
// throughout at the effective speed. The extra samples over
// textSamples(text, unit, space) go to the blanks only, spread in proportion
// to each gap's nominal length (the first blank after a sign also stands for
// that sign's closing unit, characters not sent aside, so a 3-unit gap gets
// 3 shares and a 7-unit word gap 7), whole samples each, the rounding
// carried on so that the total is exact.
// With effectiveUnit <= unit (or unit <= 0) it is textSamples(text, unit,
// space). The stream of Load(text, ..., effectiveUnit) ends exactly
// StretchedTextSamples(text + " ", ...) samples after its start delay.
uint64_t StretchedTextSamples(const std::string& text, int unit, int space, int effectiveUnit);

// Segment of the looping buffer: a sixteenth of a second, at least 1024 bytes.
uint32_t MorseSegmentBytes(int sampleRate);
// The looping buffer holds 16 segments.
uint32_t MorseBufferBytes(int sampleRate);
enum { MorseSegmentsPerBuffer = 16 };

// Tick count at which the character at `offset` began to sound, given that
// output (re)started at `tickAtStart`; -1 while the play position has not
// passed it or the mark has not been reached.
int64_t MorseMarkTime(int64_t offset, uint32_t playPosition, int64_t tickAtStart, int sampleRate);

// The writer fills the buffer segment by segment in stream order, so the
// segment it fills next is always (bytes written / segment) mod 16; the
// notifications only tell how far the play cursor has come. Returns how many
// segments to fill so that the writer is again two whole segments ahead of
// the segment the cursor is in (one after each notification, more after a
// late wake-up). A cursor that seems up to three segments behind the writer's
// lead (a stale notification) asks for nothing rather than overwriting
// segments not yet heard.
uint32_t MorseSegmentsDue(uint32_t bytesWritten, uint32_t cursorSegment, int sampleRate);
// Stream offset being heard when the play cursor is at buffer byte `cursor`,
// given the stream offset of the next segment to fill.
uint32_t MorsePlayPosition(uint32_t bytesWritten, uint32_t cursor, int sampleRate);

class MorseStream {
public:
    explicit MorseStream(int sampleRate, int toneShape = MorseToneSquare);
    MorseStream(const MorseStream&) = delete;
    MorseStream& operator=(const MorseStream&) = delete;

    // Loads a text (one blank is appended) and rewinds the stream to offset 0.
    // space < 0 means two units. The stream then begins with delaySeconds of
    // silence. Throws FCMemException when the start list cannot be allocated.
    // effectiveUnit > unit stretches the spacing (see StretchedTextSamples):
    // dots, dashes and the gaps inside a character keep their length, the
    // blanks grow. 0 or <= unit plays the text exactly as without it.
    void Load(const std::string& text, int unit, int delaySeconds, int frequency, int markA, int markB,
              int space, int effectiveUnit = 0);

    // Loads samples made elsewhere (a sender's keying) and rewinds: Fill
    // copies them (the square wave takes their high bytes), then silence;
    // `starts[i]` is where character i of `text` begins (no blank is
    // appended). Throws FCMemException as Load does.
    void LoadRecorded(const std::string& text, const std::vector<int16_t>& samples,
                      const std::vector<uint32_t>& starts);

    // Writes exactly n samples at `out` (the stream from BytesWritten() on)
    // and advances BytesWritten() by n. Returns whether the whole text has
    // been written. The square wave fills bytes and writes MorseAfterEnd after
    // the end; the shaped sine fills 16-bit samples and writes 0 there. A
    // stream fills only in its own shape: the other form gets silence.
    bool Fill(uint8_t* out, uint32_t n);
    bool Fill(int16_t* out, uint32_t n);

    int SampleRate() const { return rate_; }
    int ToneShape() const { return shape_; }
    int BytesPerSample() const { return shape_ == MorseToneSine ? 2 : 1; }
    // Stream offsets count samples; the name is kept from the 8-bit stream.
    uint32_t BytesWritten() const { return written_; }
    // Characters including the appended blank (N); 0 before the first Load.
    int Length() const { return static_cast<int>(text_.size()); }
    const std::string& Text() const { return text_; }

    // Character start list: entry i is the offset where character i starts,
    // entry N the offset just after the last character.
    uint32_t StartCount() const { return startCount_.load(std::memory_order_acquire); }
    uint32_t StartOffset(uint32_t index) const { return *starts_.At(index); }
    // Index of the character heard at a play position; -1 before the first.
    int CurrentCharacter(uint32_t playPosition) const;

    int64_t MarkOffsetA() const { return markOffsetA_.load(std::memory_order_acquire); }
    int64_t MarkOffsetB() const { return markOffsetB_.load(std::memory_order_acquire); }
    // Offset just after the last character; 0 until the text is complete.
    uint32_t EndOffset() const { return endOffset_.load(std::memory_order_acquire); }

private:
    // Sounded span [begin, end) of one tone of the shaped sine.
    struct SineSpan {
        uint32_t begin, end;
    };
    template <class Emit> void Generate(uint32_t until, Emit&& emit);
    void PrepareStretch(int unit, int space, int effectiveUnit);
    uint64_t BlankWeight(size_t i) const;
    uint32_t StretchOfBlank(size_t i);
    void StartCharacter(uint32_t offset);
    bool NextElement();
    void WriteSquare(uint8_t* out, uint32_t count) const;
    template <class Sample, class Convert> bool FillRecorded(Sample* out, uint32_t n, Sample after, Convert c);
    void PrepareSine();
    int16_t SineSample(uint32_t k, uint32_t length) const;
    void RenderSpan(const SineSpan& span, int16_t* out, uint32_t from, uint32_t to) const;

    const int rate_;
    const int shape_;
    bool loaded_ = false;
    bool recorded_ = false;
    std::vector<int16_t> samples_; // of LoadRecorded
    std::string text_;
    uint32_t unit_ = 0, space_ = 0, frequency_ = 0;
    int markA_ = -1, markB_ = -1;

    int current_ = -1; // character index, -1 during the start delay
    int element_ = 0;  // index into the current character's pattern
    uint32_t elementLength_ = 0;
    uint32_t produced_ = 0; // samples of the current element already written
    bool tone_ = false;
    uint32_t written_ = 0;  // stream offset of the next sample Fill writes
    uint32_t position_ = 0; // stream offset the element sequence has reached
    bool endStored_ = false;

    // Stretched spacing: the samples the blanks get beyond their length, the
    // weights of all blanks and of those already sent, and the extra given.
    uint64_t extra_ = 0, totalWeight_ = 0, weightSoFar_ = 0, extraSoFar_ = 0;
    bool evenWeights_ = false;

    // Shaped sine: ramp length, the samples of a whole dot and a whole dash
    // (every one sounds the same, the phase restarting with each), and the
    // tones whose ramps reach past the samples written so far.
    uint32_t ramp_ = 0;
    std::vector<int16_t> dot_, dash_;
    SineSpan pending_[4] = {};
    int pendingCount_ = 0;

    FCArray<uint32_t> starts_;
    std::atomic<uint32_t> startCount_{0};
    std::atomic<int64_t> markOffsetA_{-1}, markOffsetB_{-1};
    std::atomic<uint32_t> endOffset_{0};
};
