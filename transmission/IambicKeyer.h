// An iambic keyer as a pure state machine: paddle changes with their times
// go in, key down and up edges with their times come out. It owns no thread
// and no clock, so the keying thread drives it with the real clock and the
// tests with made-up times.
//
// Behaviour (both modes): a paddle held alone repeats its element; both
// held alternate dot and dash; each element is followed by one unit of
// silence, and the next element is chosen when that silence ends: the
// opposite element if its paddle is held or remembered, else the same one if
// its paddle is held or remembered, else the keyer goes idle. Memory: a
// paddle pressed (a new press) at any time during an element or the
// silence after it is remembered even if released before the choice.
// Mode B also remembers the opposite paddle merely held at any moment of
// the element, so a squeeze released during an element adds the opposite
// element; mode A does not (releasing both stops after the element).
// From idle, a press starts its element at once (a dot when both go down
// together). The unit may change at any time; it applies from the next
// silence or element on.
#pragma once

#include <vector>

enum class IambicMode { A, B };

struct KeyEdge {
    double timeMs = 0;
    bool down = false;
};

class IambicKeyer {
public:
    IambicKeyer(IambicMode mode, double unitMs);

    void SetMode(IambicMode mode) { mode_ = mode; }
    IambicMode Mode() const { return mode_; }
    void SetUnitMs(double unitMs);
    double UnitMs() const { return unit_; }

    // The paddles' state from `nowMs` on. Calls must come in time order.
    // Returns the edges due up to and including nowMs (those of scheduled
    // changes before nowMs, then one at nowMs when the press starts an
    // element from idle).
    std::vector<KeyEdge> Paddles(bool dot, bool dash, double nowMs);
    // The edges due up to and including nowMs.
    std::vector<KeyEdge> Advance(double nowMs);
    // When Advance must next be called (the next edge, or the end of the
    // silence after an element, where the next element is chosen); infinity
    // while idle.
    double NextEdgeMs() const;
    // Whether the key is down now (after the last call).
    bool KeyDown() const { return state_ == State::Element; }

private:
    enum class State { Idle, Element, Space };
    enum Paddle { Dot = 0, Dash = 1 };
    void Start(int element, double atMs, std::vector<KeyEdge>& edges);
    void Run(double untilMs, std::vector<KeyEdge>& edges);

    IambicMode mode_;
    double unit_;
    State state_ = State::Idle;
    int element_ = Dot;   // the element being sent or just sent
    double stateEnd_ = 0; // when the element or its silence ends
    bool held_[2] = {false, false};
    bool memory_[2] = {false, false};
};
