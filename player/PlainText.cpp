#include "player/PlainText.h"

#include "sound/MorseTable.h"
#include "texts/TextEncoding.h"

#include <algorithm>
#include <cstdio>

namespace {

// Decodes `s` as UTF-8 into code points; false when it is not valid UTF-8
// or holds nothing beyond ASCII (then it is read as code page 1251).
bool DecodeUtf8(const std::string& s, std::vector<uint32_t>& out) {
    bool wide = false;
    size_t i = 0;
    if (s.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        i = 3;
        wide = true;
    }
    for (; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int more = 0;
        uint32_t cp = c;
        if (c < 0x80) {
        } else if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (more > 0 && i + more >= s.size())
            return false;
        for (int k = 1; k <= more; ++k) {
            const unsigned char t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        // Overlong forms and surrogates are not UTF-8.
        if ((more == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        wide = wide || more > 0;
        out.push_back(cp);
        i += static_cast<size_t>(more) + 1;
    }
    return wide;
}

// Code page 1251 byte of a code point, or -1 when it has none here.
int Cp1251Of(uint32_t cp) {
    if (cp < 0x80)
        return static_cast<int>(cp);
    if (cp >= 0x410 && cp <= 0x44F)
        return static_cast<int>(cp - 0x410 + 0xC0);
    if (cp == 0x401)
        return 0xA8; // Ё
    if (cp == 0x451)
        return 0xB8; // ё
    return -1;
}

unsigned char Capital(unsigned char c) {
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 'a' + 'A');
    if (c >= 0xE0) // а..я
        return static_cast<unsigned char>(c - 0x20);
    if (c == 0xB8) // ё
        return 0xA8;
    return c;
}

bool IsSpace(uint32_t cp) {
    return cp == ' ' || cp == '\t' || cp == '\r' || cp == '\n' || cp == '\v' || cp == '\f' || cp == 0xA0;
}

std::string Describe(uint32_t cp, bool unicode) {
    char buf[16];
    if (cp > 0x20 && cp < 0x7F)
        std::snprintf(buf, sizeof buf, "'%c'", static_cast<char>(cp));
    else if (unicode)
        std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    else
        std::snprintf(buf, sizeof buf, "0x%02X", static_cast<unsigned>(cp));
    return buf;
}

} // namespace

SendingText PlainToSending(const std::string& plain) {
    std::string utf8;
    if (Utf16TextToUtf8(plain, utf8))
        return PlainToSending("\xEF\xBB\xBF" + utf8);
    std::vector<uint32_t> points;
    const bool unicode = DecodeUtf8(plain, points);
    if (!unicode) {
        points.clear();
        for (unsigned char c : plain)
            points.push_back(c);
    }
    SendingText result;
    result.text.reserve(plain.size() * 2 + 3);
    bool inWord = false;
    for (uint32_t cp : points) {
        if (IsSpace(cp)) {
            if (inWord)
                result.text += "  "; // with the last character's blank: three
            inWord = false;
            continue;
        }
        if (cp == 0xFEFF)
            continue; // a byte order mark, not a character
        const int byte = unicode ? Cp1251Of(cp) : static_cast<int>(cp);
        const unsigned char c = byte < 0 ? 0 : Capital(static_cast<unsigned char>(byte));
        if (byte < 0 || c == ' ' || *MorsePattern(c) == '\0') {
            const std::string name = Describe(cp, unicode);
            if (std::find(result.leftOut.begin(), result.leftOut.end(), name) == result.leftOut.end())
                result.leftOut.push_back(name);
            ++result.leftOutCount;
            continue;
        }
        result.text += static_cast<char>(c);
        result.text += ' ';
        inWord = true;
    }
    if (inWord)
        result.text += "  ";
    return result;
}

std::string LeftOutList(const SendingText& converted) {
    std::string list;
    for (const std::string& name : converted.leftOut) {
        if (!list.empty())
            list += ", ";
        list += name;
    }
    return list;
}

std::vector<std::string> SplitIntoScreens(const std::string& sending, size_t capacity) {
    std::vector<std::string> pieces;
    if (capacity < 1)
        capacity = 1;
    size_t start = 0;
    while (start < sending.size()) {
        size_t end = std::min(sending.size(), start + capacity);
        // Back to the end of the last whole word on the screen: three blanks
        // not followed by another blank.
        for (size_t p = end; end < sending.size() && p >= start + 3; --p) {
            if (sending.compare(p - 3, 3, "   ") == 0 && sending[p] != ' ') {
                end = p;
                break;
            }
        }
        pieces.push_back(sending.substr(start, end - start));
        start = end;
    }
    return pieces;
}
