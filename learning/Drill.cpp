#include "learning/Drill.h"

#include "diary/DiarySummary.h"
#include "learning/LessonText.h"
#include "texts/TextGenerator.h"

#include <algorithm>

int DrillWeightOfRate(int errors, int checked) {
    if (checked <= 0 || errors <= 0)
        return 1;
    // 1 + 16 x rate, rounded half up.
    const long long weight = 1 + (32LL * errors + checked) / (2LL * checked);
    return weight < kMaxDrillWeight ? static_cast<int>(weight) : kMaxDrillWeight;
}

std::vector<SignWeight> DrillWeights(const DiaryContents& diary, int kind) {
    std::vector<SignWeight> weights;
    for (const char* a = TextAlphabet(kind); *a; ++a)
        weights.push_back({static_cast<unsigned char>(*a), 0, 0, 1});
    // Newest first, whole checks at a time, until every sign has its window.
    size_t open = weights.size();
    std::vector<CharacterSummary> counts;
    for (size_t i = diary.rows.size(); i-- > 0 && open > 0;) {
        if (!CharactersOfRow(diary.rows[i], counts))
            continue;
        for (const CharacterSummary& c : counts) {
            auto w = std::find_if(weights.begin(), weights.end(),
                                  [&](const SignWeight& s) { return s.sign == c.character; });
            if (w == weights.end() || w->checked >= kCharacterWindow)
                continue;
            w->checked += c.checked;
            w->errors += c.errors;
            open -= w->checked >= kCharacterWindow;
        }
    }
    long long sum = 0, checkedSigns = 0;
    for (SignWeight& w : weights) {
        if (w.checked == 0)
            continue;
        w.weight = DrillWeightOfRate(w.errors, w.checked);
        sum += w.weight;
        ++checkedSigns;
    }
    const int average = checkedSigns ? static_cast<int>((2 * sum + checkedSigns) / (2 * checkedSigns)) : 1;
    for (SignWeight& w : weights)
        if (w.checked == 0)
            w.weight = average;
    return weights;
}

std::string WeightsDigest(const std::vector<SignWeight>& weights) {
    std::string digest;
    for (const SignWeight& w : weights)
        digest += static_cast<char>('a' - 1 + std::min(std::max(w.weight, 1), kMaxDrillWeight));
    return digest;
}

bool ReadWeightsDigest(const std::string& digest, int kind, std::vector<SignWeight>& weights) {
    weights.clear();
    const std::string alphabet = TextAlphabet(kind);
    if (alphabet.empty() || digest.size() != alphabet.size())
        return false;
    for (size_t i = 0; i < digest.size(); ++i) {
        if (digest[i] < 'a' || digest[i] > 'a' - 1 + kMaxDrillWeight) {
            weights.clear();
            return false;
        }
        weights.push_back({static_cast<unsigned char>(alphabet[i]), 0, 0, digest[i] - 'a' + 1});
    }
    return true;
}

std::string DrillText(const std::vector<SignWeight>& weights, int32_t number, int32_t groups) {
    std::string signs;
    std::vector<int> w;
    for (const SignWeight& s : weights) {
        signs += static_cast<char>(s.sign);
        w.push_back(std::max(s.weight, 1));
    }
    return SignGroups(signs, w, number, groups);
}

std::vector<SignWeight> HeaviestSigns(const std::vector<SignWeight>& weights, size_t count) {
    std::vector<SignWeight> out = weights;
    std::stable_sort(out.begin(), out.end(), [](const SignWeight& a, const SignWeight& b) {
        if (a.weight != b.weight)
            return a.weight > b.weight;
        // Signs never checked after all others (an order, not a rate of 0).
        if (!a.checked || !b.checked)
            return a.checked && !b.checked;
        return static_cast<long long>(a.errors) * b.checked > static_cast<long long>(b.errors) * a.checked;
    });
    if (out.size() > count)
        out.resize(count);
    return out;
}
