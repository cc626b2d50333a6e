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

// What tells participants apart: the name without regard to case (Latin,
// Latin-1, Latin Extended-A, Greek and Cyrillic letters) or to blanks around
// and between its words (no-break spaces too). "anna  KOWALSKA" and
// "Anna Kowalska" are one participant, shown as the file first spells them.
std::string NameKey(const std::string& name);

// The copy as stored: without the blanks and line breaks that begin or end
// it (a copy file's last line feed), which mean nothing to marking.
std::string StoredCopy(const std::string& copy);

enum class AddOutcome {
    Added,
    Replaced, // a correction: the same participant, discipline and speed
    Refused,  // the participant already has maxCopies speeds in the discipline
};

// Adds a mark by the copies rule; a refused mark changes nothing. Only the
// marks stored count: a copy whose mark was removed is free again.
AddOutcome AddMark(std::vector<MarkRecord>& records, const MarkRecord& mark, int maxCopies);

// The stored mark of a participant (by NameKey) in a discipline at a speed,
// or null.
const MarkRecord* FindMark(const std::vector<MarkRecord>& records, const std::string& participant,
                           int discipline, int speed);
// Removes that mark (and any duplicate of it a hand-edited file holds);
// returns how many records went.
size_t EraseMark(std::vector<MarkRecord>& records, const std::string& participant, int discipline, int speed);

// A copy's result as championships count it: its speed minus its errors
// (200 with 2 errors gives 198).
inline int CopyResult(int speed, int errors) {
    return speed - errors;
}

// A participant's place in one discipline, by the best copy: the highest
// result, then the fewer errors. Without an accepted copy, rank is 0 and
// speed, errors and result are -1.
struct RankRow {
    int rank = 0;
    std::string participant;
    int speed = -1;
    int errors = -1;
    int result = -1;
};

// Highest result of an accepted copy (IsAccepted), then fewer errors; equal
// results with equal errors share a rank and the next rank is skipped
// (1, 2, 2, 4); ties by name; participants with marks but no accepted copy
// last, without rank.
std::vector<RankRow> RankDiscipline(const std::vector<MarkRecord>& records, int discipline, int maxErrors);

// Points are kept in hundredths: 100 x own result / best result of the
// field, rounded to two decimals (half up): best 198, 179 gives 90.40.
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
