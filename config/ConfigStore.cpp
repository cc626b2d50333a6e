#include "config/ConfigStore.h"

#include "app/Platform.h"
#include "app/WholeFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

bool IsTrimmed(char c) {
    return c == '\t' || c == '\r' || c == '\n' || c == ' ';
}

// Removes tab, CR, LF and blank at both ends; other control bytes stay.
std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsTrimmed(s[b]))
        ++b;
    while (e > b && IsTrimmed(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

bool IsScanSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// "%d": leading white space, optional sign, at least one digit; the rest of
// the text is ignored. Out-of-range numbers saturate instead of wrapping.
bool ScanInt(const std::string& s, int& out) {
    size_t i = 0;
    while (i < s.size() && IsScanSpace(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    if (i >= s.size() || s[i] < '0' || s[i] > '9')
        return false;
    long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        if (v <= INT_MAX)
            v = v * 10 + (s[i] - '0');
    if (negative)
        v = -v;
    out = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
    return true;
}

} // namespace

bool ConfigStore::GetString(const std::string& section, const std::string& key, std::string& value) const {
    auto s = sections_.find(section);
    if (s == sections_.end())
        return false;
    auto k = s->second.find(key);
    if (k == s->second.end())
        return false;
    value = k->second;
    return true;
}

bool ConfigStore::GetReal(const std::string& section, const std::string& key, double& value) const {
    std::string text;
    if (!GetString(section, key, text))
        return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (end == begin)
        return false;
    value = v;
    return true;
}

bool ConfigStore::GetInt(const std::string& section, const std::string& key, int& value) const {
    std::string text;
    return GetString(section, key, text) && ScanInt(text, value);
}

void ConfigStore::SetString(const std::string& section, const std::string& key, const std::string& value) {
    sections_[section][key] = value;
}

void ConfigStore::SetReal(const std::string& section, const std::string& key, double value) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%f", value);
    SetString(section, key, buf);
}

void ConfigStore::SetInt(const std::string& section, const std::string& key, int value) {
    SetString(section, key, std::to_string(value));
}

bool ConfigStore::GetSection(const std::string& section, Section& entries) const {
    auto s = sections_.find(section);
    if (s == sections_.end())
        return false;
    entries = s->second;
    return true;
}

void ConfigStore::GetStringOr(const std::string& section, const std::string& key,
                              const std::string& defaultValue, std::string& value) {
    if (!GetString(section, key, value)) {
        SetString(section, key, defaultValue);
        value = defaultValue;
    }
}

void ConfigStore::Parse(const std::string& bytes) {
    std::string current;
    Section pending;
    size_t pos = 0;
    const size_t size = bytes.size();
    while (pos < size) {
        // One physical line, however long: values the writer itself made
        // can exceed any fixed buffer. CR LF counts as one line feed, as a
        // text-mode read would deliver it.
        std::string piece;
        while (pos < size) {
            char c = bytes[pos];
            if (c == '\r' && pos + 1 < size && bytes[pos + 1] == '\n') {
                ++pos;
                continue;
            }
            piece.push_back(c);
            ++pos;
            if (c == '\n')
                break;
        }
        // The reader works on C strings: a NUL byte ends the piece's text.
        size_t nul = piece.find('\0');
        if (nul != std::string::npos)
            piece.resize(nul);

        std::string line = Trim(piece);
        if (line.empty() || line.size() == 1)
            continue;
        if (line[0] == '[') {
            size_t close = line.find(']', 1);
            if (close == std::string::npos)
                continue;
            sections_.insert({current, pending});
            current = Trim(line.substr(1, close - 1));
            pending.clear();
        } else {
            size_t eq = line.find('=', 1);
            if (eq == std::string::npos)
                continue;
            pending.insert({Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))});
        }
    }
    sections_.insert({current, pending});
}

bool ConfigStore::Load(const std::string& path) {
    std::string bytes;
    if (ReadWholeFile(path, kMaxConfigFileBytes, bytes) != WholeFileRead::Read)
        return false;
    Parse(bytes);
    return true;
}

std::string ConfigStore::Serialise() const {
    std::string out;
    for (const auto& section : sections_) {
        if (section.second.empty())
            continue;
        if (!section.first.empty())
            out += "\r\n[" + section.first + "]\r\n";
        for (const auto& entry : section.second)
            out += "\t" + entry.first + "\t=\t" + entry.second + "\r\n";
    }
    return out;
}

bool ConfigStore::Save(const std::string& path) const {
    // A crash or a full disk half-way through must not cost the operator
    // every setting: write beside the file, then replace it in one step.
    return WriteFileReplacing(path, Serialise());
}
