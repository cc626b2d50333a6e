// The iambic keyer in real time: a thread of its own runs the core keyer,
// waking at the keyer's element edges (1 ms timer resolution while it runs)
// and emitting each edge with the keyer's exact time, so element lengths do
// not depend on how late the thread woke. Paddle changes come from any thread
// (keyboard hook, serial thread) with the time they were seen.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

struct KeyerThreadState;

class KeyerThread {
public:
    // Called on the keyer thread for each edge of the keyed output.
    using EdgeSink = std::function<void(bool down, double ms)>;
    KeyerThread(bool modeB, int speedCpm, EdgeSink sink);
    // Stops the thread (bounded wait); a key held down is released.
    ~KeyerThread();
    KeyerThread(const KeyerThread&) = delete;
    KeyerThread& operator=(const KeyerThread&) = delete;
    bool failed() const;

    // New paddle state seen at `ms`.
    void Paddles(bool dot, bool dash, double ms);

private:
    std::shared_ptr<KeyerThreadState> state_;
    HANDLE thread_ = nullptr;
};
