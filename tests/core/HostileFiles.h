// Files a test hands to a reader: text in UTF-16 as Notepad saves
// "Unicode", files of a given size without writing their bytes, and the
// endless inputs of a POSIX system.
#pragma once

#include "app/Platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#endif

namespace hostile {

// UTF-16 with its byte order mark, from UTF-16 code units.
inline std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

// A file in the temporary directory named for the running test and `name`.
inline std::string TempFile(const std::string& name) {
    std::string dir;
    EXPECT_TRUE(TempDirectory(dir, 1000));
    return dir + "klaviro-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" + name;
}

inline std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = TempFile(name);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr) << path;
    if (f) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

// A file of `size` bytes (zeros, stored sparse where the system can).
inline std::string OfSize(const std::string& name, uintmax_t size) {
    const std::string path = Write(name, "");
    std::filesystem::resize_file(path, size);
    return path;
}

#ifndef _WIN32
// A named pipe that sends for ever, to its first reader: a stream that never
// ends, as /dev/zero is (which a container may lack).
class EndlessPipe {
public:
    EndlessPipe() : path_(TempFile("endless-" + std::to_string(++count_))) {
        std::signal(SIGPIPE, SIG_IGN); // the writer learns of the reader's end from write()
        std::filesystem::remove(path_);
        EXPECT_EQ(mkfifo(path_.c_str(), 0600), 0);
        writer_ = std::thread([this] {
            const int fd = open(path_.c_str(), O_WRONLY);
            const std::string chunk(4096, 'x');
            while (fd >= 0 && write(fd, chunk.data(), chunk.size()) > 0) {
            }
            if (fd >= 0)
                close(fd);
            done_ = true;
        });
    }
    ~EndlessPipe() {
        // A reader that never came: one that opens and goes lets the writer end.
        while (!done_) {
            const int fd = open(path_.c_str(), O_RDONLY | O_NONBLOCK);
            if (fd >= 0)
                close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        writer_.join();
        std::filesystem::remove(path_);
    }
    EndlessPipe(const EndlessPipe&) = delete;
    EndlessPipe& operator=(const EndlessPipe&) = delete;
    const std::string& Path() const { return path_; }

private:
    static inline int count_ = 0;
    std::string path_;
    std::atomic<bool> done_{false};
    std::thread writer_;
};
#endif

} // namespace hostile
