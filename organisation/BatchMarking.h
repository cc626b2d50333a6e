// Marking a folder of copies in one step: each file named
// "<start number>_<discipline>_<speed>.txt" is marked against the control
// text of that discipline and speed, by the rules of the results page, and
// the marks are stored in the results file in one write under its lock, so
// that a failure leaves the file as it was.
#pragma once

#include "organisation/Competition.h"
#include "results/Results.h"

#include <cstdint>
#include <string>
#include <vector>

struct BatchName {
    int startNumber = 0;
    int discipline = -1;
    int speed = 0;
};
// "12_letters_200.txt", "12_L_200.TXT", "7_mixed_150.txt": the discipline
// as letters/figures/mixed or L/F/M, any case; the number 1..kMaxStartNumber,
// the speed 1..100000, no sign, no blanks. False for anything else.
bool ParseBatchName(const std::string& fileName, BatchName& name);

enum class BatchOutcome {
    Marked,
    Replaced,      // a correction of the participant's mark at that speed
    Refused,       // the copies rule: the participant has enough copies marked
    NotUnderstood, // bad name, unknown start number, no such speed, unreadable
    NotStored,     // marked, but the results file could not be written: nothing stored
};

struct BatchLine {
    std::string file; // the file's name, as the program's file names are (app/Platform.h)
    BatchOutcome outcome = BatchOutcome::NotUnderstood;
    std::string participant; // the roster's name, when the number is known
    int discipline = -1;
    int speed = 0;
    int errors = -1;
    bool accepted = false; // within the error limit
    std::string reason;    // why NotUnderstood or Refused
};

struct BatchReport {
    std::vector<BatchLine> lines; // in file name order
    bool written = false;         // the results file was written
    std::string error;            // why it was not, when something should have been
};

// The control texts of a folder, read once: every file whose name tells its
// discipline (Letters..., Digits..., Mixed...). False with `error` when the
// folder cannot be listed.
struct ControlFolder {
    struct Text {
        int discipline;
        int speed;
        std::string text; // UTF-8
        std::string file;
    };
    std::vector<Text> texts;
    std::vector<std::string> problems; // files that could not be read
};
bool ReadControlFolder(const std::string& folder, ControlFolder& control, std::string& error);

// Marks every .txt file of `copyFolder` (other files are skipped; a .txt
// file with a bad name is reported) and stores the marks by the copies rule
// in `resultsPath`, marked at `markedAt`. False with report.error set when
// a folder cannot be listed or the results file cannot be read or written:
// then nothing was stored.
bool MarkFolder(const std::string& copyFolder, const std::string& controlFolder,
                const Competition& competition, const std::string& resultsPath, int maxErrors, int maxCopies,
                const std::string& markedAt, BatchReport& report, uint32_t lockWaitMs = 5000);

// "marked", "replaced", "refused", "not understood", "not stored".
const char* BatchOutcomeName(BatchOutcome outcome);
