#include "texts/ControlTextBlocks.h"

#include "app/WholeFile.h"
#include "texts/TextEncoding.h"

#include <algorithm>
#include <cctype>

namespace {
std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        size_t stop = end;
        if (stop > start && content[stop - 1] == '\r')
            --stop;
        lines.push_back(content.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

std::string Trimmed(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

bool IsEmpty(const std::string& line) {
    return Trimmed(line).empty();
}

// A header: a whole number that fits an int, blanks around it allowed.
bool ReadHeader(const std::string& line, int& number) {
    const std::string h = Trimmed(line);
    if (h.empty() || h.size() > 9 ||
        !std::all_of(h.begin(), h.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    number = std::stoi(h);
    return true;
}

bool IsHeader(const std::string& line) {
    int ignored;
    return ReadHeader(line, ignored);
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty() && text.back() != ' ' && !line.empty() && line.front() != ' ')
            text += "   ";
        text += line;
    }
    if (!text.empty() && text.back() != ' ')
        text += "   ";
    return text;
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
} // namespace

bool ReadControlBlocks(const std::string& content, std::vector<ControlBlock>& blocks, std::string& error) {
    blocks.clear();
    const std::vector<std::string> lines = SplitLines(content);
    size_t i = 0;
    size_t emptyBefore = 0; // empty lines since the last block
    while (i < lines.size()) {
        if (IsEmpty(lines[i])) {
            ++emptyBefore;
            ++i;
            continue;
        }
        ControlBlock block{-1, ""};
        if (ReadHeader(lines[i], block.number)) {
            ++i;
            while (i < lines.size() && IsEmpty(lines[i]))
                ++i;
        } else if (emptyBefore < 2) {
            error = "line " + std::to_string(i + 1) + " is not the speed or number of a text: \"" +
                    lines[i].substr(0, 40) + "\"";
            blocks.clear();
            return false;
        }
        std::vector<std::string> body;
        while (i < lines.size() && !IsEmpty(lines[i]) && !IsHeader(lines[i]))
            body.push_back(lines[i++]);
        block.text = JoinLines(body);
        blocks.push_back(std::move(block));
        emptyBefore = 0;
    }
    return true;
}

ControlLoad LoadControlBlocks(const std::string& path, std::vector<ControlBlock>& blocks,
                              std::string& error) {
    blocks.clear();
    std::string bytes;
    const WholeFileRead read = ReadWholeFile(path, kMaxControlFileBytes, bytes);
    if (read != WholeFileRead::Read) {
        error = WholeFileProblem(read, path, kMaxControlFileBytes);
        return read == WholeFileRead::TooLarge ? ControlLoad::TooLarge : ControlLoad::CannotRead;
    }
    if (!ReadControlBlocks(AnyTextToUtf8(bytes), blocks, error)) {
        error = path + " is not a control-text file: " + error;
        return ControlLoad::NotControlTexts;
    }
    return ControlLoad::Loaded;
}

const ControlBlock* BlockForSpeed(const std::vector<ControlBlock>& blocks, int speed) {
    const ControlBlock* found = nullptr;
    for (const ControlBlock& b : blocks)
        if (b.number == speed && speed >= 0 && !b.text.empty())
            found = &b;
    return found;
}

std::vector<int> BlockSpeeds(const std::vector<ControlBlock>& blocks) {
    std::vector<int> speeds;
    for (const ControlBlock& b : blocks)
        if (b.number >= 0 && !b.text.empty())
            speeds.push_back(b.number);
    std::sort(speeds.begin(), speeds.end());
    speeds.erase(std::unique(speeds.begin(), speeds.end()), speeds.end());
    return speeds;
}

int DisciplineOfFileName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    const std::string name = Lower(slash == std::string::npos ? path : path.substr(slash + 1));
    const char* prefixes[] = {"letters", "digits", "mixed"};
    for (int k = 0; k < 3; ++k)
        if (name.compare(0, std::char_traits<char>::length(prefixes[k]), prefixes[k]) == 0)
            return k;
    return -1;
}
