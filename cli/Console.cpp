#include "cli/Console.h"

#include "texts/TextEncoding.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

bool CliPrint(std::FILE* stream, const std::string& text) {
#ifdef _WIN32
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        if (std::fflush(stream) != 0)
            return false;
        if (text.empty())
            return true;
        const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
        if (n <= 0 ||
            !MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], n))
            return false;
        for (size_t done = 0; done < wide.size();) {
            // Consoles take a limited amount per call; a surrogate pair stays whole.
            DWORD chunk = static_cast<DWORD>(wide.size() - done < 8192 ? wide.size() - done : 8192);
            if (chunk > 1 && IS_HIGH_SURROGATE(wide[done + chunk - 1]))
                --chunk;
            DWORD written = 0;
            if (!WriteConsoleW(handle, wide.data() + done, chunk, &written, nullptr) || written == 0)
                return false;
            done += written;
        }
        return true;
    }
#endif
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0;
}

WholeFileRead CliReadInput(size_t limit, std::string& bytes) {
#ifdef _WIN32
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdin)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::wstring typed;
        wchar_t buf[4096];
        for (;;) {
            DWORD got = 0;
            if (!ReadConsoleW(handle, buf, 4096, &got, nullptr))
                return WholeFileRead::CannotRead;
            typed.append(buf, got);
            const size_t end = typed.find(L'\x1A');
            if (end != std::wstring::npos) {
                typed.resize(end);
                break;
            }
            if (got == 0)
                break;
            if (typed.size() > limit)
                return WholeFileRead::TooLarge;
        }
        bytes += Utf8OfWide(typed.c_str());
        return bytes.size() > limit ? WholeFileRead::TooLarge : WholeFileRead::Read;
    }
#endif
    return ReadWholeStream(stdin, limit, bytes);
}

std::string ArgumentText(const std::string& argument) {
    std::u32string ignored;
    return DecodeUtf8(argument, ignored) ? argument : Cp1251ToUtf8(argument);
}

#ifdef _WIN32
std::string Utf8OfWide(const wchar_t* wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return std::string();
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, &utf8[0], n, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(n - 1));
    return utf8;
}
#endif
