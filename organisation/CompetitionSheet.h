// The results sheet a championship publishes: the competition's title,
// venue and dates, the error limit, then for each category the ranking of
// every discipline (place, start number, name, club, category, speed,
// errors, result) and the overall table with points, each category on a
// printed page of its own.
#pragma once

#include "organisation/Competition.h"
#include "results/Results.h"
#include "results/ResultsSheet.h"

#include <string>
#include <vector>

// The marks of the participants of one category (by the roster, NameKey);
// "" gives the marks of participants in no category or not in the roster.
std::vector<MarkRecord> RecordsOfCategory(const Competition& competition,
                                          const std::vector<MarkRecord>& records,
                                          const std::string& category);

// The categories that have marks, in the order of the competition's table;
// a last "" when some marks belong to no category.
std::vector<std::string> CategoriesWithMarks(const Competition& competition,
                                             const std::vector<MarkRecord>& records);

// Words of the sheet besides those of the plain results sheet; UTF-8.
struct CompetitionCaptions {
    SheetCaptions sheet;
    std::string number, club, category, errorLimit, chiefJudge, venue, dates, noCategory;
    std::string wholeField; // the section of every participant, after the categories
};
CompetitionCaptions DefaultCompetitionCaptions();

// The sheet (UTF-8 HTML). `onlyCategory` empty: every category with marks,
// then the whole field when more than one has marks; otherwise that one
// only. Points in each category are counted against the
// category's best result. The date shown is the competition's.
std::string CompetitionHtml(const Competition& competition, const std::vector<MarkRecord>& records,
                            int maxErrors, const CompetitionCaptions& captions,
                            const std::string& onlyCategory = "");
