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
    std::string sent; // the sent string (a blank is appended, as the player does)
    int unit;         // samples per unit
};

// Samples of one text from the first sample of its start delay to just
// after its appended blank, in 64 bits.
uint64_t RenderedSamples(const std::string& sent, int unit, uint64_t delaySamples);

class SampleRender {
public:
    SampleRender(int sampleRate, int delaySeconds, int frequency, int intervalSeconds,
                 std::vector<RenderText> texts);

    // Every sample the render will give.
    uint64_t TotalSamples() const { return total_; }
    // The longest single text in samples (each counts in 32 bits).
    uint64_t LongestText() const { return longest_; }
    uint64_t Done() const { return done_; }
    // The text being rendered (or the pause after it), counting from 0.
    size_t TextIndex() const { return index_; }
    size_t TextCount() const { return texts_.size(); }

    // The next block of samples and its size (the caller may change them in
    // place until the next call); null once everything is given.
    uint8_t* Next(size_t& count);

private:
    void BeginText();

    const int rate_, delay_, frequency_;
    const uint64_t pause_;
    std::vector<RenderText> texts_;
    uint64_t total_ = 0, longest_ = 0, done_ = 0;
    size_t index_ = 0;
    bool inPause_ = false;
    uint64_t pauseLeft_ = 0;
    uint32_t textEnd_ = 0; // end of the current text in its own stream
    std::unique_ptr<MorseStream> stream_;
    std::vector<uint8_t> block_;
};
