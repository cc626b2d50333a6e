#include "learning/LearningSession.h"

#include "config/ConfigStore.h"
#include "learning/Koch.h"
#include "sound/MorseTable.h"

LessonResult JudgeLessonText(int right, int characters, int groups, int passPercent) {
    if (groups < kPassGroups)
        return LessonResult::TooShort;
    return characters > 0 &&
                   static_cast<long long>(right) * 100 >= static_cast<long long>(passPercent) * characters
               ? LessonResult::Passed
               : LessonResult::NotPassed;
}

int LessonReachedAfterPass(int lesson, int reachedBefore) {
    const int next = lesson < kKochLessons ? lesson + 1 : kKochLessons;
    return next > reachedBefore ? next : reachedBefore;
}

std::string MarkedSigns(const std::string& signs) {
    std::string shown;
    for (size_t i = 0; i < signs.size(); ++i) {
        if (i > 0)
            shown += ' ';
        if (i + 1 == signs.size())
            shown += std::string("[") + signs[i] + "]";
        else
            shown += signs[i];
    }
    return shown;
}

std::string PatternText(char sign) {
    std::string shown;
    for (const char* p = MorsePattern(static_cast<unsigned char>(sign)); *p; ++p) {
        if (*p == '.')
            shown += "·";
        else if (*p == '-')
            shown += "—";
        else if (p[1] != '\0')
            shown += ' ';
    }
    return shown;
}

std::string NewSignSent(char sign) {
    const std::string one(1, sign);
    return one + " " + one + " " + one;
}

std::string LessonLine(int lesson, const std::string& order) {
    const std::string signs = LessonSigns(order, lesson);
    std::string line = std::to_string(lesson) + ".";
    // The first lesson brings two signs, every later one a single sign.
    for (size_t i = lesson == 1 ? 0 : signs.size() - 1; i < signs.size(); ++i)
        line += std::string(" ") + signs[i];
    return line;
}

std::string WeightLine(const SignWeight& weight) {
    std::string line;
    line += static_cast<char>(weight.sign);
    line += "   ";
    if (weight.checked <= 0)
        return line + "—";
    return line + TenthsText(ShareTenths(weight.errors, weight.checked)) + " % (" +
           std::to_string(weight.checked) + ")";
}

bool ReadLearningHideText(ConfigStore& store) {
    int v = 1;
    if (!store.GetInt("Learning", "HideText", v) || (v != 0 && v != 1))
        v = 1;
    store.SetInt("Learning", "HideText", v);
    return v == 1;
}

void StoreLearningHideText(ConfigStore& store, bool hide) {
    store.SetInt("Learning", "HideText", hide ? 1 : 0);
}
