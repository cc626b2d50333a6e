#include "sound/win/MorsePlayer.h"

#include "app/Platform.h"
#include "sound/MorseStream.h"

// WIN32_LEAN_AND_MEAN leaves out the wave format types DirectSound needs.
#include <mmsystem.h>
#include <dsound.h>

#include <atomic>
#include <cstdio>

namespace {

std::atomic<const MorsePlayerProbe*> g_probe{nullptr};

// Flags of the two buffer schemes. Scheme 0: position notifications and
// volume on a buffer wherever the driver puts it; scheme 1 forces a software
// buffer with pan and frequency control, which some cards need.
constexpr DWORD kFlagsType0 =
    DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_STICKYFOCUS | DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_CTRLVOLUME;
constexpr DWORD kFlagsType1 = kFlagsType0 | DSBCAPS_LOCSOFTWARE | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY;
static_assert(kFlagsType0 == 0x14180 && kFlagsType1 == 0x141E8, "DirectSound buffer flags");

constexpr DWORD kThreadWaitMs = 100;  // longest block of the playback thread
constexpr DWORD kPauseWaitMs = 400;   // pause(true) waits this long for the thread
constexpr DWORD kCreateWaitMs = 5000; // creation gives up on the thread after this
constexpr DWORD kCreateStepMs = 200;
constexpr DWORD kDestroyWaitMs = 1000; // see ~MorsePlayer
constexpr int kEndCountdown = 4;

bool IsSet(HANDLE event) {
    return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

void Report(const char* call, HRESULT hr) {
    char text[128];
    std::snprintf(text, sizeof text, "MorsePlayer: %s failed, 0x%08lX\n", call,
                  static_cast<unsigned long>(hr));
    OutputDebugStringA(text);
}

template <class T> void Release(T*& p) {
    if (p) {
        p->Release();
        p = nullptr;
    }
}

} // namespace

// Everything the playback thread touches. The player and the thread share it,
// so it lives until both have let go of it, whatever the order.
struct MorsePlayerState {
    MorsePlayerState(HWND w, int rate, int vol, int type, int shape, const MorsePlayerProbe* p)
        : window(w), sampleRate(rate), volume(vol), soundType(type), probe(p), stream(rate, shape) {
        for (HANDLE* e : {&play, &paused, &quit, &exited, &failed})
            *e = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    ~MorsePlayerState() {
        for (HANDLE e : {play, paused, quit, exited, failed})
            if (e)
                CloseHandle(e);
    }
    bool EventsCreated() const { return play && paused && quit && exited && failed; }

    const HWND window;
    const int sampleRate;
    const int volume;
    const int soundType;
    const MorsePlayerProbe* const probe;
    HANDLE play = nullptr, paused = nullptr, quit = nullptr, exited = nullptr, failed = nullptr;

    std::atomic<uint32_t> playPosition{0};
    std::atomic<int64_t> tickAtStart{-1};
    std::atomic<int> phase{3}; // 3..1 segments to pre-fill, 0 begin output, -1 running, -2 quit while idle
    std::atomic<int> endCountdown{-1};
    MorseStream stream;
};

namespace {

// The DirectSound objects of one playback thread.
class Output {
public:
    explicit Output(MorsePlayerState& s)
        : s_(s), sampleBytes_(static_cast<uint32_t>(s.stream.BytesPerSample())),
          segment_(MorseSegmentBytes(s.sampleRate)), segmentBytes_(segment_ * sampleBytes_),
          bufferBytes_(MorseBufferBytes(s.sampleRate) * sampleBytes_) {}
    ~Output() {
        Release(buffer_);
        Release(device_);
        for (DWORD i = 0; i < eventCount_; ++i)
            CloseHandle(events_[i]);
    }

    bool Open();
    void Run();

private:
    struct Region {
        void* p1 = nullptr;
        void* p2 = nullptr;
        DWORD n1 = 0, n2 = 0;
    };
    bool Lock(DWORD offset, DWORD bytes, Region& r, const char* what);
    bool ClearBuffer();
    bool BeginOutput();
    bool Rewind();
    bool FillNext(uint32_t cursor);
    bool FillRegion(void* p, DWORD bytes) {
        if (sampleBytes_ == 2)
            return s_.stream.Fill(static_cast<int16_t*>(p), bytes / 2);
        return s_.stream.Fill(static_cast<uint8_t*>(p), bytes);
    }
    bool CatchUp(bool notified, DWORD signalled, uint32_t& filled);
    void CountDown(uint32_t segments);
    void Fail();

    MorsePlayerState& s_;
    // Stream offsets and segments count samples; the buffer counts bytes
    // (two per sample for the shaped sine).
    const uint32_t sampleBytes_;
    const uint32_t segment_;
    const uint32_t segmentBytes_;
    const uint32_t bufferBytes_;
    IDirectSound* device_ = nullptr;
    IDirectSoundBuffer* buffer_ = nullptr;
    HANDLE events_[MorseSegmentsPerBuffer] = {};
    DWORD eventCount_ = 0;
};

bool Output::Open() {
    HRESULT hr = DirectSoundCreate(&DSDEVID_DefaultPlayback, &device_, nullptr);
    if (FAILED(hr)) {
        Report("DirectSoundCreate", hr);
        return false;
    }
    // Without a window (tools, tests) this fails; DirectSound then keeps its
    // default level, which is the one asked for.
    device_->SetCooperativeLevel(s_.window, DSSCL_NORMAL);

    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = static_cast<DWORD>(s_.sampleRate);
    format.nAvgBytesPerSec = static_cast<DWORD>(s_.sampleRate) * sampleBytes_;
    format.nBlockAlign = static_cast<WORD>(sampleBytes_);
    format.wBitsPerSample = static_cast<WORD>(8 * sampleBytes_);
    // The description that carries guid3DAlgorithm (left zero).
    DSBUFFERDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = s_.soundType ? kFlagsType1 : kFlagsType0;
    desc.dwBufferBytes = bufferBytes_;
    desc.lpwfxFormat = &format;
    hr = device_->CreateSoundBuffer(&desc, &buffer_, nullptr);
    if (FAILED(hr)) {
        Report("CreateSoundBuffer", hr);
        return false;
    }

    IDirectSoundNotify* notify = nullptr;
    hr = buffer_->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<void**>(&notify));
    if (FAILED(hr)) {
        Report("QueryInterface(IDirectSoundNotify)", hr);
        return false;
    }
    // Scheme 0 wakes on one event for every segment end and reads the cursor;
    // scheme 1 has an event per segment and so knows the segment directly.
    eventCount_ = s_.soundType ? MorseSegmentsPerBuffer : 1;
    for (DWORD i = 0; i < eventCount_; ++i) {
        events_[i] = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        if (!events_[i]) {
            eventCount_ = i;
            Release(notify);
            Report("CreateEvent", HRESULT_FROM_WIN32(GetLastError()));
            return false;
        }
    }
    DSBPOSITIONNOTIFY positions[MorseSegmentsPerBuffer];
    for (DWORD i = 0; i < MorseSegmentsPerBuffer; ++i) {
        positions[i].dwOffset = segmentBytes_ * (i + 1) - 1;
        positions[i].hEventNotify = events_[s_.soundType ? i : 0];
    }
    hr = notify->SetNotificationPositions(MorseSegmentsPerBuffer, positions);
    Release(notify);
    if (FAILED(hr)) {
        Report("SetNotificationPositions", hr);
        return false;
    }

    int volume = s_.volume < 0 ? 0 : s_.volume > 100 ? 100 : s_.volume;
    buffer_->SetVolume((volume - 100) * 100);
    s_.phase.store(3);
    s_.tickAtStart.store(-1);
    return true;
}

bool Output::Lock(DWORD offset, DWORD bytes, Region& r, const char* what) {
    // A lost buffer (another program took the card over) gets one Restore;
    // a buffer that still cannot be locked has failed.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const HRESULT hr = s_.probe && s_.probe->failLock && s_.probe->failLock()
                               ? DSERR_BUFFERLOST
                               : buffer_->Lock(offset, bytes, &r.p1, &r.n1, &r.p2, &r.n2, 0);
        if (SUCCEEDED(hr))
            return true;
        Report(what, hr);
        if (attempt == 0) {
            buffer_->Restore();
            if (s_.probe && s_.probe->restored)
                s_.probe->restored();
        }
    }
    return false;
}

bool Output::ClearBuffer() {
    Region r;
    if (!Lock(0, bufferBytes_, r, "Lock (whole buffer)"))
        return false;
    const int silence = sampleBytes_ == 1 ? MorseSilence : 0;
    memset(r.p1, silence, r.n1);
    if (r.p2)
        memset(r.p2, silence, r.n2);
    buffer_->Unlock(r.p1, r.n1, r.p2, r.n2);
    return true;
}

// False when the buffer would not play: a player that is not heard must not
// go on reporting that it plays.
bool Output::BeginOutput() {
    // Notifications left from before a pause or from the previous text say
    // nothing about the cursor now.
    for (DWORD i = 0; i < eventCount_; ++i)
        WaitForSingleObject(events_[i], 0);
    const HRESULT hr = s_.probe && s_.probe->failPlay && s_.probe->failPlay()
                           ? DSERR_BUFFERLOST
                           : buffer_->Play(0, 0, DSBPLAY_LOOPING);
    if (FAILED(hr)) {
        Report("Play", hr);
        return false;
    }
    s_.tickAtStart.store(TickCount());
    ResetEvent(s_.paused);
    return true;
}

// A new text: pre-filling starts at segment 0, so the cursor must be there.
bool Output::Rewind() {
    const HRESULT hr = s_.probe && s_.probe->failSetPosition && s_.probe->failSetPosition()
                           ? DSERR_BUFFERLOST
                           : buffer_->SetCurrentPosition(0);
    if (FAILED(hr)) {
        Report("SetCurrentPosition", hr);
        return false;
    }
    return ClearBuffer();
}

// Fills the segment that follows in stream order. Nothing is generated into
// memory that is not locked: false when the buffer could not be locked.
bool Output::FillNext(uint32_t cursor) {
    const uint32_t written = s_.stream.BytesWritten();
    const uint32_t index = written / segment_ % MorseSegmentsPerBuffer;
    Region r;
    if (!Lock(index * segmentBytes_, segmentBytes_, r, "Lock (segment)"))
        return false;
    bool complete = FillRegion(r.p1, r.n1);
    if (r.p2 && r.n2)
        complete = FillRegion(r.p2, r.n2);
    if (s_.probe && s_.probe->filled)
        s_.probe->filled(index, written, cursor, r.p1, r.n1);
    buffer_->Unlock(r.p1, r.n1, r.p2, r.n2);
    if (complete && s_.endCountdown.load() < 0)
        s_.endCountdown.store(kEndCountdown);
    return true;
}

// After a wake-up of running output: fills every segment the play cursor has
// passed since the last fill, however many notifications one late wake-up
// stands for. Counts the segments filled; false when the buffer failed.
bool Output::CatchUp(bool notified, DWORD signalled, uint32_t& filled) {
    const uint32_t written = s_.stream.BytesWritten();
    uint32_t cursorSegment;
    uint32_t cursor;
    if (s_.soundType) {
        if (!notified)
            return true;
        // Each pending event is a segment end passed; the one farthest along
        // says where the cursor is.
        cursorSegment = (signalled + 1) % MorseSegmentsPerBuffer;
        for (DWORD i = 0; i < eventCount_; ++i) {
            const uint32_t segment = (i + 1) % MorseSegmentsPerBuffer;
            if (i != signalled && IsSet(events_[i]) &&
                MorseSegmentsDue(written, segment, s_.sampleRate) >
                    MorseSegmentsDue(written, cursorSegment, s_.sampleRate))
                cursorSegment = segment;
        }
        cursor = cursorSegment * segment_;
    } else {
        DWORD play = 0, writeCursor = 0;
        if (SUCCEEDED(buffer_->GetCurrentPosition(&play, &writeCursor))) {
            cursor = play % bufferBytes_ / sampleBytes_;
            // A notification comes at the last byte of a segment: that
            // segment counts as passed.
            cursorSegment = (cursor + 1) / segment_ % MorseSegmentsPerBuffer;
        } else {
            if (!notified)
                return true;
            // No cursor: take the notification as one segment passed.
            cursorSegment = (written / segment_ + MorseSegmentsPerBuffer - 2) % MorseSegmentsPerBuffer;
            cursor = cursorSegment * segment_;
        }
    }
    const uint32_t due = MorseSegmentsDue(written, cursorSegment, s_.sampleRate);
    for (filled = 0; filled < due; ++filled)
        if (!FillNext(cursor))
            return false;
    const uint32_t position = MorsePlayPosition(s_.stream.BytesWritten(), cursor, s_.sampleRate);
    if (position > s_.playPosition.load())
        s_.playPosition.store(position);
    return true;
}

// Counts the end down by the segments the cursor has passed (one per
// wake-up without a notification, so output ends even if they stop coming);
// at zero output stops at the next pass.
void Output::CountDown(uint32_t segments) {
    for (; segments > 0; --segments) {
        const int countdown = s_.endCountdown.load();
        if (countdown <= 0)
            return;
        if (countdown == 1) {
            ResetEvent(s_.play);
            s_.endCountdown.store(-1);
        } else {
            s_.endCountdown.store(countdown - 1);
        }
    }
}

void Output::Run() {
    for (;;) {
        if (!IsSet(s_.play)) {
            if (s_.phase.load() < 0)
                buffer_->Stop();
            SetEvent(s_.paused);
            for (;;) {
                if (WaitForSingleObject(s_.play, kThreadWaitMs) == WAIT_OBJECT_0) {
                    if (s_.phase.load() < 0) {
                        if (!BeginOutput()) // resume where the buffer stopped
                            return Fail();
                    } else {
                        if (!Rewind())
                            return Fail();
                        ResetEvent(s_.paused);
                    }
                    break;
                }
                if (IsSet(s_.quit)) {
                    s_.phase.store(-2);
                    break;
                }
                // pause(false) clears "paused"; should play have been taken
                // back before this thread saw it, it is still idle. Play set
                // in between: this thread takes it up at its next wait.
                if (!IsSet(s_.play)) {
                    SetEvent(s_.paused);
                    if (IsSet(s_.play))
                        ResetEvent(s_.paused);
                }
            }
        }
        if (s_.phase.load() == 0) {
            if (!BeginOutput())
                return Fail();
            s_.phase.store(-1);
        }
        if (IsSet(s_.quit))
            break;
        if (s_.phase.load() > 0) {
            if (!FillNext(0))
                return Fail();
            s_.phase.fetch_sub(1);
            continue;
        }
        const DWORD r = WaitForMultipleObjects(eventCount_, events_, FALSE, kThreadWaitMs);
        const bool notified = r < WAIT_OBJECT_0 + eventCount_;
        if (s_.probe && s_.probe->afterWake)
            s_.probe->afterWake();
        uint32_t filled = 0;
        if (!CatchUp(notified, notified ? r - WAIT_OBJECT_0 : 0, filled))
            return Fail();
        CountDown(filled ? filled : notified ? 0 : 1);
    }
    if (s_.phase.load() != -2)
        buffer_->Stop();
}

void Output::Fail() {
    buffer_->Stop();
    SetEvent(s_.failed);
}

DWORD WINAPI PlaybackThread(void* parameter) {
    // The thread's own reference: the state outlives the player if need be.
    std::shared_ptr<MorsePlayerState> state(
        std::move(*static_cast<std::shared_ptr<MorsePlayerState>*>(parameter)));
    delete static_cast<std::shared_ptr<MorsePlayerState>*>(parameter);
    {
        Output output(*state);
        if (!output.Open()) {
            SetEvent(state->failed);
            return 1;
        }
        output.Run();
    } // buffer and device released, notification events closed
    SetEvent(state->exited);
    return 0;
}

} // namespace

void SetMorsePlayerProbe(const MorsePlayerProbe* probe) {
    g_probe.store(probe);
}

MorsePlayer::MorsePlayer(HWND window, int sampleRate, int volume, int soundType, int toneShape)
    : state_(std::make_shared<MorsePlayerState>(window, sampleRate, volume, soundType ? 1 : 0, toneShape,
                                                g_probe.load())) {
    if (!state_->EventsCreated()) {
        Report("CreateEvent", HRESULT_FROM_WIN32(GetLastError()));
        if (state_->failed)
            SetEvent(state_->failed);
        return;
    }
    auto* parameter = new std::shared_ptr<MorsePlayerState>(state_);
    thread_ = CreateThread(nullptr, 0, PlaybackThread, parameter, CREATE_SUSPENDED, nullptr);
    if (!thread_) {
        delete parameter;
        Report("CreateThread", HRESULT_FROM_WIN32(GetLastError()));
        SetEvent(state_->failed);
        return;
    }
    // The writer must keep its two-segment lead while the machine is busy.
    SetThreadPriority(thread_, THREAD_PRIORITY_HIGHEST);
    ResumeThread(thread_);

    // The thread reports ready by going idle (paused set; play is not set yet).
    const HANDLE ready[] = {state_->paused, state_->failed, state_->quit};
    const DWORD begin = GetTickCount();
    while (WaitForMultipleObjects(3, ready, FALSE, kCreateStepMs) == WAIT_TIMEOUT) {
        if (GetTickCount() - begin >= kCreateWaitMs) {
            SetEvent(state_->quit);
            SetEvent(state_->failed);
            break;
        }
    }
}

MorsePlayer::~MorsePlayer() {
    if (!state_->EventsCreated())
        return;
    SetEvent(state_->quit);
    if (thread_) {
        // The thread answers quit within one 100 ms wait, so this normally
        // returns with the sound stopped and the device released. A thread
        // stuck inside the sound driver keeps its own reference to the state,
        // so nothing it may still touch is freed here.
        WaitForSingleObject(thread_, kDestroyWaitMs);
        CloseHandle(thread_);
    }
}

bool MorsePlayer::failed() const {
    return !state_->failed || IsSet(state_->failed);
}

void MorsePlayer::start(const std::string& text, int unit, int delaySeconds, int frequency, int markA,
                        int markB, int space, int effectiveUnit) {
    if (!Idle())
        return;
    state_->stream.Load(text, unit, delaySeconds, frequency, markA, markB, space, effectiveUnit);
    Rewind();
}

void MorsePlayer::startRecorded(const RecordedSound& sound) {
    if (!Idle())
        return;
    state_->stream.LoadRecorded(sound.text, sound.samples, sound.starts);
    Rewind();
}

bool MorsePlayer::Idle() {
    if (!state_->EventsCreated())
        return false;
    pause(true);
    if (IsSet(state_->failed))
        return false;
    // The text state belongs to the thread while it runs: change it only once
    // the thread has reported idle. A thread still busy is stuck (in the
    // sound driver, say): the player gives up as creation does, and the
    // thread stops the sound once it gets to its next wait.
    if (!IsSet(state_->paused)) {
        Report("start (the playback thread did not go idle)", E_FAIL);
        SetEvent(state_->quit);
        SetEvent(state_->failed);
        return false;
    }
    return true;
}

void MorsePlayer::Rewind() {
    MorsePlayerState& s = *state_;
    s.endCountdown.store(-1);
    s.tickAtStart.store(-1);
    s.playPosition.store(0);
    s.phase.store(3);
}

void MorsePlayer::pause(bool paused) {
    if (!state_->EventsCreated())
        return;
    if (paused) {
        ResetEvent(state_->play);
        const HANDLE idle[] = {state_->paused, state_->failed};
        WaitForMultipleObjects(2, idle, FALSE, kPauseWaitMs);
    } else {
        // Playing from here on: a start coming in before the thread has
        // woken must not take a stale "paused" for an idle thread.
        ResetEvent(state_->paused);
        SetEvent(state_->play);
    }
}

bool MorsePlayer::isPlaying() const {
    return state_->paused && !IsSet(state_->paused) && !IsSet(state_->failed);
}

int MorsePlayer::currentCharacter() const {
    return state_->stream.CurrentCharacter(state_->playPosition.load());
}

int64_t MorsePlayer::markTimeA() const {
    return MorseMarkTime(state_->stream.MarkOffsetA(), state_->playPosition.load(),
                         state_->tickAtStart.load(), state_->sampleRate);
}

int64_t MorsePlayer::markTimeB() const {
    return MorseMarkTime(state_->stream.MarkOffsetB(), state_->playPosition.load(),
                         state_->tickAtStart.load(), state_->sampleRate);
}
