#include "learning/LessonText.h"

#include "texts/Random.h"

#include <vector>

namespace {
size_t DrawWeighted(const int* weights, size_t count) {
    long long total = 0;
    for (size_t i = 0; i < count; ++i)
        total += weights[i] > 0 ? weights[i] : 0;
    if (total <= 0)
        return 0;
    long long r = DrawRandom() % total;
    for (size_t i = 0; i + 1 < count; ++i) {
        const int w = weights[i] > 0 ? weights[i] : 0;
        if (r < w)
            return i;
        r -= w;
    }
    return count - 1;
}
} // namespace

std::string SignGroups(const std::string& signs, const std::vector<int>& weights, int32_t number,
                       int32_t groups) {
    SeedRandom(static_cast<uint32_t>(number));
    std::string out;
    if (signs.empty() || groups <= 0 || weights.size() != signs.size())
        return out;
    const int64_t count = int64_t{groups} * 5;
    out.reserve(static_cast<size_t>(count) * 2 + static_cast<size_t>(groups) * 2);
    for (int64_t i = 0; i < count; ++i) {
        out += signs[DrawWeighted(weights.data(), weights.size())];
        out += ' ';
        if (i % 5 == 4)
            out += "  ";
    }
    return out;
}

std::string LessonText(const std::string& signs, int32_t number, int32_t groups) {
    std::vector<int> weights(signs.size(), 1);
    if (!weights.empty())
        weights.back() = 2;
    return SignGroups(signs, weights, number, groups);
}
