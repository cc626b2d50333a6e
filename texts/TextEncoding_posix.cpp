#include "texts/TextEncoding.h"

std::string SystemTextToUtf8(const std::string& bytes) {
    std::u32string ignored;
    return DecodeUtf8(bytes, ignored) ? bytes : Cp1251ToUtf8(bytes);
}

std::string Utf8ToSystemText(const std::string& utf8) {
    return utf8;
}
