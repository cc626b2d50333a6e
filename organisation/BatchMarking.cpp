#include "organisation/BatchMarking.h"

#include "app/Platform.h"
#include "app/WholeFile.h"
#include "results/Marking.h"
#include "results/ResultsFile.h"
#include "texts/ControlTextBlocks.h"
#include "texts/TextEncoding.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 0x20);
    return s;
}

bool EndsWithTxt(const std::string& name) {
    return name.size() > 4 && Lower(name.substr(name.size() - 4)) == ".txt";
}

int DisciplineOfWord(const std::string& word) {
    const std::string w = Lower(word);
    static const char* const kShort[kDisciplines] = {"l", "f", "m"};
    for (int d = 0; d < kDisciplines; ++d)
        if (w == DisciplineName(d) || w == kShort[d])
            return d;
    return -1;
}

// The regular files of a folder, by name; false when it cannot be listed.
bool ListFiles(const std::string& folder, std::vector<std::string>& names, std::vector<std::string>& paths,
               std::string& error) {
    std::error_code ec;
    fs::directory_iterator it(FileSystemPath(folder), ec), end;
    if (ec) {
        error = "cannot list the folder " + folder + ": " + ec.message();
        return false;
    }
    std::vector<std::pair<std::string, std::string>> found;
    for (; it != end; it.increment(ec)) {
        if (ec) {
            error = "cannot list the folder " + folder + ": " + ec.message();
            return false;
        }
        std::error_code typeError;
        if (it->is_regular_file(typeError))
            found.emplace_back(FileNameOf(it->path().filename()), FileNameOf(it->path()));
    }
    std::sort(found.begin(), found.end());
    for (auto& f : found) {
        names.push_back(f.first);
        paths.push_back(f.second);
    }
    return true;
}

// The text of a discipline at a speed; null with `reason` set when the
// folder holds none, or two different ones.
const ControlFolder::Text* TextFor(const ControlFolder& control, int discipline, int speed,
                                   std::string& reason) {
    const ControlFolder::Text* found = nullptr;
    for (const ControlFolder::Text& t : control.texts) {
        if (t.discipline != discipline || t.speed != speed)
            continue;
        if (found && found->text != t.text) {
            reason = "two different control texts of " + std::string(DisciplineName(discipline)) +
                     " at speed " + std::to_string(speed) + " (" + found->file + ", " + t.file + ")";
            return nullptr;
        }
        found = found ? found : &t;
    }
    if (!found)
        reason = "no control text of " + std::string(DisciplineName(discipline)) + " at speed " +
                 std::to_string(speed);
    return found;
}

// Marks one copy file; false with line.reason set when it cannot be.
bool MarkOne(const std::string& name, const std::string& path, const Competition& competition,
             const ControlFolder& control, int maxErrors, BatchLine& line, MarkRecord& mark) {
    line.file = name;
    BatchName parsed;
    if (!ParseBatchName(name, parsed)) {
        line.reason = "the name is not <start number>_<letters|figures|mixed or L|F|M>_<speed>.txt";
        return false;
    }
    line.discipline = parsed.discipline;
    line.speed = parsed.speed;
    const Entrant* entrant = nullptr;
    for (const Entrant& e : competition.roster)
        if (e.startNumber == parsed.startNumber)
            entrant = &e;
    if (!entrant) {
        line.reason = "no start number " + std::to_string(parsed.startNumber) + " in the roster";
        return false;
    }
    line.participant = entrant->name;
    const ControlFolder::Text* text = TextFor(control, parsed.discipline, parsed.speed, line.reason);
    if (!text)
        return false;
    std::string bytes;
    const WholeFileRead read = ReadWholeFile(path, kMaxCopyFileBytes, bytes);
    if (read != WholeFileRead::Read) {
        line.reason = WholeFileProblem(read, name, kMaxCopyFileBytes);
        return false;
    }
    const std::string copy = AnyTextToUtf8(bytes);
    std::u32string controlText, copyText;
    DecodeUtf8(text->text, controlText);
    DecodeUtf8(copy, copyText);
    MarkResult result;
    if (StoredCopy(copy).empty()) {
        line.reason = "the copy is empty";
        return false;
    }
    if (!MarkCopy(controlText, copyText, result)) {
        line.reason = "the copy is too long to mark";
        return false;
    }
    line.errors = result.errors;
    line.accepted = IsAccepted(result.errors, maxErrors);
    mark = {entrant->name, parsed.discipline, parsed.speed, result.errors, StoredCopy(copy), ""};
    return true;
}
} // namespace

bool ParseBatchName(const std::string& fileName, BatchName& name) {
    if (!EndsWithTxt(fileName))
        return false;
    const std::string stem = fileName.substr(0, fileName.size() - 4);
    const size_t first = stem.find('_'), second = stem.find('_', first + 1);
    if (first == std::string::npos || second == std::string::npos ||
        stem.find('_', second + 1) != std::string::npos)
        return false;
    long long number = 0, speed = 0;
    const int discipline = DisciplineOfWord(stem.substr(first + 1, second - first - 1));
    if (!ReadCsvWhole(stem.substr(0, first), 1, kMaxStartNumber, number) ||
        !ReadCsvWhole(stem.substr(second + 1), 1, 100000, speed) || discipline < 0)
        return false;
    name.startNumber = static_cast<int>(number);
    name.discipline = discipline;
    name.speed = static_cast<int>(speed);
    return true;
}

const char* BatchOutcomeName(BatchOutcome outcome) {
    switch (outcome) {
    case BatchOutcome::Marked:
        return "marked";
    case BatchOutcome::Replaced:
        return "replaced";
    case BatchOutcome::Refused:
        return "refused";
    case BatchOutcome::NotUnderstood:
        return "not understood";
    case BatchOutcome::NotStored:
        return "not stored";
    }
    return "";
}

bool ReadControlFolder(const std::string& folder, ControlFolder& control, std::string& error) {
    control = ControlFolder();
    std::vector<std::string> names, paths;
    if (!ListFiles(folder, names, paths, error))
        return false;
    for (size_t k = 0; k < names.size(); ++k) {
        const int discipline = DisciplineOfFileName(names[k]);
        if (discipline < 0)
            continue;
        std::vector<ControlBlock> blocks;
        std::string problem;
        if (LoadControlBlocks(paths[k], blocks, problem) != ControlLoad::Loaded) {
            control.problems.push_back(problem);
            continue;
        }
        // A run restarted after Stop writes a speed twice: the last counts.
        for (int speed : BlockSpeeds(blocks))
            if (speed > 0)
                control.texts.push_back({discipline, speed, BlockForSpeed(blocks, speed)->text, names[k]});
    }
    return true;
}

bool MarkFolder(const std::string& copyFolder, const std::string& controlFolder,
                const Competition& competition, const std::string& resultsPath, int maxErrors, int maxCopies,
                const std::string& markedAt, BatchReport& report, uint32_t lockWaitMs) {
    report = BatchReport();
    std::vector<std::string> names, paths;
    ControlFolder control;
    if (!ListFiles(copyFolder, names, paths, report.error) ||
        !ReadControlFolder(controlFolder, control, report.error))
        return false;

    std::vector<MarkRecord> marks;
    std::vector<size_t> lineOfMark;
    for (size_t k = 0; k < names.size(); ++k) {
        if (!EndsWithTxt(names[k]))
            continue;
        BatchLine line;
        MarkRecord mark;
        if (MarkOne(names[k], paths[k], competition, control, maxErrors, line, mark)) {
            mark.markedAt = markedAt;
            marks.push_back(std::move(mark));
            lineOfMark.push_back(report.lines.size());
        }
        report.lines.push_back(std::move(line));
    }
    if (marks.empty())
        return true;

    std::vector<StoreOutcome> outcomes;
    std::vector<std::string> reasons;
    const StoreOutcome stored =
        StoreMarks(resultsPath, marks, maxCopies, outcomes, reasons, report.error, lockWaitMs);
    const bool ok = stored == StoreOutcome::Added || stored == StoreOutcome::Refused;
    for (size_t m = 0; m < marks.size(); ++m) {
        BatchLine& line = report.lines[lineOfMark[m]];
        if (!ok) {
            line.outcome = BatchOutcome::NotStored;
            line.reason = report.error;
            continue;
        }
        line.outcome = outcomes[m] == StoreOutcome::Added      ? BatchOutcome::Marked
                       : outcomes[m] == StoreOutcome::Replaced ? BatchOutcome::Replaced
                                                               : BatchOutcome::Refused;
        line.reason = reasons[m];
    }
    report.written = stored == StoreOutcome::Added;
    return ok;
}
