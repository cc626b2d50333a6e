#include "app/win/ReportList.h"

#include "app/win/Application.h"
#include "texts/TextEncoding.h"

#include <commctrl.h>

std::wstring WideText(const std::string& utf8) {
    std::u32string decoded;
    DecodeUtf8(utf8, decoded);
    std::wstring w;
    for (char32_t c : decoded) {
        if (c > 0xFFFF) {
            c -= 0x10000;
            w += static_cast<wchar_t>(0xD800 + (c >> 10));
            w += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
        } else {
            w += static_cast<wchar_t>(c);
        }
    }
    return w;
}

void SetReportColumns(HWND list, const std::vector<ReportColumn>& columns) {
    while (SendMessageW(list, LVM_DELETECOLUMN, 0, 0))
        ;
    RECT r;
    GetClientRect(list, &r);
    int weights = 0;
    for (const ReportColumn& c : columns)
        weights += c.weight;
    const int width = r.right - r.left - 4;
    int used = 0;
    for (size_t k = 0; k < columns.size(); ++k) {
        std::wstring title = WideText(SystemTextToUtf8(columns[k].title));
        title += L'\0';
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = columns[k].left ? LVCFMT_LEFT : LVCFMT_RIGHT;
        // The last column takes what rounding left over.
        column.cx =
            k + 1 == columns.size() ? width - used : width * columns[k].weight / (weights ? weights : 1);
        used += column.cx;
        column.pszText = &title[0];
        SendMessageW(list, LVM_INSERTCOLUMNW, k, reinterpret_cast<LPARAM>(&column));
    }
}

void AddReportRow(HWND list, const std::vector<std::string>& cells, LPARAM data) {
    const int row = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (size_t k = 0; k < cells.size(); ++k) {
        std::wstring text = WideText(cells[k]);
        text += L'\0';
        LVITEMW item{};
        item.mask = LVIF_TEXT | (k == 0 ? LVIF_PARAM : 0);
        item.iItem = row;
        item.iSubItem = static_cast<int>(k);
        item.pszText = &text[0];
        item.lParam = data;
        SendMessageW(list, k == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void BeginReportRows(HWND list) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
}

void EndReportRows(HWND list) {
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

LPARAM SelectedReportRow(HWND list) {
    const int row =
        static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0)
        return -1;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : -1;
}

void InitReportList(HWND list) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void ApplyReportListLook(HWND list, Application& app) {
    SendMessageW(list, LVM_SETBKCOLOR, 0, app.GetTextBoxBColor());
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, app.GetTextBoxBColor());
    SendMessageW(list, LVM_SETTEXTCOLOR, 0, app.GetTextBoxTColor());
}
