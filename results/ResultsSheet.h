// The results sheet: an HTML page (UTF-8) with a title, the date, one table
// per discipline and the overall table, ready to print or publish.
#pragma once

#include "results/Results.h"

#include <string>

// The sheet's words, UTF-8. The defaults are the built-in Russian texts; the
// results page passes its language's texts instead.
struct SheetCaptions {
    std::string title, rank, participant, speed, errors, result, points, total, overall;
    std::string disciplines[kDisciplines];
    std::string noResult; // the rank cell of a participant without an accepted copy
};
SheetCaptions DefaultSheetCaptions();

// `date` is shown under the title as given.
std::string ResultsHtml(const std::vector<MarkRecord>& records, int maxErrors, const SheetCaptions& captions,
                        const std::string& date);

// Escapes & < > " for HTML text and attributes.
std::string HtmlEscape(const std::string& text);
