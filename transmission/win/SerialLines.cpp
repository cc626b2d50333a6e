#include "transmission/win/SerialLines.h"

#include "transmission/win/KeyingClock.h"

#include <cctype>
#include <mutex>

namespace {

std::string SystemError(DWORD code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = n && text ? std::string(text, n) : std::string();
    if (text)
        LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result.empty() ? "error " + std::to_string(code) : result;
}

class ComPortLines : public ILineSource {
public:
    explicit ComPortLines(std::string port) : port_(std::move(port)) {}
    ~ComPortLines() override {
        if (file_ != INVALID_HANDLE_VALUE) {
            if (pending_) {
                // A wait still on the port must end before the OVERLAPPED
                // it writes into goes away.
                CancelIo(file_);
                DWORD n = 0;
                GetOverlappedResult(file_, &overlapped_, &n, TRUE);
            }
            EscapeCommFunction(file_, CLRDTR);
            EscapeCommFunction(file_, CLRRTS);
            CloseHandle(file_);
        }
        if (event_)
            CloseHandle(event_);
    }

    bool Open(std::string& error) override {
        const std::string path = ComDevicePath(port_);
        if (path.empty()) {
            error = SystemError(ERROR_INVALID_NAME);
            return false;
        }
        file_ = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OVERLAPPED, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) {
            error = SystemError(GetLastError());
            return false;
        }
        event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        // DTR and RTS on: the adapters take the supply for the contacts from
        // them. Some ports cannot set them; reading the lines may still work.
        EscapeCommFunction(file_, SETDTR);
        EscapeCommFunction(file_, SETRTS);
        if (!event_ || !SetCommMask(file_, EV_CTS | EV_DSR)) {
            error = SystemError(GetLastError());
            return false;
        }
        return true;
    }

    bool Next(HANDLE stop, LineState& state, bool& failed) override {
        failed = false;
        for (;;) {
            if (!first_) {
                if (!pending_) {
                    ResetEvent(event_);
                    overlapped_ = OVERLAPPED{};
                    overlapped_.hEvent = event_;
                    mask_ = 0;
                    if (!WaitCommEvent(file_, &mask_, &overlapped_)) {
                        if (GetLastError() != ERROR_IO_PENDING)
                            return Fail(failed);
                        pending_ = true;
                    }
                }
                if (pending_) {
                    const HANDLE handles[] = {stop, event_};
                    const DWORD r = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
                    if (r != WAIT_OBJECT_0 + 1)
                        return false; // stopped; the destructor ends the wait
                    DWORD n = 0;
                    pending_ = false;
                    if (!GetOverlappedResult(file_, &overlapped_, &n, FALSE))
                        return Fail(failed);
                }
            } else if (WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) {
                return false;
            }
            const double ms = KeyingClockMs();
            DWORD status = 0;
            if (!GetCommModemStatus(file_, &status))
                return Fail(failed);
            const bool cts = (status & MS_CTS_ON) != 0, dsr = (status & MS_DSR_ON) != 0;
            // The first reading is reported as it is, so that a contact
            // closed before the start counts; later only changes.
            if (first_ || cts != last_.cts || dsr != last_.dsr) {
                first_ = false;
                last_ = {ms, cts, dsr};
                state = last_;
                return true;
            }
        }
    }

private:
    bool Fail(bool& failed) {
        failed = true;
        return false;
    }

    const std::string port_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    HANDLE event_ = nullptr;
    OVERLAPPED overlapped_ = {};
    DWORD mask_ = 0;
    bool pending_ = false;
    bool first_ = true;
    LineState last_;
};

std::mutex g_factoryLock;
LineSourceFactory g_factory;

} // namespace

std::string ComDevicePath(const std::string& port) {
    if (port.size() < 4 || port.size() > 6)
        return "";
    for (size_t i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(port[i])) != "COM"[i])
            return "";
    for (size_t i = 3; i < port.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(port[i])))
            return "";
    if (port.find_first_not_of('0', 3) == std::string::npos)
        return ""; // COM0 does not exist
    return "\\\\.\\COM" + port.substr(3);
}

std::unique_ptr<ILineSource> CreateComPortLines(const std::string& port) {
    return std::make_unique<ComPortLines>(port);
}

void SetLineSourceFactory(LineSourceFactory factory) {
    std::lock_guard<std::mutex> lock(g_factoryLock);
    g_factory = std::move(factory);
}

std::unique_ptr<ILineSource> CreateLineSource(const std::string& port) {
    std::lock_guard<std::mutex> lock(g_factoryLock);
    return g_factory ? g_factory(port) : CreateComPortLines(port);
}
