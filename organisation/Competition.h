// A competition as its organiser keeps it: title, venue, dates, chief judge,
// the categories and the roster, in one file beside Results.csv. All text is
// UTF-8, as in the results file, so that any participant's name survives;
// the pages convert to and from the system's code page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr const char* kCompetitionFileName = "Competition.csv";
// The largest competition file read: far above any roster.
constexpr size_t kMaxCompetitionFileBytes = 16u << 20;
// Start numbers a roster may use.
constexpr int kMaxStartNumber = 99999;

struct Entrant {
    int startNumber = 0; // 0: none yet
    std::string name;
    std::string sex;   // "M" or "F"; "" when not known
    int birthYear = 0; // 0 when not known
    std::string club;  // club or country
    std::string callsign;
    std::string category;
    // The organiser set the category: it no longer follows sex and year.
    bool categoryByHand = false;
};

// A category is data, so that an organiser changes a boundary or adds a
// ninth one without a new program: its name, the sex it is for ("M", "F",
// or "" for both) and the age range on the competition's year, inclusive.
struct CategoryRule {
    std::string name;
    std::string sex;
    int minAge = 0;
    int maxAge = 999;
};

struct Competition {
    std::string title, venue;
    std::string firstDay, lastDay; // "YYYY-MM-DD"; lastDay may be empty (one day)
    std::string chiefJudge;
    std::vector<CategoryRule> categories;
    std::vector<Entrant> roster;
    // The draw, kept so that it can be shown and repeated: the same seed over
    // the same roster gives the same start numbers.
    uint32_t drawSeed = 0;
    int drawGroupSize = 0; // 0: plain start numbers; N: seats in groups of N
    bool drawn = false;
};

// Youngsters up to 16, juniors 17-21, seniors 22-49, veterans 50 and over,
// each for men and for women, with Russian names.
std::vector<CategoryRule> DefaultCategories();
// A new competition: the default categories, nothing else.
Competition NewCompetition();

// "YYYY-MM-DD" of a real day from 1900 on.
bool IsCalendarDay(const std::string& day);
// The year of firstDay, or 0 when it has none.
int CompetitionYear(const Competition& competition);
// The dates as a sheet shows them: "12.03.2026" or "12.03.2026 - 14.03.2026"
// (an en dash); "" without a first day.
std::string DatesText(const Competition& competition);
// The first category whose sex and age (competition year - birth year) fit;
// "" when none does or year or sex is unknown.
std::string CategoryOf(const Competition& competition, const std::string& sex, int birthYear);
// Sets the category of every entrant not set by hand (after a change of the
// categories, the date or an entrant).
void UpdateCategories(Competition& competition);

// "M" or "F" of what an organiser types ("M", "м", "муж", "male", "F", "ж",
// "жен", "female", any case); "" when it is neither.
std::string SexOfText(const std::string& text);

// The entrant with that start number, or with that name by NameKey (case and
// blanks do not count); null when none. By number first when `text` is a
// number, so that typing "12" finds start number 12.
const Entrant* FindEntrant(const Competition& competition, const std::string& text);
Entrant* FindEntrantByNumber(Competition& competition, int startNumber);
Entrant* FindEntrantByName(Competition& competition, const std::string& name);

// The smallest number above every number taken: a participant added after
// the draw moves nobody.
int NextFreeStartNumber(const Competition& competition);
// Adds an entrant (name cleaned; its number the next free one when it has
// none; its category computed unless set by hand). False with `error` set
// when the name is empty, already in the roster (by NameKey), or the number
// is taken or out of range.
bool AddEntrant(Competition& competition, Entrant entrant, std::string& error);

// Changes the entrant numbered `startNumber` to `entrant` by the rules of
// AddEntrant (its own name and number do not count as taken); false with
// `error` set and the roster unchanged otherwise.
bool ChangeEntrant(Competition& competition, int startNumber, const Entrant& entrant, std::string& error);
// Removes the entrant of that number; false when there is none.
bool RemoveEntrant(Competition& competition, int startNumber);

// The file's bytes: a semicolon file (UTF-8 with a byte order mark, cells
// quoted as in Results.csv) whose first cell of a row says what it holds, so
// that a spreadsheet opens it and hand edits survive.
std::string CompetitionCsv(const Competition& competition);
// Reads those bytes; unknown rows are skipped (a newer program's), blank
// lines and a missing byte order mark do not matter, a 1251 line is read
// as such. False with `error` naming the row for anything that is not a
// competition file or a row that cannot be understood.
bool ParseCompetitionCsv(const std::string& bytes, Competition& competition, std::string& error);

enum class CompetitionLoad { Loaded, Missing, Unreadable };
// A missing file leaves NewCompetition(); an unreadable one must not be
// overwritten (the caller says so rather than saving over it).
CompetitionLoad LoadCompetition(const std::string& path, Competition& competition, std::string& error);
// Through the replacing write: the old file survives a failed one.
bool SaveCompetition(const std::string& path, const Competition& competition, std::string& error);
