// The diary as a web page (Diary.html, UTF-8): the charts as inline SVG, the
// weakest characters as bars, and a table of the last checks.
#pragma once

#include "diary/DiarySummary.h"
#include "results/Results.h"

#include <string>

// The page's words, UTF-8. The defaults are the built-in Russian texts; the
// diary page passes its language's texts instead.
struct DiaryCaptions {
    std::string title, speedChart, shareChart, weakest, lastChecks, noChecks;
    std::string date, kind, number, speed, errors, accepted, confusions, copy, yes, no;
    std::string kinds[kDisciplines];
    ConfusionWords words;
};
DiaryCaptions DefaultDiaryCaptions();

// `date` is shown under the title as given.
std::string DiaryHtml(const std::vector<DiaryRow>& rows, const DiarySummary& summary,
                      const DiaryCaptions& captions, const std::string& date);
