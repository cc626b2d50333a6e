#include "player/PlayerRender.h"

#include "sound/MorseTable.h"

#include <algorithm>
#include <cstddef>

uint64_t RenderedSamples(const std::string& sent, int unit, uint64_t delaySamples, int effectiveUnit) {
    return delaySamples + StretchedTextSamples(sent + ' ', unit, -1, effectiveUnit);
}

SampleRender::SampleRender(int sampleRate, int delaySeconds, int frequency, int intervalSeconds,
                           std::vector<RenderText> texts, int toneShape)
    : rate_(sampleRate > 0 ? sampleRate : 1), delay_(delaySeconds > 0 ? delaySeconds : 0),
      frequency_(frequency), shape_(toneShape == MorseToneSine ? MorseToneSine : MorseToneSquare),
      pause_(static_cast<uint64_t>(intervalSeconds > 0 ? intervalSeconds : 0) * static_cast<uint64_t>(rate_)),
      texts_(std::move(texts)) {
    if (shape_ == MorseToneSine)
        wide_.resize(MorseSegmentBytes(rate_));
    else
        block_.resize(MorseSegmentBytes(rate_));
    const uint64_t delaySamples = static_cast<uint64_t>(delay_) * static_cast<uint64_t>(rate_);
    for (size_t i = 0; i < texts_.size(); ++i) {
        const uint64_t n =
            RenderedSamples(texts_[i].sent, texts_[i].unit, delaySamples, texts_[i].effectiveUnit);
        longest_ = n > longest_ ? n : longest_;
        total_ += n + (i + 1 < texts_.size() ? pause_ : 0);
    }
    if (!texts_.empty() && longest_ <= 0xFFFFFFFFull)
        BeginText();
}

void SampleRender::BeginText() {
    stream_ = std::make_unique<MorseStream>(rate_, shape_);
    const RenderText& t = texts_[index_];
    stream_->Load(t.sent, t.unit, delay_, frequency_, -1, -1, -1, t.effectiveUnit);
    textEnd_ = 0;
    inPause_ = false;
}

uint8_t* SampleRender::Next(size_t& count) {
    count = 0;
    return shape_ == MorseToneSquare ? NextIn(block_, static_cast<uint8_t>(MorseSilence), count) : nullptr;
}

int16_t* SampleRender::NextWide(size_t& count) {
    count = 0;
    return shape_ == MorseToneSine ? NextIn(wide_, static_cast<int16_t>(0), count) : nullptr;
}

template <class Sample>
Sample* SampleRender::NextIn(std::vector<Sample>& block, Sample silence, size_t& count) {
    // A text whose stream would not fit the player's 32-bit offsets is
    // never rendered; callers check LongestText first.
    if (!stream_ || done_ >= total_)
        return nullptr;
    if (inPause_) {
        const uint64_t n = pauseLeft_ < block.size() ? pauseLeft_ : block.size();
        std::fill(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(n), silence);
        pauseLeft_ -= n;
        done_ += n;
        count = static_cast<size_t>(n);
        if (pauseLeft_ == 0) {
            ++index_;
            BeginText();
        }
        return block.data();
    }
    const uint32_t offset = stream_->BytesWritten();
    const bool complete = stream_->Fill(block.data(), static_cast<uint32_t>(block.size()));
    uint32_t keep = static_cast<uint32_t>(block.size());
    if (complete) {
        // Entry N of the start list: just after the appended blank.
        keep = stream_->StartOffset(static_cast<uint32_t>(stream_->Length())) - offset;
        if (index_ + 1 < texts_.size()) {
            inPause_ = true;
            pauseLeft_ = pause_;
            if (pause_ == 0) {
                ++index_;
                BeginText();
            }
        }
    }
    done_ += keep;
    count = keep;
    return block.data();
}
