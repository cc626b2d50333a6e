// A diary of many checks for the benchmarks, native and under Wine: 64
// distinct checks of one-minute texts of the three kinds at 60 to 186 per
// minute, each copy typed in groups with a wrong, a missing and an extra
// character, repeated ninety a day with their numbers and times changed.
#pragma once

#include "diary/DiaryFile.h"
#include "texts/TextEncoding.h"
#include "texts/TrainingSession.h"

#include <string>
#include <vector>

namespace sample {

// A copy of `text` as typed (groups of five, one blank between them) with a
// wrong character, a missing one and an extra one.
inline std::string CopyWithErrors(const std::string& text) {
    std::string copy;
    for (char c : text) {
        if (c == ' ')
            continue;
        if (!copy.empty() && copy.size() % 6 == 5)
            copy += ' ';
        copy += c;
    }
    copy[2] = copy[2] == 'Q' ? 'Y' : 'Q';
    copy.erase(10, 1);
    copy.insert(20, "E");
    return copy;
}

inline DiaryRow CheckedRow(const PlayedText& played) {
    const std::string text = PlayedTextOf(played);
    const std::string copy = CopyWithErrors(text);
    std::u32string t, c;
    DecodeUtf8(text, t);
    DecodeUtf8(copy, c);
    CopyCheck check;
    CheckCopy(t, c, kDefaultMaxErrors, check);
    return MakeDiaryRow(played, check, copy, 0);
}

// The whole file, byte order mark and header included.
inline std::string DiaryBytes(int rows, int firstDay) {
    std::vector<DiaryRow> samples;
    for (int k = 0; k < 64; ++k) {
        PlayedText p;
        p.kind = k % 3;
        p.number = k + 1;
        p.speed = 60 + 2 * k;
        p.groups = StandardGroups(p.speed);
        samples.push_back(CheckedRow(p));
    }
    std::string out = "\xEF\xBB\xBF" + DiaryHeaderLine();
    for (int i = 0; i < rows; ++i) {
        DiaryRow row = samples[static_cast<size_t>(i) % samples.size()];
        row.day = firstDay + i / 90;
        row.second = 8 * 3600 + (i % 90) * 60;
        row.played.number = i + 1;
        out += DiaryLine(row);
    }
    return out;
}

} // namespace sample
