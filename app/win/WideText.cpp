#include "app/win/WideText.h"

#include "app/Platform.h"
#include "config/AppConfig.h"
#include "config/Languages.h"
#include "texts/TextEncoding.h"

std::wstring ToWide(const std::string& bytes, unsigned codePage) {
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, &wide[0], n);
    return wide;
}

std::string FromWide(const std::wstring& wide, unsigned codePage) {
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return {};
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, &bytes[0], n, nullptr, nullptr);
    return bytes;
}

std::wstring Utf8ToWide(const std::string& utf8) {
    return ToWide(utf8, CP_UTF8);
}

std::string WideToUtf8(const std::wstring& wide) {
    return FromWide(wide, CP_UTF8);
}

std::wstring TextToWide(const std::string& text) {
    return ToWide(text, TextCodePage());
}

std::string WideToText(const std::wstring& wide) {
    return FromWide(wide, TextCodePage());
}

std::wstring MixedTextToWide(const std::string& text) {
    return Utf8ToWide(AnyLinesToUtf8(text));
}

void ApplyLanguageCodePage(AppConfig& app) {
    SetTextCodePage(static_cast<unsigned>(CurrentCodePage(app)));
}

void SetLanguageText(HWND window, const std::string& text) {
    SetWindowTextW(window, TextToWide(text).c_str());
}

void SetItemLanguageText(HWND page, int control, const std::string& text) {
    SetDlgItemTextW(page, control, TextToWide(text).c_str());
}

void SetUtf8Text(HWND window, const std::string& utf8) {
    SetWindowTextW(window, Utf8ToWide(utf8).c_str());
}

void SetItemUtf8Text(HWND page, int control, const std::string& utf8) {
    SetDlgItemTextW(page, control, Utf8ToWide(utf8).c_str());
}

LRESULT AddComboText(HWND combo, const std::string& text) {
    return SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TextToWide(text).c_str()));
}

LRESULT AddListText(HWND list, const std::string& text) {
    return SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TextToWide(text).c_str()));
}

std::wstring ReadWindowWide(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

std::string ReadWindowUtf8(HWND window) {
    return WideToUtf8(ReadWindowWide(window));
}

std::string ReadItemUtf8(HWND page, int control) {
    return ReadWindowUtf8(GetDlgItem(page, control));
}

std::string ReadItemText(HWND page, int control) {
    return WideToText(ReadWindowWide(GetDlgItem(page, control)));
}

void SetItemFileName(HWND page, int control, const std::string& name) {
    SetDlgItemTextW(page, control, FileSystemPath(name).c_str());
}

std::string ReadItemFileName(HWND page, int control) {
    return FileNameOf(std::filesystem::path(ReadWindowWide(GetDlgItem(page, control))));
}
