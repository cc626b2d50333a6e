// The DirectSound player under Wine. Without a sound device only the failure
// path and the life cycle can be checked; tests/e2e/player.e2e.sh runs the
// device tests with ALSA's file plugin as the sound card
// (KLAVIRO_SOUND=capture) and with no card at all (KLAVIRO_SOUND=none), and
// looks at what was played. KLAVIRO_PLAYER_LOG names a file for the figures
// the script needs.
#include "sound/MorsePlayerApi.h"
#include "sound/MorseStream.h"
#include "sound/MorseTable.h"
#include "sound/win/MorsePlayer.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace {

const char kTestText[] = "V V V   =   H E L L O   W O R L D   AR";

std::string SoundMode() {
    const char* mode = std::getenv("KLAVIRO_SOUND");
    return mode ? mode : "";
}

#define REQUIRE_SOUND(mode)                                                                                  \
    if (SoundMode() != mode)                                                                                 \
    GTEST_SKIP() << "needs KLAVIRO_SOUND=" mode " (tests/e2e/player.e2e.sh)"

void Log(const std::string& key, long long value) {
    const char* path = std::getenv("KLAVIRO_PLAYER_LOG");
    if (!path)
        return;
    if (std::FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s=%lld\n", key.c_str(), value);
        std::fclose(f);
    }
}

// Polls until the condition holds; false when it did not within `ms`.
bool WaitFor(const std::function<bool()>& condition, DWORD ms) {
    const DWORD begin = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - begin > ms)
            return false;
        Sleep(5);
    }
    return true;
}

// A failed player says so within two seconds, and from then on plays
// nothing: the heard character stays where it was.
void ExpectFailedAndSilent(const MorsePlayer& player) {
    if (!WaitFor([&] { return player.failed(); }, 2000)) {
        ADD_FAILURE() << "the player did not fail";
        return;
    }
    EXPECT_FALSE(player.isPlaying());
    const int heard = player.currentCharacter();
    Sleep(300);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(player.currentCharacter(), heard) << "nothing plays on";
}

DWORD HandleCount() {
    DWORD n = 0;
    GetProcessHandleCount(GetCurrentProcess(), &n);
    return n;
}

int ThreadCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int n = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL ok = Thread32First(snapshot, &entry); ok; ok = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++n;
    CloseHandle(snapshot);
    return n;
}

class MorsePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = CreateWindowA("STATIC", "player test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }
    // A player made while `probe` is set; it keeps the probe for its life.
    std::unique_ptr<MorsePlayer> MakeProbed(MorsePlayerProbe& probe, int rate, int soundType,
                                            int shape = MorseToneSquare) {
        SetMorsePlayerProbe(&probe);
        auto player = std::make_unique<MorsePlayer>(window_, rate, 100, soundType, shape);
        SetMorsePlayerProbe(nullptr);
        return player;
    }
    HWND window_ = nullptr;
};

class ScriptedPlayer : public IMorsePlayer {
public:
    bool failed() const override { return false; }
    void start(const std::string& text, int, int, int, int, int, int, int) override { text_ = text; }
    void startRecorded(const RecordedSound& sound) override { text_ = sound.text; }
    void pause(bool) override {}
    bool isPlaying() const override { return false; }
    int currentCharacter() const override { return static_cast<int>(text_.size()); }
    int64_t markTimeA() const override { return 7; }
    int64_t markTimeB() const override { return 8; }
    std::string text_;
};

} // namespace

TEST_F(MorsePlayerTest, FactoryCanBeReplacedAndRestored) {
    int created = 0;
    SetMorsePlayerFactory(
        [&](void* window, int rate, int volume, int type, int shape) -> std::unique_ptr<IMorsePlayer> {
            EXPECT_EQ(window, window_);
            EXPECT_EQ(rate, 22050);
            EXPECT_EQ(volume, 40);
            EXPECT_EQ(type, 1);
            EXPECT_EQ(shape, MorseToneSine);
            ++created;
            return std::make_unique<ScriptedPlayer>();
        });
    auto scripted = CreateMorsePlayer(window_, 22050, 40, 1, MorseToneSine);
    EXPECT_EQ(created, 1);
    ASSERT_NE(dynamic_cast<ScriptedPlayer*>(scripted.get()), nullptr);
    scripted->start("E E", 1, 0, 850, 0, 0, -1);
    EXPECT_EQ(scripted->currentCharacter(), 3);

    SetMorsePlayerFactory(nullptr);
    auto real = CreateMorsePlayer(window_, 44100, 85, 0);
    EXPECT_EQ(created, 1);
    EXPECT_NE(dynamic_cast<MorsePlayer*>(real.get()), nullptr);
}

// Whatever the sound card does, players come and go without leaving threads
// or handles behind, and destroy does not return before the thread has ended.
TEST_F(MorsePlayerTest, TwoHundredCreateDestroyCyclesLeakNothing) {
    const int unit = unitSamples(TextLetters, 600, 44100);
    { MorsePlayer warmUp(window_, 44100, 85, 0); } // the sound system's own lasting objects
    const DWORD handles = HandleCount();
    const int threads = ThreadCount();
    int working = 0;
    for (int i = 0; i < 200; ++i) {
        MorsePlayer player(window_, i % 3 ? 44100 : 11025, 85, i % 2);
        if (player.failed())
            continue;
        ++working;
        if (i % 4 == 0) {
            player.start("E", unit, 0, 850, 0, 1, -1);
            player.pause(false);
        }
    }
    Log("cycles_working", working);
    if (SoundMode() == "capture") {
        EXPECT_EQ(working, 200);
    } else if (SoundMode() == "none") {
        EXPECT_EQ(working, 0);
    }
    EXPECT_EQ(ThreadCount(), threads);
    EXPECT_LE(HandleCount(), handles + 2) << "handles before " << handles;
}

TEST_F(MorsePlayerTest, FailsWithoutSoundCard) {
    REQUIRE_SOUND("none");
    const DWORD begin = GetTickCount();
    auto player = std::make_unique<MorsePlayer>(window_, 44100, 85, 0);
    EXPECT_TRUE(player->failed());
    EXPECT_LT(GetTickCount() - begin, 5000u);
    // A page never starts a failed player; if one did, nothing may hang or crash.
    player->start("E", 1000, 0, 850, 0, 0, -1);
    player->pause(false);
    EXPECT_EQ(player->currentCharacter(), -1);
    EXPECT_EQ(player->markTimeA(), -1);
    const DWORD destroyBegin = GetTickCount();
    player.reset();
    EXPECT_LT(GetTickCount() - destroyBegin, 500u);
}

// The sound settings page's test, as the page runs it; the script decodes
// the capture back to the text.
TEST_F(MorsePlayerTest, PlaysTheSoundTestText) {
    REQUIRE_SOUND("capture");
    const char* typeText = std::getenv("KLAVIRO_SOUND_TYPE");
    const int soundType = typeText ? std::atoi(typeText) : 0;
    const char* speedText = std::getenv("KLAVIRO_SPEED");
    const int speed = speedText ? std::atoi(speedText) : 50;
    const char* delayText = std::getenv("KLAVIRO_DELAY");
    const int delay = delayText ? std::atoi(delayText) : 3;
    const char* shapeText = std::getenv("KLAVIRO_TONE_SHAPE");
    const int shape = shapeText ? std::atoi(shapeText) : MorseToneSquare;
    const int rate = 44100;
    const int unit = unitSamples(TextLetters, speed, rate);
    const std::string text = kTestText;
    const int length = static_cast<int>(text.size()) + 1;
    Log("unit_ms", unit * 1000 / rate);

    // What the player puts into its buffer: exactly the stream of its shape.
    std::vector<uint8_t> buffered;
    MorsePlayerProbe probe;
    probe.filled = [&](uint32_t, uint32_t, uint32_t, const void* data, uint32_t bytes) {
        buffered.insert(buffered.end(), static_cast<const uint8_t*>(data),
                        static_cast<const uint8_t*>(data) + bytes);
    };
    const auto player = MakeProbed(probe, rate, soundType, shape);
    ASSERT_FALSE(player->failed());
    player->start(text, unit, delay, 850, 0, 12, -1);
    EXPECT_FALSE(player->isPlaying()) << "output waits for pause(false)";
    EXPECT_EQ(player->currentCharacter(), -1);
    const DWORD released = GetTickCount();
    player->pause(false);
    ASSERT_TRUE(WaitFor([&] { return player->isPlaying(); }, 500));
    EXPECT_EQ(player->markTimeA(), -1) << "the start delay is still sounding";

    const DWORD textMs = static_cast<DWORD>(
        (static_cast<int64_t>(delay) * rate + textSamples(text + " ", unit, -1)) * 1000 / rate);
    int last = -1;
    bool ordered = true;
    ASSERT_TRUE(WaitFor(
        [&] {
            const int c = player->currentCharacter();
            ordered = ordered && c >= last;
            last = c;
            return !player->isPlaying();
        },
        textMs + 3000));
    EXPECT_TRUE(ordered) << "the heard character went backwards";
    const DWORD finished = GetTickCount() - released;
    Log("play_ms", finished);
    // The end countdown stops output a few wake-ups after the end was
    // written. The play cursor runs ahead of what is heard by the sound
    // system's latency, and the play position is brought up to date by
    // notifications, so a late one (a loaded machine) can leave it on the
    // appended blank.
    EXPECT_GE(finished + 250, textMs);
    EXPECT_LE(finished, textMs + 2000);
    EXPECT_GE(player->currentCharacter(), length - 1);

    MorseStream stream(rate, shape);
    stream.Load(text, unit, delay, 850, 0, 12, -1);
    std::vector<uint8_t> expected(buffered.size());
    const uint32_t samples = static_cast<uint32_t>(buffered.size()) / stream.BytesPerSample();
    if (shape == MorseToneSine)
        stream.Fill(reinterpret_cast<int16_t*>(expected.data()), samples);
    else
        stream.Fill(expected.data(), samples);
    EXPECT_TRUE(buffered == expected) << "the buffer does not hold the stream";

    const int64_t a = player->markTimeA(), b = player->markTimeB();
    ASSERT_NE(a, -1);
    ASSERT_NE(b, -1);
    // A is the first character, heard after the delay; B follows the preamble.
    EXPECT_NEAR(static_cast<double>(a - released), delay * 1000.0, 150.0);
    const int64_t preambleMs = static_cast<int64_t>(textSamples(text.substr(0, 12), unit, -1)) * 1000 / rate;
    EXPECT_NEAR(static_cast<double>(b - a), static_cast<double>(preambleMs), 2.0);
}

// Recorded samples (a sender's keying) go into the buffer as they are, in
// either shape, and the character heard follows their starts to the end.
TEST_F(MorsePlayerTest, PlaysRecordedSamplesAsTheyAre) {
    REQUIRE_SOUND("capture");
    const int rate = 22050;
    RecordedSound sound;
    sound.text = "ET";
    for (int k = 0; k < rate / 2; ++k)
        sound.samples.push_back(static_cast<int16_t>((k / 20) % 2 ? -20000 : 20000));
    sound.starts = {0, static_cast<uint32_t>(rate / 4)};
    for (int shape : {MorseToneSquare, MorseToneSine}) {
        SCOPED_TRACE(shape);
        std::vector<uint8_t> buffered;
        MorsePlayerProbe probe;
        probe.filled = [&](uint32_t, uint32_t, uint32_t, const void* data, uint32_t bytes) {
            buffered.insert(buffered.end(), static_cast<const uint8_t*>(data),
                            static_cast<const uint8_t*>(data) + bytes);
        };
        const auto player = MakeProbed(probe, rate, 0, shape);
        ASSERT_FALSE(player->failed());
        player->startRecorded(sound);
        player->pause(false);
        ASSERT_TRUE(WaitFor([&] { return player->isPlaying(); }, 500));
        ASSERT_TRUE(WaitFor([&] { return !player->isPlaying(); }, 3000));
        EXPECT_EQ(player->currentCharacter(), 2); // past the last start
        MorseStream stream(rate, shape);
        stream.LoadRecorded(sound.text, sound.samples, sound.starts);
        std::vector<uint8_t> expected(buffered.size());
        const uint32_t samples = static_cast<uint32_t>(buffered.size()) / stream.BytesPerSample();
        ASSERT_GE(samples, sound.samples.size());
        if (shape == MorseToneSine)
            stream.Fill(reinterpret_cast<int16_t*>(expected.data()), samples);
        else
            stream.Fill(expected.data(), samples);
        EXPECT_TRUE(buffered == expected) << "the buffer does not hold the samples";
    }
}

// Pause holds the text where it is; resume continues it. The script checks
// that the capture, with the pause cut out, still decodes to the text.
TEST_F(MorsePlayerTest, PauseAndResumeContinueTheText) {
    REQUIRE_SOUND("capture");
    const int rate = 22050;
    const int unit = unitSamples(TextLetters, 40, rate);
    const std::string text = "P A R I S";
    Log("unit_ms", unit * 1000 / rate);
    MorsePlayer player(window_, rate, 100, 1);
    ASSERT_FALSE(player.failed());
    player.start(text, unit, 0, 700, 4, -1, -1);
    player.pause(false);
    Sleep(2500);
    const DWORD pauseBegin = GetTickCount();
    player.pause(true);
    EXPECT_LT(GetTickCount() - pauseBegin, 400u);
    EXPECT_FALSE(player.isPlaying());
    const int heard = player.currentCharacter();
    EXPECT_GT(heard, 0);
    EXPECT_LT(heard, static_cast<int>(text.size()));
    Sleep(1000);
    EXPECT_EQ(player.currentCharacter(), heard) << "nothing is heard while paused";
    const DWORD resumed = GetTickCount();
    player.pause(false);
    Log("pause_ms", resumed - pauseBegin);
    ASSERT_TRUE(WaitFor([&] { return !player.isPlaying() && player.currentCharacter() > heard; }, 10000));
    EXPECT_GE(player.currentCharacter(), static_cast<int>(text.size()));
    // Mark times count from the moment output last resumed.
    EXPECT_GE(player.markTimeA(), static_cast<int64_t>(resumed));
}

// Destroying a player in the middle of a long tone stops the sound; the
// script measures how long the tone lasted after the destroy.
TEST_F(MorsePlayerTest, DestroyWhilePlayingStopsTheSound) {
    REQUIRE_SOUND("capture");
    const int rate = 44100;
    const int threads = ThreadCount();
    auto player = std::make_unique<MorsePlayer>(window_, rate, 100, 0);
    ASSERT_FALSE(player->failed());
    player->start("T", rate * 5, 0, 850, 0, 1, -1); // a 15-second dash
    const DWORD released = GetTickCount();
    player->pause(false);
    Sleep(1200);
    const DWORD destroyBegin = GetTickCount();
    player.reset();
    const DWORD destroyed = GetTickCount();
    Log("played_ms", destroyBegin - released);
    Log("destroy_ms", destroyed - destroyBegin);
    EXPECT_LT(destroyed - destroyBegin, 250u);
    EXPECT_EQ(ThreadCount(), threads) << "the playback thread has ended when destroy returns";
}

// A busy machine: every third wake-up of the playback thread comes later
// than the next segment end, so one wake-up stands for two notifications.
// With either buffer scheme every segment is still filled exactly once, in
// stream order; the script decodes both captures back to the text.
TEST_F(MorsePlayerTest, LateWakeUpsStillFillEverySegmentOnceInOrder) {
    REQUIRE_SOUND("capture");
    const int rate = 44100;
    const uint32_t segment = MorseSegmentBytes(rate);
    const int unit = unitSamples(TextLetters, 150, rate);
    Log("unit_ms", unit * 1000 / rate);
    for (int soundType : {0, 1}) {
        SCOPED_TRACE(soundType);
        struct Fill {
            uint32_t segment, offset, cursor;
            int wake;
        };
        std::mutex mutex;
        std::vector<Fill> fills;
        int wakes = 0;
        MorsePlayerProbe probe;
        probe.afterWake = [&] {
            int n;
            {
                std::lock_guard<std::mutex> lock(mutex);
                n = ++wakes;
            }
            if (n % 3 == 0)
                Sleep(segment * 1000 / rate * 13 / 10); // 1.3 segments: past the next notification
        };
        probe.filled = [&](uint32_t index, uint32_t offset, uint32_t cursor, const void*, uint32_t) {
            std::lock_guard<std::mutex> lock(mutex);
            fills.push_back({index, offset, cursor, wakes});
        };
        {
            const auto player = MakeProbed(probe, rate, soundType);
            ASSERT_FALSE(player->failed());
            player->start(kTestText, unit, 0, 850, 0, -1, -1);
            player->pause(false);
            const DWORD textMs =
                static_cast<DWORD>(textSamples(std::string(kTestText) + " ", unit, -1) * 1000ll / rate);
            EXPECT_TRUE(WaitFor([&] { return !player->isPlaying(); }, textMs + 3000));
            EXPECT_GE(player->currentCharacter(), static_cast<int>(sizeof kTestText) - 1);
        }
        std::lock_guard<std::mutex> lock(mutex);
        ASSERT_GT(fills.size(), 3u);
        int merged = 0, late = 0;
        for (size_t k = 0; k < fills.size(); ++k) {
            ASSERT_EQ(fills[k].offset, k * segment) << "fill " << k;
            ASSERT_EQ(fills[k].segment, k % MorseSegmentsPerBuffer) << "fill " << k;
            if (k > 0 && fills[k].wake > 0 && fills[k].wake == fills[k - 1].wake)
                ++merged;
            // Filled while the cursor was already inside: heard stale.
            if (k >= 3 && soundType == 0 && fills[k].cursor / segment == fills[k].segment)
                ++late;
        }
        EXPECT_GT(merged, 0) << "no wake-up stood for two notifications";
        Log("merged_" + std::to_string(soundType), merged);
        Log("filled_under_cursor_" + std::to_string(soundType), late);
    }
}

// A lost buffer is restored once and output goes on; a buffer that cannot
// be locked even after that makes the player report failed, and it no
// longer claims to be playing.
TEST_F(MorsePlayerTest, LostBufferIsRestoredOnceAndThenTheOutputFails) {
    REQUIRE_SOUND("capture");
    const int rate = 22050;
    const int unit = unitSamples(TextLetters, 600, rate);
    std::atomic<int> locks{0}, restores{0}, failFrom{-1};
    std::atomic<int> failOnly{6};
    MorsePlayerProbe probe;
    probe.failLock = [&] {
        const int n = ++locks;
        return n == failOnly.load() || (failFrom.load() >= 0 && n >= failFrom.load());
    };
    probe.restored = [&] { ++restores; };
    const auto player = MakeProbed(probe, rate, 0);
    ASSERT_FALSE(player->failed());
    player->start("E E E E", unit, 0, 850, 0, -1, -1);
    player->pause(false);
    ASSERT_TRUE(WaitFor([&] { return locks.load() > 8 && !player->isPlaying(); }, 3000));
    EXPECT_FALSE(player->failed());
    EXPECT_EQ(restores.load(), 1);
    EXPECT_GE(player->currentCharacter(), 7);

    failOnly = -1;
    failFrom = locks.load() + 5;
    player->start("T T T T T T T T T T", unit, 0, 850, 0, -1, -1);
    player->pause(false);
    ExpectFailedAndSilent(*player);
    EXPECT_EQ(restores.load(), 2);
}

// Every buffer call that fails makes the player report failed, as a lost
// buffer does, so the pages stop and warn: a Play that fails when a text
// begins or when output resumes, a SetCurrentPosition that fails for a new
// text. It never goes on claiming to play.
TEST_F(MorsePlayerTest, FailedBufferCallsMakeThePlayerFailed) {
    REQUIRE_SOUND("capture");
    const int rate = 22050;
    const int unit = unitSamples(TextLetters, 300, rate);
    const struct {
        const char* what;
        bool play, position; // the call made to fail
        bool resume;         // only once output was paused and resumes
    } rows[] = {
        {"Play as the text begins", true, false, false},
        {"Play as output resumes", true, false, true},
        {"SetCurrentPosition for a new text", false, true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::atomic<bool> armed{!row.resume};
        std::atomic<int> failedCalls{0};
        MorsePlayerProbe probe;
        probe.failPlay = [&] { return row.play && armed.load() && ++failedCalls > 0; };
        probe.failSetPosition = [&] { return row.position && armed.load() && ++failedCalls > 0; };
        const auto player = MakeProbed(probe, rate, 0);
        ASSERT_FALSE(player->failed());
        player->start("T T T T T T T T T T", unit, 0, 850, 0, -1, -1);
        player->pause(false);
        if (row.resume) {
            ASSERT_TRUE(WaitFor([&] { return player->isPlaying() && player->currentCharacter() > 0; }, 2000));
            player->pause(true);
            EXPECT_FALSE(player->failed());
            armed = true;
            player->pause(false);
        }
        ExpectFailedAndSilent(*player);
        EXPECT_EQ(failedCalls.load(), 1);
    }
}

// A playback thread that does not go idle in time (stuck in the driver) must
// not leave start as if the new text were loaded: the player fails, and the
// old text does not resume when the thread comes back.
TEST_F(MorsePlayerTest, StartGivesUpOnAThreadThatDoesNotGoIdle) {
    REQUIRE_SOUND("capture");
    const int rate = 22050;
    const int unit = unitSamples(TextLetters, 300, rate);
    const int threads = ThreadCount();
    std::atomic<bool> stall{false}, stalling{false};
    MorsePlayerProbe probe;
    probe.afterWake = [&] {
        if (stall.exchange(false)) {
            stalling = true;
            Sleep(1000);
            stalling = false;
        }
    };
    auto player = MakeProbed(probe, rate, 0);
    ASSERT_FALSE(player->failed());
    player->start("T T T T T T T T T T T T T T T T T T T T", unit, 0, 850, 0, -1, -1);
    player->pause(false);
    ASSERT_TRUE(WaitFor([&] { return player->isPlaying(); }, 2000));
    stall = true;
    ASSERT_TRUE(WaitFor([&] { return stalling.load(); }, 2000));
    player->start("E E E", unit, 0, 850, 0, -1, -1);
    EXPECT_TRUE(stalling.load()) << "the stall ended before start gave up";
    EXPECT_TRUE(player->failed());
    EXPECT_FALSE(player->isPlaying());
    ASSERT_TRUE(WaitFor([&] { return !stalling.load(); }, 2000));
    Sleep(300);
    EXPECT_TRUE(player->failed());
    EXPECT_FALSE(player->isPlaying()) << "the old text resumed";
    // The thread has stopped on its own: destroying the player is immediate.
    EXPECT_TRUE(WaitFor([&] { return ThreadCount() == threads; }, 1000));
    player.reset();
}
