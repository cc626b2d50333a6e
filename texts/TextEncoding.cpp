#include "texts/TextEncoding.h"

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

std::string AnyTextToUtf8(const std::string& bytes) {
    std::string b = bytes;
    if (b.compare(0, 3, "\xEF\xBB\xBF") == 0)
        b.erase(0, 3);
    std::u32string ignored;
    if (DecodeUtf8(b, ignored))
        return b;
    return SystemTextToUtf8(b);
}
