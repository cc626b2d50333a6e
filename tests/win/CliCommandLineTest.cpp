// klaviro-cli.exe started as a shell starts it, with a UTF-16 command line:
// names and file names beyond the ANSI code page arrive whole, are stored
// and read back as UTF-8, and every file is found under its own name.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct CliRun {
    DWORD exitCode = 1;
    std::string out, err;
};

std::wstring CliPath() {
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring dir = module;
    dir = dir.substr(0, dir.rfind(L'\\')); // tests
    dir = dir.substr(0, dir.rfind(L'\\')); // the build folder
    return dir + L"\\klaviro-cli.exe";
}

std::string ReadAll(HANDLE from) {
    std::string bytes;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(from, buf, sizeof buf, &got, nullptr) && got > 0)
        bytes.append(buf, got);
    return bytes;
}

// Runs klaviro-cli with `arguments` in `folder`, its output through pipes.
CliRun RunCli(const std::wstring& arguments, const std::wstring& folder) {
    CliRun run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0) || !CreatePipe(&errRead, &errWrite, &inherit, 0))
        return run;
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    HANDLE none = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = none;
    start.hStdOutput = outWrite;
    start.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    std::wstring line = L"\"" + CliPath() + L"\" " + arguments;
    const BOOL started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                        folder.c_str(), &start, &process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    CloseHandle(none);
    if (started) {
        run.out = ReadAll(outRead); // both are short: neither pipe fills while the other is read
        run.err = ReadAll(errRead);
        WaitForSingleObject(process.hProcess, 30000);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    } else {
        run.err = "CreateProcessW failed: " + std::to_string(GetLastError());
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return run;
}

bool WriteWide(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(f);
    return ok;
}

std::string ReadWide(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return "(missing)";
    const std::string bytes = ReadAll(f);
    CloseHandle(f);
    return bytes;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// A folder with a Cyrillic name under the temporary directory, removed with
// what the test left in it.
class CyrillicFolder {
public:
    CyrillicFolder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ =
            std::wstring(temp) + L"klaviro-cli-" + std::to_wstring(GetCurrentProcessId()) + L"-Соревнование";
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~CyrillicFolder() {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path_.c_str());
    }
    CyrillicFolder(const CyrillicFolder&) = delete;
    CyrillicFolder& operator=(const CyrillicFolder&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

} // namespace

TEST(CliCommandLine, NamesAndFileNamesBeyondTheCodePageSurvive) {
    CyrillicFolder dir;
    ASSERT_TRUE(WriteWide(dir / L"Контроль.txt", "100\r\n\r\nA B C D E   \r\n\r\n"));
    ASSERT_TRUE(WriteWide(dir / L"opis-Dvořák.txt", "abcdx"));
    ASSERT_TRUE(WriteWide(dir / L"opis-Wiśniewski.txt", "abcde"));

    // The results file is named by its full path, the rest relative to the
    // folder the program starts in.
    const std::wstring results = dir / L"Результаты.csv";
    const struct {
        const wchar_t* participant;
        const wchar_t* copy;
    } marks[] = {
        {L"Łukasz Wiśniewski", L"opis-Dvořák.txt"},
        {L"Jiří Dvořák", L"opis-Dvořák.txt"},
        {L"Łukasz Wiśniewski", L"opis-Wiśniewski.txt"}, // his correction replaces his first mark
    };
    for (const auto& m : marks) {
        const CliRun run =
            RunCli(L"mark --control Контроль.txt --kind letters --speed 100 --participant \"" +
                       std::wstring(m.participant) + L"\" --results \"" + results + L"\" " + m.copy,
                   dir.Path());
        ASSERT_EQ(run.exitCode, 0u) << run.err;
    }
    const std::string csv = ReadWide(results);
    EXPECT_EQ(Count(csv, "\r\n"), 3u) << csv; // the header and one row per participant
    EXPECT_EQ(Count(csv, u8"\r\nŁukasz Wiśniewski;letters;100;0;abcde;"), 1u) << csv;
    EXPECT_EQ(Count(csv, u8"\r\nJiří Dvořák;letters;100;1;abcdx;"), 1u) << csv;

    // What the command prints into a pipe is UTF-8, and so are its messages.
    const CliRun ranks = RunCli(L"results Результаты.csv", dir.Path());
    EXPECT_EQ(ranks.exitCode, 0u) << ranks.err;
    EXPECT_NE(ranks.out.find(u8"Łukasz Wiśniewski"), std::string::npos) << ranks.out;
    EXPECT_NE(ranks.out.find(u8"Jiří Dvořák"), std::string::npos) << ranks.out;
    const CliRun missing =
        RunCli(L"mark --control Контроль.txt --kind letters --speed 100 opis-Nováková.txt", dir.Path());
    EXPECT_EQ(missing.exitCode, 2u);
    EXPECT_NE(missing.err.find(u8"cannot read opis-Nováková.txt"), std::string::npos) << missing.err;

    // The sheet goes to a name of its own, beside a temporary that is gone.
    const CliRun sheet = RunCli(L"results Результаты.csv --html Итоги-Łódź.html", dir.Path());
    EXPECT_EQ(sheet.exitCode, 0u) << sheet.err;
    const std::string html = ReadWide(dir / L"Итоги-Łódź.html");
    EXPECT_NE(html.find(u8"Jiří Dvořák"), std::string::npos) << html.substr(0, 200);
    const CliRun again = RunCli(L"results Результаты.csv --html Итоги-Łódź.html", dir.Path());
    EXPECT_EQ(again.exitCode, 2u);
    EXPECT_NE(again.err.find(u8"\"Итоги-Łódź.html\" exists; use --force"), std::string::npos) << again.err;
}
