#include "texts/ControlTextFile.h"

#include "app/Platform.h"

#include <algorithm>
#include <cstdio>

namespace {
// The file used to be written in text mode on Windows, which stores every
// line feed as CR LF; writing in binary with the CR spelled out gives the
// same bytes on every build.
void AppendCrlf(std::string& out, const char* bytes, size_t size) {
    for (size_t k = 0; k < size; ++k) {
        if (bytes[k] == '\n')
            out += '\r';
        out += bytes[k];
    }
}
} // namespace

std::string ControlTextBlock(const std::string& text, int width, int number) {
    // A width below 1 can only come from a hand-edited configuration file;
    // cutting lines of it would never advance, so the default width is used.
    const size_t w = static_cast<size_t>(width < 1 ? kDefaultLineWidth : std::min(width, kMaxLineWidth));
    std::string out;
    out.reserve(text.size() + (text.size() / w + 4) * 2 + 12);
    if (number >= 0)
        out += std::to_string(number);
    out += "\r\n\r\n";
    for (size_t pos = 0; pos < text.size(); pos += w) {
        const size_t n = text.size() - pos < w ? text.size() - pos : w;
        AppendCrlf(out, text.data() + pos, n);
        out += "\r\n";
    }
    out += "\r\n";
    return out;
}

std::string DirPath(const std::string& dir, const std::string& name) {
    if (dir.empty() || dir.back() != '\\')
        return dir + "\\" + name;
    return dir + name;
}

std::string CurrentDirPath(const std::string& name) {
    std::string dir = CurrentDirectory();
    // The directory was read into 1022 characters: a longer one counts as
    // unreadable rather than as a cut-off path.
    if (dir.size() > 1021)
        dir.clear();
    return DirPath(dir, name);
}

bool FileExists(const std::string& path) {
    if (path.empty())
        return false;
    std::FILE* f = OpenFile(path, "rb");
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

bool WriteTextFile(const std::string& path, const std::string& text, int width, int number, bool overwrite) {
    const std::string block = ControlTextBlock(text, width, number);
    if (overwrite)
        return WriteFileReplacing(path, block);
    std::FILE* f = OpenFile(path, "ab");
    if (!f)
        return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    ok = ok && std::fwrite(block.data(), 1, block.size(), f) == block.size();
    ok = std::fclose(f) == 0 && ok; // buffered bytes reach the file here
    return ok;
}
