// Files replaced through a temporary beside them: the configuration, control
// texts, saved texts. The old file must survive every failure, no file of the
// user's may be taken over, and nothing may be left behind.
#include "TestFiles.h"

#include "app/Platform.h"
#include "config/ConfigStore.h"
#include "texts/ControlTextFile.h"
#include "texts/TextGeneratorFields.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using namespace testfiles;

namespace {

// An empty folder of this test's own under the temporary directory (made
// `length` characters long with 50-character steps when asked), removed with
// everything in it at the end.
struct Folder {
    fs::path root;
    explicit Folder(size_t length = 0) {
        root = TempFile("folder");
        std::error_code ec;
        fs::remove_all(root, ec);
        path = root.string();
        for (size_t left = length > path.size() ? length - path.size() : 0; left > 1;) {
            size_t n = std::min<size_t>(50, left - 1);
            if (left - n - 1 == 1)
                --n; // no step of a separator alone
            path = (fs::path(path) / std::string(n, 'd')).string();
            left -= n + 1;
        }
        fs::create_directories(path, ec);
    }
    ~Folder() {
        // The files first, by the calls that reach past 260 characters.
        std::error_code ec;
        for (const std::string& name : Names())
            RemoveFile(File(name));
        fs::remove_all(root, ec);
    }
    std::string File(const std::string& name) const { return (fs::path(path) / name).string(); }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(path, ec))
            names.insert(e.path().filename().string());
        return names;
    }
    std::string path;
};

} // namespace

TEST(ReplacingFile, NeverTakesOverAFileOfTheUsersAndLeavesNothingBehind) {
    Folder d;
    const std::string target = d.File("KLAVIRO.cfg");
    WriteAll(target, "old");
    WriteAll(target + ".tmp", "the user's own");
    ASSERT_TRUE(WriteFileReplacing(target, "new"));
    EXPECT_EQ(ReadAll(target), "new");
    EXPECT_EQ(ReadAll(target + ".tmp"), "the user's own");
    const std::set<std::string> both{"KLAVIRO.cfg", "KLAVIRO.cfg.tmp"};
    EXPECT_EQ(d.Names(), both);

    // Given up before Commit: the temporary goes, the file stays.
    {
        ReplacingFile f(target);
        ASSERT_TRUE(f.Good());
        EXPECT_TRUE(f.Write("half", 4));
        EXPECT_EQ(d.Names().size(), 3u);
    }
    EXPECT_EQ(ReadAll(target), "new");
    EXPECT_EQ(d.Names(), both);

    // A folder in the file's place cannot be replaced; it stays, and the
    // temporary goes. A missing folder gets no file at all.
    fs::create_directory(d.File("folder"));
    EXPECT_FALSE(WriteFileReplacing(d.File("folder"), "x"));
    EXPECT_TRUE(fs::is_directory(d.File("folder")));
    EXPECT_EQ(d.Names().size(), 3u);
    EXPECT_FALSE(WriteFileReplacing(d.File("missing") + "/x", "x"));
    EXPECT_FALSE(WriteFileReplacing("", "x"));
}

// The temporary is only ever a new file: a file or a link planted at its
// name is neither opened nor written through, and a replaced file keeps the
// permissions its owner gave it.
TEST(ReplacingFile, TheTemporaryIsNewAndTheReplacedFileKeepsItsPermissions) {
    Folder d;
    WriteAll(d.File("planted"), "someone's");
#ifndef _WIN32
    symlink("elsewhere", d.File("link").c_str());
#endif
    for (const char* name : {"planted", "link", "fresh"}) {
        SCOPED_TRACE(name);
        const bool isNew = !fs::exists(fs::symlink_status(d.File(name)));
        bool taken = false;
        const ReplacingFile::Handle h = CreateNewFile(d.File(name), taken);
        if (h != ReplacingFile::kNoFile)
            CloseFile(h, false);
        EXPECT_EQ(h != ReplacingFile::kNoFile, isNew);
        EXPECT_EQ(taken, !isNew);
    }
    EXPECT_EQ(ReadAll(d.File("planted")), "someone's");
    EXPECT_FALSE(fs::exists(d.File("elsewhere")));
#ifndef _WIN32
    for (const fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0755)}) {
        fs::permissions(d.File("planted"), mode);
        ASSERT_TRUE(WriteFileReplacing(d.File("planted"), "new"));
        EXPECT_EQ(fs::status(d.File("planted")).permissions(), mode);
    }
#endif
}

// Under Wine the rename and the clean-up of a path past 260 characters used
// to fail: nothing was saved and the temporary stayed.
TEST(ReplacingFile, SettingsAreSavedInADeepFolder) {
    for (size_t length : {200u, 240u, 245u, 250u}) {
        Folder d(length);
        ASSERT_EQ(d.path.size(), length);
        const std::string cfg = d.File("KLAVIRO.cfg");
        WriteAll(cfg, "[Default]\r\n\tVolume\t=\t50\r\n");
        ASSERT_EQ(ReadAll(cfg), "[Default]\r\n\tVolume\t=\t50\r\n") << cfg.size();
        ConfigStore s;
        ASSERT_TRUE(s.Load(cfg));
        s.SetString("Default", "Volume", "99");
        EXPECT_TRUE(s.Save(cfg)) << cfg.size();
        EXPECT_EQ(ReadAll(cfg), "\r\n[Default]\r\n\tVolume\t=\t99\r\n") << cfg.size();
        EXPECT_EQ(d.Names(), std::set<std::string>{"KLAVIRO.cfg"}) << cfg.size();
    }
}

#ifndef _WIN32
// A full disk, made by a file size limit: every kind of overwrite keeps the
// old file whole and leaves no temporary.
TEST(ReplacingFile, AFailedWriteKeepsTheOldFile) {
    Folder d;
    const std::string target = d.File("texts.txt");
    const std::string big(64 * 1024, 'A');
    TextFields fields;
    fields.groups = 10000;
    const struct {
        const char* what;
        bool (*write)(const std::string& path, const std::string& big, const TextFields& fields);
    } writers[] = {
        {"WriteFileReplacing", [](const std::string& p, const std::string& b,
                                  const TextFields&) { return WriteFileReplacing(p, b); }},
        {"WriteTextFile overwrite", [](const std::string& p, const std::string& b,
                                       const TextFields&) { return WriteTextFile(p, b, 60, 1, true); }},
        {"SaveConsecutiveTexts", [](const std::string& p, const std::string&,
                                    const TextFields& f) { return SaveConsecutiveTexts(p, f, 3, 60).ok; }},
        {"ConfigStore::Save",
         [](const std::string& p, const std::string& b, const TextFields&) {
             ConfigStore s;
             s.SetString("Default", "Big", b);
             return s.Save(p);
         }},
    };
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    for (const auto& w : writers) {
        WriteAll(target, "the old texts");
        rlimit small = saved;
        small.rlim_cur = 16 * 1024;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool ok = w.write(target, big, fields);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_FALSE(ok) << w.what;
        EXPECT_EQ(ReadAll(target), "the old texts") << w.what;
        EXPECT_EQ(d.Names(), std::set<std::string>{"texts.txt"}) << w.what;
    }
    std::signal(SIGXFSZ, previous);
}
#endif

// What stands at the path decides: a link is written through to its file
// and stays a link; a read-only file, a folder, a device or a pipe is never
// replaced (nor read from, nor turned into a file) and the reason is told.
TEST(ReplacingFile, WritesThroughLinksAndNeverReplacesWhatIsNoWritableFile) {
    Folder d;
    WriteAll(d.File("shared.csv"), "old");
    WriteAll(d.File("locked.csv"), "old");
    fs::create_directory(d.File("folder"));
#ifdef _WIN32
    SetFileAttributesA(d.File("locked.csv").c_str(), FILE_ATTRIBUTE_READONLY);
#else
    chmod(d.File("locked.csv").c_str(), 0444);
    fs::create_directory(d.File("other"));
    symlink("shared.csv", d.File("link.csv").c_str());                      // beside it
    symlink(d.File("link.csv").c_str(), d.File("other/chain.csv").c_str()); // a link to a link
    symlink("../made.csv", d.File("other/dangling.csv").c_str());           // to nothing yet
    symlink("locked.csv", d.File("to-locked.csv").c_str());
    symlink("loop-b", d.File("loop-a").c_str());
    symlink("loop-a", d.File("loop-b").c_str());
    mkfifo(d.File("fifo").c_str(), 0666);
#endif
    const struct {
        std::string path; // written to
        std::string file; // where the bytes must land ("" nowhere)
        ReplaceFailure failure;
    } rows[] = {
        {d.File("new.csv"), d.File("new.csv"), ReplaceFailure::None},
        {d.File("shared.csv"), d.File("shared.csv"), ReplaceFailure::None},
        {d.File("locked.csv"), "", ReplaceFailure::ReadOnly},
        {d.File("folder"), "", ReplaceFailure::NotRegular},
#ifdef _WIN32
        {"NUL", "", ReplaceFailure::NotRegular},
#else
        {d.File("link.csv"), d.File("shared.csv"), ReplaceFailure::None},
        {d.File("other/chain.csv"), d.File("shared.csv"), ReplaceFailure::None},
        {d.File("other/dangling.csv"), d.File("made.csv"), ReplaceFailure::None},
        {d.File("to-locked.csv"), "", ReplaceFailure::ReadOnly},
        {d.File("loop-a"), "", ReplaceFailure::NotRegular},
        {d.File("fifo"), "", ReplaceFailure::NotRegular},
        {"/dev/null", "", ReplaceFailure::NotRegular},
#endif
    };
    int n = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        const std::set<std::string> before = d.Names();
        std::error_code ec;
        const fs::file_type own = fs::symlink_status(row.path, ec).type();
        const std::string bytes = "new " + std::to_string(++n);
        ReplaceFailure failure = ReplaceFailure::CannotWrite;
        EXPECT_EQ(WriteFileReplacing(row.path, bytes, &failure), row.file != "");
        EXPECT_EQ(failure, row.failure);
        if (!row.file.empty()) {
            EXPECT_EQ(ReadAll(row.file), bytes);
        }
        // The path is what it was: a link stays a link, a pipe a pipe.
        EXPECT_EQ(fs::symlink_status(row.path, ec).type(),
                  row.path == d.File("new.csv") ? fs::file_type::regular : own);
        if (row.file.empty()) {
            EXPECT_EQ(d.Names(), before) << "something was made or removed";
        }
    }
    EXPECT_EQ(ReadAll(d.File("locked.csv")), "old");
#ifdef _WIN32
    SetFileAttributesA(d.File("locked.csv").c_str(), FILE_ATTRIBUTE_NORMAL);
#else
    EXPECT_EQ(fs::status("/dev/null").type(), fs::file_type::character);
#endif
}

// One holder at a time, between objects as between processes; a holder
// gone lets the next one in, and the lock file stays behind, empty.
TEST(FileLock, OneHolderAtATimeAndTheFileStays) {
    Folder d;
    const std::string path = d.File("Results.csv.lock");
    {
        const FileLock first(path, 0);
        ASSERT_EQ(first.GetState(), FileLock::State::Held);
        const uint32_t begin = SystemTickCount();
        const FileLock second(path, 200);
        EXPECT_EQ(second.GetState(), FileLock::State::InUse);
        EXPECT_GE(SystemTickCount() - begin, 200u) << "gave up before the wait was over";
    }
    const FileLock again(path, 0);
    EXPECT_EQ(again.GetState(), FileLock::State::Held);
    EXPECT_EQ(ReadAll(path), "");
    // Where no file can be made there is no lock to wait for.
    EXPECT_EQ(FileLock(d.File("missing") + "/x.lock", 1000).GetState(), FileLock::State::Unavailable);
}
