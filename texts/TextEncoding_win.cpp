#include "texts/TextEncoding.h"

#include <windows.h>

namespace {
std::wstring Widen(const std::string& bytes, UINT codePage) {
    if (bytes.empty())
        return {};
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &w[0], n);
    return w;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
    if (wide.empty())
        return {};
    const int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &s[0], n, nullptr,
                            nullptr);
    return s;
}
} // namespace

std::string SystemTextToUtf8(const std::string& bytes) {
    return Narrow(Widen(bytes, TextCodePage()), CP_UTF8);
}

std::string Utf8ToSystemText(const std::string& utf8) {
    return Narrow(Widen(utf8, CP_UTF8), TextCodePage());
}
