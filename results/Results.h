// The marks of one competition and what follows from them: which copies a
// participant may hand in, the ranking of each discipline and the overall
// table. Names and copies are UTF-8.
#pragma once

#include <array>
#include <string>
#include <vector>

// Disciplines in the order of TextKind.
constexpr int kDisciplines = 3;
// "letters", "figures", "mixed"; null outside 0..2.
const char* DisciplineName(int discipline);
// The discipline of such a name, or -1.
int DisciplineOfName(const std::string& name);

// Copies a participant may have marked in one discipline ([Results] MaxCopies).
constexpr int kDefaultMaxCopies = 3;

struct ResultsLimits {
    int maxErrors;
    int maxCopies;
};

struct MarkRecord {
    std::string participant;
    int discipline = 0;
    int speed = 0;
    int errors = 0;
    std::string copy;
    std::string markedAt; // "YYYY-MM-DD HH:MM:SS", local time
};

// Leading and trailing blanks removed; inner runs of blanks made one, so that
// a name typed twice with a stray blank stays one participant.
std::string CleanName(const std::string& name);

// The copy as stored: without the blanks and line breaks that begin or end
// it (a copy file's last line feed), which mean nothing to marking.
std::string StoredCopy(const std::string& copy);

enum class AddOutcome {
    Added,
    Replaced, // a correction: the same participant, discipline and speed
    Refused,  // the participant already has maxCopies speeds in the discipline
};

// Adds a mark by the copies rule; a refused mark changes nothing.
AddOutcome AddMark(std::vector<MarkRecord>& records, const MarkRecord& mark, int maxCopies);

// A participant's place in one discipline. Without an accepted copy, rank is
// 0 and speed and errors are -1.
struct RankRow {
    int rank = 0;
    std::string participant;
    int speed = -1;
    int errors = -1;
};

// Highest accepted speed (IsAccepted), then fewest errors at that speed; equal results
// share a rank and the next rank is skipped (1, 2, 2, 4); ties by name;
// participants with marks but no accepted copy last, without rank.
std::vector<RankRow> RankDiscipline(const std::vector<MarkRecord>& records, int discipline, int maxErrors);

// Points are kept in hundredths: 100 x own speed / best speed of the field,
// rounded to two decimals (half up).
struct OverallRow {
    int rank = 0; // 0: no accepted copy in any discipline
    std::string participant;
    std::array<long, kDisciplines> points{}; // hundredths
    long total = 0;                          // hundredths
};

// Every participant with a mark, by total (higher first), equal totals
// sharing a rank, ties by name; those without any accepted copy last,
// without rank.
std::vector<OverallRow> RankOverall(const std::vector<MarkRecord>& records, int maxErrors);

// Hundredths as "287.50".
std::string FormatPoints(long hundredths);
