#include "transmission/IambicKeyer.h"

#include <cmath>
#include <limits>

IambicKeyer::IambicKeyer(IambicMode mode, double unitMs) : mode_(mode), unit_(unitMs > 0 ? unitMs : 1) {}

void IambicKeyer::SetUnitMs(double unitMs) {
    if (unitMs > 0)
        unit_ = unitMs;
}

void IambicKeyer::Start(int element, double atMs, std::vector<KeyEdge>& edges) {
    element_ = element;
    state_ = State::Element;
    stateEnd_ = atMs + (element == Dot ? unit_ : 3 * unit_);
    memory_[Dot] = memory_[Dash] = false;
    // Mode B: the opposite paddle held as the element starts is a squeeze.
    if (mode_ == IambicMode::B && held_[1 - element])
        memory_[1 - element] = true;
    edges.push_back({atMs, true});
}

void IambicKeyer::Run(double untilMs, std::vector<KeyEdge>& edges) {
    while (state_ != State::Idle && stateEnd_ <= untilMs) {
        if (state_ == State::Element) {
            edges.push_back({stateEnd_, false});
            state_ = State::Space;
            stateEnd_ += unit_;
            continue;
        }
        const int opposite = 1 - element_;
        if (held_[opposite] || memory_[opposite])
            Start(opposite, stateEnd_, edges);
        else if (held_[element_] || memory_[element_])
            Start(element_, stateEnd_, edges);
        else
            state_ = State::Idle;
    }
}

std::vector<KeyEdge> IambicKeyer::Paddles(bool dot, bool dash, double nowMs) {
    std::vector<KeyEdge> edges;
    // What was due before this change is decided by the paddles as they were;
    // a choice falling exactly at nowMs already sees the change.
    Run(std::nextafter(nowMs, -std::numeric_limits<double>::infinity()), edges);
    const bool now[2] = {dot, dash};
    for (int p = Dot; p <= Dash; ++p) {
        if (now[p] && !held_[p] && state_ != State::Idle)
            memory_[p] = true;
        held_[p] = now[p];
    }
    if (state_ == State::Idle && (dot || dash))
        Start(dot ? Dot : Dash, nowMs, edges);
    Run(nowMs, edges);
    return edges;
}

std::vector<KeyEdge> IambicKeyer::Advance(double nowMs) {
    std::vector<KeyEdge> edges;
    Run(nowMs, edges);
    return edges;
}

double IambicKeyer::NextEdgeMs() const {
    return state_ == State::Idle ? std::numeric_limits<double>::infinity() : stateEnd_;
}
