// klaviro-cli.exe started as a shell starts it, with a UTF-16 command line:
// names and file names beyond the ANSI code page arrive whole, are stored
// and read back as UTF-8, and every file is found under its own name.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

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
CliRun RunCli(const std::wstring& arguments, const fs::path& folder) {
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

bool WriteWide(const fs::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    return static_cast<bool>(file << bytes);
}

std::string ReadWide(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// UTF-8 of a wide literal (narrow literals are code page 1251 here).
std::string Utf8(const std::wstring& wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], n, nullptr,
                        nullptr);
    return utf8;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// A folder with a Cyrillic name under the temporary directory, removed with
// what the test left in it.
struct CyrillicFolder {
    CyrillicFolder() { fs::create_directory(path, made); }
    ~CyrillicFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    CyrillicFolder(const CyrillicFolder&) = delete;
    CyrillicFolder& operator=(const CyrillicFolder&) = delete;
    std::wstring operator/(const std::wstring& name) const { return (path / name).wstring(); }

    const fs::path path = fs::temp_directory_path() /
                          (L"klaviro-cli-" + std::to_wstring(GetCurrentProcessId()) + L"-Соревнование");
    std::error_code made;
};

} // namespace

// Wide literals beyond code page 1251 stay out of the assertion macros,
// which quote their arguments as narrow text.
TEST(CliCommandLine, NamesAndFileNamesBeyondTheCodePageSurvive) {
    const std::wstring lukasz = L"Łukasz Wiśniewski", jiri = L"Jiří Dvořák";
    const std::wstring copyOfJiri = L"opis-Dvořák.txt", copyOfLukasz = L"opis-Wiśniewski.txt";
    const std::wstring sheetName = L"Итоги-Łódź.html", missingCopy = L"opis-Nováková.txt";
    CyrillicFolder dir;
    ASSERT_FALSE(dir.made) << dir.made.message();
    ASSERT_TRUE(WriteWide(dir / L"Контроль.txt", "100\r\n\r\nA B C D E   \r\n\r\n"));
    ASSERT_TRUE(WriteWide(dir / copyOfJiri, "abcdx"));
    ASSERT_TRUE(WriteWide(dir / copyOfLukasz, "abcde"));

    // The results file is named by its full path, the rest relative to the
    // folder the program starts in.
    const std::wstring results = dir / L"Результаты.csv";
    const std::wstring marks[][2] = {
        {lukasz, copyOfJiri},
        {jiri, copyOfJiri},
        {lukasz, copyOfLukasz}, // his correction replaces his first mark
    };
    for (const auto& m : marks) {
        const CliRun run = RunCli(L"mark --control Контроль.txt --kind letters --speed 100 --participant \"" +
                                      m[0] + L"\" --results \"" + results + L"\" " + m[1],
                                  dir.path);
        ASSERT_EQ(run.exitCode, 0u) << run.err;
    }
    const std::string csv = ReadWide(results);
    const std::string rowOfLukasz = "\r\n" + Utf8(lukasz) + ";letters;100;0;abcde;";
    const std::string rowOfJiri = "\r\n" + Utf8(jiri) + ";letters;100;1;abcdx;";
    EXPECT_EQ(Count(csv, "\r\n"), 3u) << csv; // the header and one row per participant
    EXPECT_EQ(Count(csv, rowOfLukasz), 1u) << csv;
    EXPECT_EQ(Count(csv, rowOfJiri), 1u) << csv;

    // What the command prints into a pipe is UTF-8, and so are its messages.
    const CliRun ranks = RunCli(L"results Результаты.csv", dir.path);
    EXPECT_EQ(ranks.exitCode, 0u) << ranks.err;
    EXPECT_NE(ranks.out.find(Utf8(lukasz)), std::string::npos) << ranks.out;
    EXPECT_NE(ranks.out.find(Utf8(jiri)), std::string::npos) << ranks.out;
    const CliRun missing =
        RunCli(L"mark --control Контроль.txt --kind letters --speed 100 " + missingCopy, dir.path);
    EXPECT_EQ(missing.exitCode, 2u);
    EXPECT_NE(missing.err.find("cannot read " + Utf8(missingCopy)), std::string::npos) << missing.err;

    // The player's reader and the sound output take such names too.
    const std::wstring soundName = L"Łódź-Контроль.wav";
    const CliRun sound = RunCli(L"wav --control Контроль.txt --rate 11025 --out " + soundName, dir.path);
    EXPECT_EQ(sound.exitCode, 0u) << sound.err;
    EXPECT_EQ(ReadWide(dir / soundName).substr(0, 4), "RIFF");

    // The sheet is written under its own name, and only once without --force.
    const CliRun sheet = RunCli(L"results Результаты.csv --html " + sheetName, dir.path);
    EXPECT_EQ(sheet.exitCode, 0u) << sheet.err;
    const std::string html = ReadWide(dir / sheetName);
    EXPECT_NE(html.find(Utf8(jiri)), std::string::npos) << html.substr(0, 200);
    const CliRun again = RunCli(L"results Результаты.csv --html " + sheetName, dir.path);
    EXPECT_EQ(again.exitCode, 2u);
    EXPECT_NE(again.err.find("\"" + Utf8(sheetName) + "\" exists; use --force"), std::string::npos)
        << again.err;
}
