#include "transmission/SideToneWave.h"

#include "sound/MorseStream.h"

#include <cmath>
#include <limits>

SideToneWave::SideToneWave(int sampleRate, int frequency, int shape, int unitSamples)
    : rate_(sampleRate > 0 ? sampleRate : 1), frequency_(frequency > 0 ? frequency : 0),
      shape_(shape == MorseToneSine ? MorseToneSine : MorseToneSquare),
      // No unit (a straight key has none): the full 5 ms ramps.
      ramp_(shape_ != MorseToneSine ? 0u
            : unitSamples > 0       ? MorseRampSamples(rate_, unitSamples)
                                    : MorseRampSamples(rate_, std::numeric_limits<int>::max())) {}

bool SideToneWave::IsDown() const {
    return edges_.empty() ? downBefore_ : edges_.back().down;
}

bool SideToneWave::Edge(uint64_t at, bool down) {
    if (down == IsDown())
        return false;
    if (!edges_.empty() && at < edges_.back().at)
        at = edges_.back().at;
    edges_.push_back({at, down});
    return true;
}

// The tone of each press rises along the ramp from its down edge and falls
// from its up edge; where the ramps of neighbouring presses overlap the
// louder one counts, so the gain never jumps, however short the presses.
double SideToneWave::Gain(uint64_t p) const {
    auto rise = [&](uint64_t edge) {
        if (p < edge)
            return 0.0;
        const uint64_t d = p - edge;
        return d >= ramp_ ? 1.0 : MorseRampGain(static_cast<uint32_t>(d), ramp_);
    };
    double gain = 0;
    bool down = downBefore_;
    bool fromStart = downBefore_; // a press that began before the kept edges
    uint64_t pressBegin = 0;
    for (const KeyEdge& e : edges_) {
        if (e.at > p && !down)
            break;
        if (e.down) {
            pressBegin = e.at;
            fromStart = false;
        } else {
            const double on = fromStart ? 1.0 : rise(pressBegin);
            const double g = on * (1.0 - rise(e.at));
            gain = g > gain ? g : gain;
        }
        down = e.down;
    }
    if (down) {
        const double on = fromStart ? 1.0 : rise(pressBegin);
        gain = on > gain ? on : gain;
    }
    return gain;
}

void SideToneWave::Render(uint64_t from, uint32_t n, int16_t* out) const {
    constexpr double kPi = 3.14159265358979323846;
    for (uint32_t i = 0; i < n; ++i) {
        const uint64_t p = from + i;
        const double gain = Gain(p);
        if (gain <= 0 || frequency_ == 0) {
            out[i] = 0;
            continue;
        }
        // The phase runs on from the stream's start: a press starts wherever
        // the wave is, and the ramp keeps that from clicking.
        const uint64_t cycle = p % static_cast<uint64_t>(rate_) * static_cast<uint64_t>(frequency_) %
                               static_cast<uint64_t>(rate_);
        const double s = std::sin(2.0 * kPi * static_cast<double>(cycle) / rate_);
        const double wave = shape_ == MorseToneSine ? s : (s >= 0 ? 1.0 : -1.0);
        out[i] = static_cast<int16_t>(std::lround(kMorseSineAmplitude * gain * wave));
    }
}

void SideToneWave::Forget(uint64_t position) {
    // An edge whose ramp ended before `position` only leaves its state
    // behind: a press begun then sounds at full gain until its up edge.
    size_t drop = 0;
    while (drop < edges_.size() && edges_[drop].at + ramp_ < position)
        ++drop;
    if (drop == 0)
        return;
    downBefore_ = edges_[drop - 1].down;
    edges_.erase(edges_.begin(), edges_.begin() + static_cast<std::ptrdiff_t>(drop));
}
