#include "app/Platform.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {
TickSource g_tickSource = nullptr;
} // namespace

uint32_t TickCount() {
    return g_tickSource ? g_tickSource() : SystemTickCount();
}

TickSource SetTickSource(TickSource source) {
    TickSource previous = g_tickSource;
    g_tickSource = source;
    return previous;
}

namespace {

// The directory part of a path, separator included; "" for a bare name.
std::string DirectoryPart(const std::string& path) {
#ifdef _WIN32
    const size_t cut = path.find_last_of("/\\:");
#else
    const size_t cut = path.rfind('/');
#endif
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// Eight hex digits that differ between processes and between calls; a name
// already in use only costs another try.
std::string TempSuffix(uint32_t attempt) {
    static std::atomic<uint32_t> calls{0};
    uint32_t x = ProcessId() * 0x9E3779B1u ^ TickCount() ^ (calls.fetch_add(1) + attempt) * 0x85EBCA77u;
    x ^= x >> 15;
    x *= 0x2C1B3C6Du;
    x ^= x >> 12;
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08X", x);
    return hex;
}

} // namespace

ReplacingFile::ReplacingFile(const std::string& path) : path_(path) {
    failure_ = ReplaceFailure::CannotCreate;
    if (path.empty())
        return;
    // The temporary goes beside the file the path finally names: a rename
    // over a link would cut the link off from the file it shares.
    switch (InspectFile(path, path_)) {
    case FileState::ReadOnly:
        failure_ = ReplaceFailure::ReadOnly;
        return;
    case FileState::NotRegular:
        failure_ = ReplaceFailure::NotRegular;
        return;
    case FileState::Missing:
    case FileState::Regular:
        break;
    }
    const std::string dir = DirectoryPart(path_);
    for (uint32_t attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = dir + "~KLAVIRO-" + TempSuffix(attempt) + ".tmp";
        bool taken = false;
        handle_ = CreateNewFile(temp, taken);
        if (handle_ != kNoFile) {
            temp_ = temp;
            ok_ = true;
            failure_ = ReplaceFailure::None;
            return;
        }
        if (!taken)
            return; // the directory cannot take a new file at all
    }
}

ReplacingFile::~ReplacingFile() {
    Discard();
}

void ReplacingFile::Discard() {
    if (handle_ != kNoFile)
        CloseFile(handle_, false);
    if (ok_)
        failure_ = ReplaceFailure::CannotWrite;
    handle_ = kNoFile;
    ok_ = false;
    if (!temp_.empty())
        RemoveFile(temp_);
    temp_.clear();
}

bool ReplacingFile::Write(const void* data, size_t size) {
    if (!Good())
        return false;
    if (size && !WriteToFile(handle_, data, size)) {
        ok_ = false;
        failure_ = ReplaceFailure::CannotWrite;
    }
    return ok_;
}

bool ReplacingFile::Commit() {
    if (!Good()) {
        Discard();
        return false;
    }
    const bool closed = CloseFile(handle_, true);
    handle_ = kNoFile;
    if (!closed || !ReplaceFileWith(temp_, path_)) {
        Discard();
        return false;
    }
    temp_.clear(); // it is the file now
    ok_ = false;
    return true;
}

bool WriteFileReplacing(const std::string& path, const std::string& bytes, ReplaceFailure* failure) {
    ReplacingFile file(path);
    const bool ok = file.Write(bytes.data(), bytes.size()) && file.Commit();
    if (failure)
        *failure = file.Failure();
    return ok;
}

FileLock::FileLock(const std::string& path, uint32_t waitMs) {
    handle_ = OpenLockFile(path);
    if (handle_ == ReplacingFile::kNoFile)
        return;
    const uint32_t begin = SystemTickCount();
    for (;;) {
        const TryLock got = TryLockFile(handle_);
        if (got == TryLock::Locked) {
            state_ = State::Held;
            return;
        }
        if (got == TryLock::Failed || SystemTickCount() - begin >= waitMs) {
            CloseFile(handle_, false);
            handle_ = ReplacingFile::kNoFile;
            state_ = got == TryLock::Failed ? State::Unavailable : State::InUse;
            return;
        }
        // Short steps: a holder keeps it for one read and write, and the
        // step is all a waiter may lose after the holder let go.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

FileLock::~FileLock() {
    if (handle_ != ReplacingFile::kNoFile)
        UnlockFile(handle_);
}
