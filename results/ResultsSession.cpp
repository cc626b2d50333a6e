#include "results/ResultsSession.h"

#include "config/ConfigStore.h"
#include "results/Marking.h"

#include <algorithm>

namespace {
int ReadAtLeast(ConfigStore& store, const char* key, int minimum, int fallback) {
    int v = 0;
    if (!store.GetInt("Results", key, v) || v < minimum) {
        v = fallback;
        store.SetInt("Results", key, v);
    }
    return v;
}
} // namespace

ResultsLimits ReadResultsLimits(ConfigStore& store) {
    return {ReadAtLeast(store, "MaxErrors", 0, kDefaultMaxErrors),
            ReadAtLeast(store, "MaxCopies", 1, kDefaultMaxCopies)};
}

std::vector<std::string> ParticipantNames(const std::vector<MarkRecord>& records) {
    std::vector<std::string> names;
    for (const MarkRecord& r : records)
        names.push_back(r.participant);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

int StepSpeed(const std::vector<int>& speeds, int current, int delta) {
    if (speeds.empty())
        return current;
    const auto it = std::find(speeds.begin(), speeds.end(), current);
    if (it == speeds.end())
        return speeds.front();
    const long k = std::clamp<long>((it - speeds.begin()) + delta, 0, static_cast<long>(speeds.size()) - 1);
    return speeds[static_cast<size_t>(k)];
}
