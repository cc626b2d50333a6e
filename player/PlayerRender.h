// The samples of a series of texts, each exactly as the player writes it
// (the start delay, then the text up to the end of its appended blank), with
// a pause of silence between two texts and none after the last: what a WAV
// file of a text, or of a whole control-text file, holds.
#pragma once

#include "sound/MorseStream.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct RenderText {
    std::string sent;      // the sent string (a blank is appended, as the player does)
    int unit;              // samples per unit
    int effectiveUnit = 0; // > unit: the spacing stretched (MorseStream::Load)
};

// Samples of one text from the first sample of its start delay to just
// after its appended blank, in 64 bits.
uint64_t RenderedSamples(const std::string& sent, int unit, uint64_t delaySamples, int effectiveUnit = 0);

class SampleRender {
public:
    // `toneShape` as the player's: 8-bit samples for the square wave, 16-bit
    // for the sine.
    SampleRender(int sampleRate, int delaySeconds, int frequency, int intervalSeconds,
                 std::vector<RenderText> texts, int toneShape = MorseToneSquare);

    // Every sample the render will give.
    uint64_t TotalSamples() const { return total_; }
    // The longest single text in samples (each counts in 32 bits).
    uint64_t LongestText() const { return longest_; }
    uint64_t Done() const { return done_; }
    // The text being rendered (or the pause after it), counting from 0.
    size_t TextIndex() const { return index_; }
    size_t TextCount() const { return texts_.size(); }

    int ToneShape() const { return shape_; }
    int BytesPerSample() const { return shape_ == MorseToneSine ? 2 : 1; }

    // The next block of samples and their number (the caller may change them
    // in place until the next call); null once everything is given. Next
    // serves the square wave, NextWide the sine.
    uint8_t* Next(size_t& count);
    int16_t* NextWide(size_t& count);

private:
    void BeginText();
    template <class Sample> Sample* NextIn(std::vector<Sample>& block, Sample silence, size_t& count);

    const int rate_, delay_, frequency_, shape_;
    const uint64_t pause_;
    std::vector<RenderText> texts_;
    uint64_t total_ = 0, longest_ = 0, done_ = 0;
    size_t index_ = 0;
    bool inPause_ = false;
    uint64_t pauseLeft_ = 0;
    uint32_t textEnd_ = 0; // end of the current text in its own stream
    std::unique_ptr<MorseStream> stream_;
    std::vector<uint8_t> block_;
    std::vector<int16_t> wide_;
};
