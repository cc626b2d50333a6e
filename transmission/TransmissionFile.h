// The transmission results of a competition ("Transmission.csv", in the
// folder of the results file): UTF-8 with a byte order mark, semicolons and
// the results file's cell rules, a header row, then one row per judged
// transmission: participant; discipline; text number; cpm; mistakes;
// accepted (1/0); quality; ratio; copy; sent at; key times. The key times
// are kept so that a referee can replay and check the judgement.
//
// Rows: a transmission of the same participant (NameKey), discipline and
// text number replaces the earlier row (the text sent again, or judged
// again); any other is added: every attempt is kept for the referee, and
// the best accepted one counts.
#pragma once

#include "results/ResultsFile.h"
#include "transmission/KeyTiming.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr const char* kTransmissionFileName = "Transmission.csv";

struct TransmissionRecord {
    std::string participant; // UTF-8
    int discipline = 0;      // TextKind: letters, figures, mixed
    long long textNumber = 0;
    int cpm = 0;
    int mistakes = 0;
    bool accepted = false;
    double quality = 0; // KeyStatistics::quality, one decimal
    double ratio = 0;   // two decimals
    std::string copy;   // the corrected copy, UTF-8
    std::string sentAt; // "YYYY-MM-DD HH:MM:SS", local time
    KeyTimes keys;      // from 0 at the first key down, to 0.1 ms
};

// The transmission file beside a results file.
std::string TransmissionPathOf(const std::string& resultsFile);

// The key times in one cell: the first down, then each press's length and
// the silence to the next down, in tenths of a millisecond, separated by
// blanks; times are taken relative to the first down, rounded to 0.1 ms.
std::string KeyTimesCell(const KeyTimes& keys);
// False with `error` for anything else.
bool ReadKeyTimesCell(const std::string& cell, KeyTimes& keys, std::string& error);

std::string TransmissionCsv(const std::vector<TransmissionRecord>& records);
// False with `error` naming the row when the bytes are not such a file;
// empty bytes are an empty file.
bool ParseTransmissionCsv(const std::string& bytes, std::vector<TransmissionRecord>& records,
                          std::string& error);
ResultsLoad LoadTransmissionFile(const std::string& path, std::vector<TransmissionRecord>& records,
                                 std::string& error);

// Stores a row by the rule above, under the lock file of the path, through
// the results' safe writer: Added, Replaced, or a failure (Unreadable: the
// file is kept as it is) with `error` set.
StoreOutcome StoreTransmission(const std::string& path, const TransmissionRecord& record, std::string& error,
                               uint32_t lockWaitMs = kResultsLockWaitMs);
