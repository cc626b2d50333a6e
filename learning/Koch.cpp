#include "learning/Koch.h"

#include "sound/MorseTable.h"
#include "texts/TextGenerator.h"

#include <cstring>

namespace {
std::string Quoted(char c) {
    return std::string("'") + c + "'";
}
} // namespace

bool CheckKochOrder(const std::string& order, std::string& problem) {
    // The 41 signs are the mixed alphabet's.
    const std::string signs = TextAlphabet(TextMixed);
    bool seen[256] = {};
    for (char c : order) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (signs.find(c) == std::string::npos || !*MorsePattern(u)) {
            problem = "the Koch order holds " + Quoted(c) +
                      ", which is not one of the 41 signs (A-Z, 0-9, . , ? / =)";
            return false;
        }
        if (seen[u]) {
            problem = "the Koch order holds " + Quoted(c) + " more than once";
            return false;
        }
        seen[u] = true;
    }
    for (char c : signs) {
        if (!seen[static_cast<unsigned char>(c)]) {
            problem = "the Koch order lacks " + Quoted(c) + "; it must hold each of the 41 signs once";
            return false;
        }
    }
    problem.clear();
    return true;
}

std::string KochOrderOrDefault(const std::string& configured) {
    std::string problem;
    return CheckKochOrder(configured, problem) ? configured : std::string(kDefaultKochOrder);
}

std::string LessonSigns(const std::string& order, int lesson) {
    lesson = lesson < 1 ? 1 : lesson > kKochLessons ? kKochLessons : lesson;
    return order.substr(0, static_cast<size_t>(lesson) + 1);
}
