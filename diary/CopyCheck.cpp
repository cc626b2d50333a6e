#include "diary/CopyCheck.h"

#include "learning/Drill.h"
#include "learning/LessonText.h"
#include "texts/TextEncoding.h"
#include "texts/TextGeneratorFields.h"

#include <algorithm>

std::string PlayedTextOf(const PlayedText& played) {
    if (!played.lessonSigns.empty())
        return LessonText(played.lessonSigns, played.number, played.groups);
    if (!played.drillWeights.empty()) {
        std::vector<SignWeight> weights;
        if (!ReadWeightsDigest(played.drillWeights, played.kind, weights))
            return "";
        return DrillText(weights, played.number, played.groups);
    }
    TextFields fields;
    fields.number = played.number;
    fields.kind = played.kind;
    fields.series = played.series;
    fields.groups = played.groups;
    return TextOfFields(fields);
}

bool CopyAccepted(int errors, int maxErrors) {
    return IsAccepted(errors, maxErrors);
}

std::vector<Confusion> CountConfusions(const std::vector<MarkStep>& steps) {
    std::vector<Confusion> out; // in the order each pair first occurs
    for (const MarkStep& s : steps) {
        if (s.op == MarkOp::Match)
            continue;
        const Confusion key{s.op == MarkOp::Extra ? 0 : s.text, s.op == MarkOp::Missing ? 0 : s.copy, 0};
        auto it = std::find_if(out.begin(), out.end(), [&](const Confusion& c) {
            return c.expected == key.expected && c.written == key.written;
        });
        if (it == out.end())
            out.push_back({key.expected, key.written, 1});
        else
            ++it->count;
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Confusion& a, const Confusion& b) { return a.count > b.count; });
    return out;
}

bool CheckCopy(const std::u32string& text, const std::u32string& copy, int maxErrors, CopyCheck& check) {
    check = CopyCheck{};
    if (!MarkCopy(text, copy, check.mark)) {
        check.mark = MarkResult{};
        return false;
    }
    check.errors = check.mark.errors;
    check.characters = check.mark.characters;
    check.right = 0;
    for (const MarkStep& s : check.mark.steps)
        check.right += s.op == MarkOp::Match;
    check.accepted = CopyAccepted(check.errors, maxErrors);
    check.confusions = CountConfusions(check.mark.steps);
    return true;
}

int ShareTenths(long long part, long long whole) {
    if (whole <= 0)
        return -1;
    return static_cast<int>((part * 2000 + whole) / (2 * whole));
}

std::string TenthsText(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string ConfusionsText(const std::vector<Confusion>& confusions, const ConfusionWords& words) {
    std::string out;
    for (const Confusion& c : confusions) {
        const std::string& pattern = !c.expected ? words.extra : !c.written ? words.missing : words.wrong;
        if (!out.empty())
            out += words.separator;
        for (size_t k = 0; k < pattern.size(); ++k) {
            if (pattern[k] == '%' && k + 1 < pattern.size() && pattern[k + 1] >= '1' &&
                pattern[k + 1] <= '3') {
                const char which = pattern[++k];
                out += which == '1'   ? (c.expected ? EncodeUtf8(c.expected) : "")
                       : which == '2' ? (c.written ? EncodeUtf8(c.written) : "")
                                      : std::to_string(c.count);
            } else {
                out += pattern[k];
            }
        }
    }
    return out;
}
