#include "transmission/win/SideTone.h"

#include "sound/MorseStream.h"
#include "transmission/SideToneWave.h"

// WIN32_LEAN_AND_MEAN leaves out the wave format types DirectSound needs.
#include <mmsystem.h>
#include <dsound.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr DWORD kBufferMs = 250;    // the looping buffer
constexpr DWORD kAheadMs = 80;      // rendered ahead of the write cursor
constexpr DWORD kWakeMs = 2;        // longest sleep of the writer
constexpr DWORD kOpenWaitMs = 2000; // construction gives up on the device after this
constexpr DWORD kStopWaitMs = 1000; // see ~SideTone

void Report(const char* call, HRESULT hr) {
    char text[128];
    std::snprintf(text, sizeof text, "SideTone: %s failed, 0x%08lX\n", call, static_cast<unsigned long>(hr));
    OutputDebugStringA(text);
}

bool IsSet(HANDLE event) {
    return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

} // namespace

// What the writer thread and the owner share; it lives until both let go.
struct SideToneState {
    SideToneState(HWND w, const SideToneSettings& s) : window(w), settings(s) {
        wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        quit = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        failed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    ~SideToneState() {
        for (HANDLE e : {wake, quit, ready, failed})
            if (e)
                CloseHandle(e);
    }
    bool EventsCreated() const { return wake && quit && ready && failed; }

    const HWND window;
    const SideToneSettings settings;
    HANDLE wake = nullptr, quit = nullptr, ready = nullptr, failed = nullptr;
    std::atomic<bool> down{false};
};

namespace {

class ToneOutput {
public:
    explicit ToneOutput(SideToneState& s)
        : s_(s), rate_(s.settings.sampleRate > 0 ? s.settings.sampleRate : 22050),
          bufferSamples_(static_cast<uint32_t>(rate_) * kBufferMs / 1000),
          aheadSamples_(static_cast<uint32_t>(rate_) * kAheadMs / 1000),
          wave_(rate_, s.settings.frequency, s.settings.toneShape,
                static_cast<int>(s.settings.unitMs * rate_ / 1000)),
          scratch_(bufferSamples_) {}
    ~ToneOutput() {
        if (buffer_) {
            buffer_->Stop();
            buffer_->Release();
        }
        if (device_)
            device_->Release();
    }
    bool Open();
    void Run();

private:
    bool Write(uint64_t from, uint64_t to);
    bool Cursors(uint64_t& play, uint64_t& write);

    SideToneState& s_;
    const int rate_;
    const uint32_t bufferSamples_;
    const uint32_t aheadSamples_;
    SideToneWave wave_;
    std::vector<int16_t> scratch_;
    IDirectSound* device_ = nullptr;
    IDirectSoundBuffer* buffer_ = nullptr;
    uint32_t lastPlay_ = 0;
    uint64_t playStream_ = 0;
    LARGE_INTEGER lastRead_ = {};
};

bool ToneOutput::Open() {
    HRESULT hr = DirectSoundCreate(&DSDEVID_DefaultPlayback, &device_, nullptr);
    if (FAILED(hr)) {
        Report("DirectSoundCreate", hr);
        return false;
    }
    device_->SetCooperativeLevel(s_.window, DSSCL_NORMAL); // fails without a window; harmless
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = static_cast<DWORD>(rate_);
    format.nAvgBytesPerSec = static_cast<DWORD>(rate_) * 2;
    format.nBlockAlign = 2;
    format.wBitsPerSample = 16;
    DSBUFFERDESC desc = {};
    desc.dwSize = sizeof desc;
    // GETCURRENTPOSITION2: the write cursor the writer renders from must be
    // the accurate one. GLOBALFOCUS: the tone goes on when a message box of
    // the program takes the focus.
    desc.dwFlags = DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS | DSBCAPS_CTRLVOLUME |
                   (s_.settings.soundType ? DSBCAPS_LOCSOFTWARE : 0);
    desc.dwBufferBytes = bufferSamples_ * 2;
    desc.lpwfxFormat = &format;
    hr = device_->CreateSoundBuffer(&desc, &buffer_, nullptr);
    if (FAILED(hr)) {
        Report("CreateSoundBuffer", hr);
        return false;
    }
    const int volume = s_.settings.volume < 0 ? 0 : s_.settings.volume > 100 ? 100 : s_.settings.volume;
    buffer_->SetVolume((volume - 100) * 100);
    // Silence in the whole buffer, then the loop runs for as long as the
    // session does: starting and stopping it per press would add the
    // device's start-up time to every press.
    if (!Write(0, bufferSamples_))
        return false;
    hr = buffer_->Play(0, 0, DSBPLAY_LOOPING);
    if (FAILED(hr)) {
        Report("Play", hr);
        return false;
    }
    return true;
}

// Stream positions of the play and write cursors: the buffer's offsets with
// the laps the play cursor has made counted on. A writer kept away for more
// than a lap (a stalled machine) counts the laps it missed from the time
// that passed, so the edges still go where the cursor is.
bool ToneOutput::Cursors(uint64_t& play, uint64_t& write) {
    DWORD p = 0, w = 0;
    const HRESULT hr = buffer_->GetCurrentPosition(&p, &w);
    if (FAILED(hr)) {
        Report("GetCurrentPosition", hr);
        return false;
    }
    const uint32_t ps = p / 2 % bufferSamples_, ws = w / 2 % bufferSamples_;
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    uint64_t advance = (ps + bufferSamples_ - lastPlay_) % bufferSamples_;
    if (lastRead_.QuadPart != 0) {
        const double elapsed = static_cast<double>(now.QuadPart - lastRead_.QuadPart) * rate_ /
                               static_cast<double>(frequency.QuadPart);
        const double missed = std::floor((elapsed - static_cast<double>(advance)) / bufferSamples_ + 0.5);
        if (missed > 0)
            advance += static_cast<uint64_t>(missed) * bufferSamples_;
    }
    lastRead_ = now;
    lastPlay_ = ps;
    playStream_ += advance;
    play = playStream_;
    write = play + (ws + bufferSamples_ - ps) % bufferSamples_;
    return true;
}

bool ToneOutput::Write(uint64_t from, uint64_t to) {
    if (to <= from)
        return true;
    const uint32_t n = static_cast<uint32_t>(to - from < bufferSamples_ ? to - from : bufferSamples_);
    wave_.Render(from, n, scratch_.data());
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    HRESULT hr = buffer_->Lock(static_cast<DWORD>(from % bufferSamples_) * 2, n * 2, &p1, &n1, &p2, &n2, 0);
    if (hr == DSERR_BUFFERLOST) {
        buffer_->Restore();
        hr = buffer_->Lock(static_cast<DWORD>(from % bufferSamples_) * 2, n * 2, &p1, &n1, &p2, &n2, 0);
    }
    if (FAILED(hr)) {
        Report("Lock", hr);
        return false;
    }
    memcpy(p1, scratch_.data(), n1);
    if (p2)
        memcpy(p2, reinterpret_cast<const char*>(scratch_.data()) + n1, n2);
    buffer_->Unlock(p1, n1, p2, n2);
    return true;
}

void ToneOutput::Run() {
    uint64_t written = 0; // stream position up to which the buffer holds the wave
    bool first = true;
    for (;;) {
        uint64_t play = 0, write = 0;
        if (!Cursors(play, write))
            return;
        if (first) {
            written = write; // the silence of Open stands before it
            first = false;
        }
        uint64_t from = written > write ? written : write;
        const bool down = s_.down.load();
        // A new edge goes where the device can still take it, the write
        // cursor; what was rendered after it is rendered again.
        if (down != wave_.IsDown() && wave_.Edge(write, down))
            from = write;
        wave_.Forget(play);
        const uint64_t to = write + aheadSamples_;
        if (!Write(from, to))
            return;
        if (to > written)
            written = to;
        const HANDLE events[] = {s_.quit, s_.wake};
        if (WaitForMultipleObjects(2, events, FALSE, kWakeMs) == WAIT_OBJECT_0)
            return;
    }
}

DWORD WINAPI WriterThread(void* parameter) {
    std::shared_ptr<SideToneState> state(std::move(*static_cast<std::shared_ptr<SideToneState>*>(parameter)));
    delete static_cast<std::shared_ptr<SideToneState>*>(parameter);
    // 1 ms timer resolution while the tone runs: the writer's short waits
    // decide how soon an edge is heard.
    timeBeginPeriod(1);
    {
        ToneOutput output(*state);
        if (!output.Open()) {
            SetEvent(state->failed);
        } else {
            SetEvent(state->ready);
            output.Run();
            if (!IsSet(state->quit))
                SetEvent(state->failed);
        }
    }
    timeEndPeriod(1);
    return 0;
}

} // namespace

SideTone::SideTone(HWND window, const SideToneSettings& settings)
    : state_(std::make_shared<SideToneState>(window, settings)) {
    if (!state_->EventsCreated()) {
        Report("CreateEvent", HRESULT_FROM_WIN32(GetLastError()));
        return;
    }
    auto* parameter = new std::shared_ptr<SideToneState>(state_);
    thread_ = CreateThread(nullptr, 0, WriterThread, parameter, CREATE_SUSPENDED, nullptr);
    if (!thread_) {
        delete parameter;
        Report("CreateThread", HRESULT_FROM_WIN32(GetLastError()));
        SetEvent(state_->failed);
        return;
    }
    SetThreadPriority(thread_, THREAD_PRIORITY_TIME_CRITICAL);
    ResumeThread(thread_);
    const HANDLE events[] = {state_->ready, state_->failed};
    if (WaitForMultipleObjects(2, events, FALSE, kOpenWaitMs) == WAIT_TIMEOUT) {
        Report("opening the output (timed out)", E_FAIL);
        SetEvent(state_->quit);
        SetEvent(state_->failed);
    }
}

SideTone::~SideTone() {
    if (!state_->EventsCreated())
        return;
    SetEvent(state_->quit);
    if (thread_) {
        // The writer answers within one short wait; one stuck in the driver
        // keeps its own reference to the state, so nothing it touches is freed.
        WaitForSingleObject(thread_, kStopWaitMs);
        CloseHandle(thread_);
    }
}

bool SideTone::failed() const {
    return !state_->failed || IsSet(state_->failed);
}

void SideTone::KeyDown() {
    if (state_->wake) {
        state_->down.store(true);
        SetEvent(state_->wake);
    }
}

void SideTone::KeyUp() {
    if (state_->wake) {
        state_->down.store(false);
        SetEvent(state_->wake);
    }
}
