#include "transmission/win/KeyerThread.h"

#include "transmission/IambicKeyer.h"
#include "transmission/KeyTiming.h"
#include "transmission/KeyingSettings.h"
#include "transmission/win/KeyingClock.h"

#include <mmsystem.h> // timeBeginPeriod

#include <cmath>
#include <cstdio>
#include <mutex>

namespace {

constexpr double kIdleWaitMs = 100; // the thread looks at quit this often when idle
constexpr DWORD kStopWaitMs = 1000;

} // namespace

struct KeyerThreadState {
    KeyerThreadState(bool modeB, int speedCpm, KeyerThread::EdgeSink s)
        : keyer(modeB ? IambicMode::B : IambicMode::A, UnitMsOfSpeed(kKeyerKind, speedCpm)),
          sink(std::move(s)) {
        wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        quit = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    ~KeyerThreadState() {
        for (HANDLE e : {wake, quit})
            if (e)
                CloseHandle(e);
    }

    // Calls into the keyer must come in time order: a paddle seen on
    // another thread before the keyer thread advanced past its time counts
    // from where the keyer is.
    void Emit(const std::vector<KeyEdge>& edges) {
        for (const KeyEdge& e : edges)
            sink(e.down, e.timeMs);
    }
    void Paddles(bool dot, bool dash, double ms) {
        std::lock_guard<std::mutex> lock(mutex);
        if (ms < lastMs)
            ms = lastMs;
        lastMs = ms;
        Emit(keyer.Paddles(dot, dash, ms));
    }
    // Returns the milliseconds until the next edge is due.
    double Advance() {
        std::lock_guard<std::mutex> lock(mutex);
        double now = KeyingClockMs();
        if (now < lastMs)
            now = lastMs;
        if (keyer.NextEdgeMs() <= now) {
            lastMs = now;
            Emit(keyer.Advance(now));
        }
        return keyer.NextEdgeMs() - now;
    }
    // At the end: what was due is emitted, an element still sounding ends now.
    void Release() {
        std::lock_guard<std::mutex> lock(mutex);
        double now = KeyingClockMs();
        if (now < lastMs)
            now = lastMs;
        Emit(keyer.Advance(now));
        if (keyer.KeyDown())
            sink(false, now);
    }

    std::mutex mutex;
    IambicKeyer keyer;
    double lastMs = 0;
    const KeyerThread::EdgeSink sink;
    HANDLE wake = nullptr, quit = nullptr;
};

namespace {

DWORD WINAPI KeyerLoop(void* parameter) {
    std::shared_ptr<KeyerThreadState> state(
        std::move(*static_cast<std::shared_ptr<KeyerThreadState>*>(parameter)));
    delete static_cast<std::shared_ptr<KeyerThreadState>*>(parameter);
    timeBeginPeriod(1); // element edges need millisecond waits
    const HANDLE events[] = {state->quit, state->wake};
    for (;;) {
        const double due = state->Advance();
        const double wait = std::isfinite(due) ? (due < 1 ? 1 : std::ceil(due)) : kIdleWaitMs;
        const DWORD ms = static_cast<DWORD>(wait < kIdleWaitMs ? wait : kIdleWaitMs);
        if (WaitForMultipleObjects(2, events, FALSE, ms) == WAIT_OBJECT_0)
            break;
    }
    timeEndPeriod(1);
    return 0;
}

} // namespace

KeyerThread::KeyerThread(bool modeB, int speedCpm, EdgeSink sink)
    : state_(std::make_shared<KeyerThreadState>(modeB, speedCpm, std::move(sink))) {
    if (!state_->wake || !state_->quit)
        return;
    auto* parameter = new std::shared_ptr<KeyerThreadState>(state_);
    thread_ = CreateThread(nullptr, 0, KeyerLoop, parameter, CREATE_SUSPENDED, nullptr);
    if (!thread_) {
        delete parameter;
        return;
    }
    // Late wake-ups do not change element lengths (edges carry the keyer's
    // times) but delay the side tone.
    SetThreadPriority(thread_, THREAD_PRIORITY_TIME_CRITICAL);
    ResumeThread(thread_);
}

KeyerThread::~KeyerThread() {
    if (thread_) {
        SetEvent(state_->quit);
        WaitForSingleObject(thread_, kStopWaitMs);
        CloseHandle(thread_);
    }
    state_->Release();
}

bool KeyerThread::failed() const {
    return !thread_;
}

void KeyerThread::Paddles(bool dot, bool dash, double ms) {
    if (!thread_)
        return;
    state_->Paddles(dot, dash, ms);
    SetEvent(state_->wake); // the next edge may now come sooner
}
