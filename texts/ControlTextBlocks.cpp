#include "texts/ControlTextBlocks.h"

#include <algorithm>
#include <cctype>

namespace {
std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
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

// A header: empty, or a whole number that fits an int.
bool ReadHeader(const std::string& line, int& number) {
    const std::string h = Trimmed(line);
    if (h.empty()) {
        number = -1;
        return true;
    }
    if (h.size() > 9 || !std::all_of(h.begin(), h.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    number = std::stoi(h);
    return true;
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
} // namespace

bool ReadControlBlocks(const std::string& bytes, std::vector<ControlBlock>& blocks, std::string& error) {
    blocks.clear();
    const std::vector<std::string> lines = SplitLines(bytes);
    size_t i = 0;
    while (i < lines.size()) {
        ControlBlock block{-1, ""};
        if (!ReadHeader(lines[i], block.number)) {
            error = "line " + std::to_string(i + 1) + " is not the speed or number of a text: \"" +
                    lines[i].substr(0, 40) + "\"";
            return false;
        }
        ++i;
        // The empty line under the header; a hand-edited file may lack it.
        if (i < lines.size() && lines[i].empty())
            ++i;
        while (i < lines.size() && !lines[i].empty())
            block.text += lines[i++];
        ++i; // the empty line that closes the block
        blocks.push_back(std::move(block));
    }
    return true;
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
