#include "texts/TextEncoding.h"

#include <algorithm>

namespace {
// Code page 1251 from 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F. The
// one unassigned byte (0x98) becomes the replacement character.
const char16_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

bool Continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}
} // namespace

bool DecodeUtf8(const std::string& bytes, std::u32string& out) {
    out.clear();
    out.reserve(bytes.size());
    const size_t n = bytes.size();
    for (size_t i = 0; i < n;) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        size_t len;
        char32_t cp, minimum;
        if (c < 0x80) {
            out += c;
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2, cp = c & 0x1F, minimum = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3, cp = c & 0x0F, minimum = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4, cp = c & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (n - i < len)
            return false;
        for (size_t k = 1; k < len; ++k) {
            const unsigned char d = static_cast<unsigned char>(bytes[i + k]);
            if (!Continuation(d))
                return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        out += cp;
        i += len;
    }
    return true;
}

std::string EncodeUtf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

std::string EncodeUtf8(const std::u32string& text) {
    std::string s;
    s.reserve(text.size());
    for (char32_t c : text)
        s += EncodeUtf8(c);
    return s;
}

std::string Cp1251ToUtf8(const std::string& bytes) {
    std::string s;
    s.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            s += ch;
        else if (c < 0xC0)
            s += EncodeUtf8(kCp1251High[c - 0x80]);
        else
            s += EncodeUtf8(static_cast<char32_t>(0x410 + (c - 0xC0)));
    }
    return s;
}

namespace {
// UTF-16 (the mark already skipped) to UTF-8; an unpaired surrogate or an odd
// last byte becomes the replacement character.
std::string Utf16ToUtf8(const std::string& bytes, size_t from, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() - from);
    auto unit = [&](size_t at) -> char32_t {
        const unsigned char a = static_cast<unsigned char>(bytes[at]);
        const unsigned char b = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (a << 8) | b : (b << 8) | a;
    };
    size_t i = from;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        out += EncodeUtf8(c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
    }
    if (i < bytes.size())
        out += EncodeUtf8(0xFFFD);
    return out;
}

bool IsUtf8(const std::string& bytes) {
    std::u32string ignored;
    return DecodeUtf8(bytes, ignored);
}

std::string WithoutUtf8Mark(const std::string& bytes) {
    return bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
}
} // namespace

bool Utf16TextToUtf8(const std::string& bytes, std::string& utf8) {
    if (bytes.compare(0, 2, "\xFF\xFE") != 0 && bytes.compare(0, 2, "\xFE\xFF") != 0)
        return false;
    utf8 = Utf16ToUtf8(bytes, 2, bytes[0] == '\xFE');
    return true;
}

std::string AnyTextToUtf8(const std::string& bytes) {
    std::string utf8;
    if (Utf16TextToUtf8(bytes, utf8))
        return utf8;
    utf8 = WithoutUtf8Mark(bytes);
    return IsUtf8(utf8) ? utf8 : SystemTextToUtf8(utf8);
}

std::string AnyLinesToUtf8(const std::string& bytes) {
    std::string utf8;
    if (Utf16TextToUtf8(bytes, utf8))
        return utf8;
    const std::string b = WithoutUtf8Mark(bytes);
    utf8.reserve(b.size());
    // A line feed is never part of a UTF-8 sequence, so lines are cut safely.
    for (size_t start = 0; start < b.size();) {
        size_t end = b.find('\n', start);
        end = end == std::string::npos ? b.size() : end + 1;
        const std::string line = b.substr(start, end - start);
        utf8 += IsUtf8(line) ? line : SystemTextToUtf8(line);
        start = end;
    }
    return utf8;
}

std::string Utf8ToCp1251(const std::string& utf8) {
    std::u32string points;
    DecodeUtf8(utf8, points);
    std::string out;
    out.reserve(points.size());
    for (char32_t c : points) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c >= 0x410 && c <= 0x44F) {
            out += static_cast<char>(0xC0 + (c - 0x410));
        } else {
            const char16_t* high = std::find(kCp1251High, kCp1251High + 64, c);
            out += high != kCp1251High + 64 && c != 0xFFFD ? static_cast<char>(0x80 + (high - kCp1251High))
                                                           : '?';
        }
    }
    return out;
}

std::string AnyTextToCp1251(const std::string& bytes) {
    std::string utf8;
    if (Utf16TextToUtf8(bytes, utf8))
        return Utf8ToCp1251(utf8);
    const std::string b = WithoutUtf8Mark(bytes);
    const bool beyondAscii =
        std::any_of(b.begin(), b.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return beyondAscii && IsUtf8(b) ? Utf8ToCp1251(b) : b;
}

namespace {
unsigned g_textCodePage = 0;
}

void SetTextCodePage(unsigned codePage) {
    g_textCodePage = codePage;
}

unsigned TextCodePage() {
    return g_textCodePage;
}
