#include "transmission/TransmissionFile.h"

#include "results/Results.h"

#include <cmath>
#include <cstdio>

namespace {

const char* const kHeader[] = {"participant", "discipline", "text", "cpm",  "mistakes", "accepted",
                               "quality",     "ratio",      "copy", "sent", "keys"};
constexpr size_t kColumns = sizeof kHeader / sizeof kHeader[0];
// Tenths of a millisecond in a cell: a day of keying is far below.
constexpr long long kMaxCellTenths = 1000000000000LL;

std::string Decimal(double value, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
}

} // namespace

std::string TransmissionPathOf(const std::string& resultsFile) {
    const size_t slash = resultsFile.find_last_of("/\\");
    return slash == std::string::npos ? kTransmissionFileName
                                      : resultsFile.substr(0, slash + 1) + kTransmissionFileName;
}

std::string KeyTimesCell(const KeyTimes& keys) {
    std::string out;
    if (keys.empty())
        return out;
    const double start = keys.front().downMs;
    long long previousUp = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        // Absolute times are rounded, so that rounding never adds up.
        long long down = std::llround((keys[i].downMs - start) * 10);
        long long up = std::llround((keys[i].upMs - start) * 10);
        down = std::max(down, previousUp);
        up = std::max(up, down + 1);
        if (i)
            out += " " + std::to_string(down - previousUp) + " ";
        out += std::to_string(up - down);
        previousUp = up;
    }
    return out;
}

bool ReadKeyTimesCell(const std::string& cell, KeyTimes& keys, std::string& error) {
    keys.clear();
    long long t = 0;
    size_t pos = 0;
    for (size_t n = 0;; ++n) {
        while (pos < cell.size() && cell[pos] == ' ')
            ++pos;
        if (pos == cell.size()) {
            if (n % 2 == 0 && n > 0) {
                error = "the key times end with a silence, not a press";
                keys.clear();
                return false;
            }
            return true;
        }
        const size_t end = std::min(cell.find(' ', pos), cell.size());
        long long value = 0;
        const bool length = n % 2 == 0;
        if (!ReadCsvWhole(cell.substr(pos, end - pos), length ? 1 : 0, kMaxCellTenths, value) ||
            t + value > kMaxCellTenths || keys.size() >= kMaxKeyPresses) {
            error = "key times: \"" + cell.substr(pos, end - pos) +
                    "\" is not a length in tenths of a millisecond";
            keys.clear();
            return false;
        }
        if (length) {
            keys.push_back({t / 10.0, (t + value) / 10.0});
        }
        t += value;
        pos = end;
    }
}

std::string TransmissionCsv(const std::vector<TransmissionRecord>& records) {
    std::string out = "\xEF\xBB\xBF";
    for (size_t k = 0; k < kColumns; ++k)
        out += std::string(k ? ";" : "") + kHeader[k];
    out += "\r\n";
    for (const TransmissionRecord& r : records) {
        const char* discipline = DisciplineName(r.discipline);
        out += CsvField(r.participant) + ";" + (discipline ? discipline : "") + ";" +
               std::to_string(r.textNumber) + ";" + std::to_string(r.cpm) + ";" + std::to_string(r.mistakes) +
               ";" + (r.accepted ? "yes" : "no") + ";" + Decimal(r.quality, 1) + ";" + Decimal(r.ratio, 2) +
               ";" + CsvField(r.copy) + ";" + CsvField(r.sentAt) + ";" + KeyTimesCell(r.keys) + "\r\n";
    }
    return out;
}

bool ParseTransmissionCsv(const std::string& bytes, std::vector<TransmissionRecord>& records,
                          std::string& error) {
    records.clear();
    const bool read = ReadCsvTable(
        bytes, {std::begin(kHeader), std::end(kHeader)}, "transmission",
        [&](const std::vector<std::string>& cells) {
            TransmissionRecord r;
            r.participant = CleanName(CsvCellText(cells[0]));
            r.discipline = DisciplineOfName(cells[1]);
            long long number = 0, cpm = 0, mistakes = 0;
            std::string problem;
            if (r.participant.empty())
                return std::string("no participant");
            if (r.discipline < 0)
                return "unknown discipline \"" + cells[1] + "\"";
            if (!ReadCsvWhole(cells[2], 0, 100000000, number) || !ReadCsvWhole(cells[3], 0, 100000, cpm) ||
                !ReadCsvWhole(cells[4], 0, 100000, mistakes))
                return std::string("text number, cpm and mistakes must be whole numbers");
            if (cells[5] != "yes" && cells[5] != "no")
                return std::string("accepted must be yes or no");
            if (!ReadCsvDecimal(cells[6], r.quality) || r.quality > 100 || !ReadCsvDecimal(cells[7], r.ratio))
                return std::string("quality (0 to 100) and ratio must be decimals");
            if (!ReadKeyTimesCell(CsvCellText(cells[10]), r.keys, problem))
                return problem;
            r.textNumber = number;
            r.cpm = static_cast<int>(cpm);
            r.mistakes = static_cast<int>(mistakes);
            r.accepted = cells[5] == "yes";
            r.copy = CsvCellText(cells[8]);
            r.sentAt = CsvCellText(cells[9]);
            records.push_back(std::move(r));
            return std::string();
        },
        error);
    if (!read)
        records.clear();
    return read;
}

ResultsLoad LoadTransmissionFile(const std::string& path, std::vector<TransmissionRecord>& records,
                                 std::string& error) {
    records.clear();
    return LoadTableFile(
        path, "transmission results",
        [&](const std::string& bytes, std::string& problem) {
            return ParseTransmissionCsv(bytes, records, problem);
        },
        error);
}

StoreOutcome StoreTransmission(const std::string& path, const TransmissionRecord& record, std::string& error,
                               uint32_t lockWaitMs) {
    return UpdateResultsFileLocked(
        path, error, lockWaitMs, [&](const std::string& target, std::string& bytes, std::string& problem) {
            TransmissionRecord stored = record;
            stored.participant = CleanName(record.participant);
            if (stored.participant.empty() || !DisciplineName(stored.discipline)) {
                problem = "a transmission needs a participant and a discipline; nothing was stored";
                return StoreOutcome::Refused;
            }
            std::vector<TransmissionRecord> records;
            if (LoadTransmissionFile(target, records, problem) == ResultsLoad::Unreadable)
                return StoreOutcome::Unreadable;
            const std::string key = NameKey(stored.participant);
            StoreOutcome outcome = StoreOutcome::Added;
            bool found = false;
            for (TransmissionRecord& r : records)
                if (!found && NameKey(r.participant) == key && r.discipline == stored.discipline &&
                    r.textNumber == stored.textNumber) {
                    r = stored;
                    found = true;
                    outcome = StoreOutcome::Replaced;
                }
            if (!found)
                records.push_back(stored);
            bytes = TransmissionCsv(records);
            return outcome;
        });
}
