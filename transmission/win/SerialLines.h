// A key or a paddle on a serial port: its contacts close the modem status
// lines CTS and DSR (the common adapters take their supply from DTR/RTS).
// The lines are read behind a small interface so that a test can script the
// changes without a port.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

// The lines at one moment (keying clock milliseconds).
struct LineState {
    double ms = 0;
    bool cts = false;
    bool dsr = false;
};

class ILineSource {
public:
    virtual ~ILineSource() = default;
    // Opens the source; false with `error` set to the system's reason
    // (FormatMessage text, may be empty) when it cannot be used.
    virtual bool Open(std::string& error) = 0;
    // Blocks until the lines change, then returns true with their new state
    // and the time it was seen; returns false once `stop` (a manual-reset
    // event) is set, or when the device fails (`failed` then true). Called
    // only from the session's serial thread.
    virtual bool Next(HANDLE stop, LineState& state, bool& failed) = 0;
};

// The real source: CreateFile on \\.\COMn (overlapped), DTR and RTS on,
// SetCommMask(EV_CTS | EV_DSR), overlapped WaitCommEvent, GetCommModemStatus.
std::unique_ptr<ILineSource> CreateComPortLines(const std::string& port);

// Sessions create their line source through this; tests install one that
// scripts the changes. An empty function restores CreateComPortLines.
using LineSourceFactory = std::function<std::unique_ptr<ILineSource>(const std::string& port)>;
void SetLineSourceFactory(LineSourceFactory factory);
std::unique_ptr<ILineSource> CreateLineSource(const std::string& port);

// "COM1" -> "\\.\COM1" (needed from COM10 on, harmless below); a name that
// is not COM followed by 1-3 digits (case-insensitive) gives "".
std::string ComDevicePath(const std::string& port);
