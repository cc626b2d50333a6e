// The report lists of the pages (rankings, the roster, the draw): columns
// titled in the page's language, rows of UTF-8 cells written as Unicode so
// that every participant's name shows, whatever the system's code page.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class Application;

struct ReportColumn {
    std::string title; // in the system's code page, as the language texts are
    int weight;        // its share of the list's width
    bool left;         // aligned left (text) or right (numbers)
};
// Replaces the list's columns; each gets its share of the client width.
void SetReportColumns(HWND list, const std::vector<ReportColumn>& columns);
// Appends a row of UTF-8 cells carrying `data` (LVITEM's lParam).
void AddReportRow(HWND list, const std::vector<std::string>& cells, LPARAM data = 0);
// Empties the list without redrawing it until EndReportRows.
void BeginReportRows(HWND list);
void EndReportRows(HWND list);
// The data of the selected row, or -1 when none is selected.
LPARAM SelectedReportRow(HWND list);
// Full-row selection and the text box's display colours.
void InitReportList(HWND list);
void ApplyReportListLook(HWND list, Application& app);

// UTF-8 as UTF-16 (surrogate pairs beyond the basic plane).
std::wstring WideText(const std::string& utf8);
