#include "transmission/KeyStats.h"

#include <algorithm>
#include <cmath>

namespace {

struct Sums {
    double sum = 0, squares = 0, relative = 0; // relative: sum of (x / ideal - 1)^2
    int count = 0;

    void Add(double units, double ideal) {
        sum += units;
        squares += units * units;
        relative += (units / ideal - 1) * (units / ideal - 1);
        ++count;
    }
    TimingFigure Figure() const {
        TimingFigure f;
        f.count = count;
        if (count == 0)
            return f;
        f.mean = sum / count;
        f.spread = std::sqrt(std::max(0.0, squares / count - f.mean * f.mean));
        return f;
    }
};

double Ideal(ElementKind kind) {
    switch (kind) {
    case ElementKind::Dot:
    case ElementKind::IntraGap:
        return 1;
    case ElementKind::Dash:
    case ElementKind::CharGap:
        return 3;
    case ElementKind::WordGap:
        break;
    }
    return 7;
}

bool IsMark(ElementKind kind) {
    return kind == ElementKind::Dot || kind == ElementKind::Dash;
}

void Count(std::vector<int>& bins, double units) {
    int bin = static_cast<int>(std::floor(units / kHistogramBinUnits + 0.5));
    bin = std::min(std::max(bin, 0), kHistogramBins - 1);
    ++bins[static_cast<size_t>(bin)];
}

} // namespace

KeyStatistics MeasureKeying(const KeyDecoding& decoding) {
    KeyStatistics s;
    s.histogram.marks.assign(kHistogramBins, 0);
    s.histogram.gaps.assign(kHistogramBins, 0);
    double dotSum = 0, dashSum = 0;
    int dots = 0, dashes = 0;
    for (const DecodedElement& e : decoding.elements) {
        if (e.kind == ElementKind::Dot) {
            dotSum += e.lengthMs;
            ++dots;
        } else if (e.kind == ElementKind::Dash) {
            dashSum += e.lengthMs;
            ++dashes;
        }
    }
    if (dots + dashes == 0 || decoding.characters.empty())
        return s;
    s.unitMs = dots ? dotSum / dots : dashSum / dashes / 3;
    if (dots && dashes)
        s.ratio = (dashSum / dashes) / (dotSum / dots);
    s.characters = static_cast<int>(decoding.characters.size());
    s.elapsedMs = decoding.characters.back().endMs - decoding.characters.front().startMs + 3 * s.unitMs;
    s.cpm = 60000.0 * s.characters / s.elapsedMs;

    Sums sums[5];
    std::vector<double> deviation(decoding.characters.size(), 0);
    std::vector<int> parts(decoding.characters.size(), 0);
    for (const DecodedElement& e : decoding.elements) {
        const double units = e.lengthMs / s.unitMs;
        const double ideal = Ideal(e.kind);
        sums[static_cast<int>(e.kind)].Add(units, ideal);
        Count(IsMark(e.kind) ? s.histogram.marks : s.histogram.gaps, units);
        if (IsMark(e.kind) || e.kind == ElementKind::IntraGap) {
            deviation[static_cast<size_t>(e.character)] += std::fabs(units - ideal);
            ++parts[static_cast<size_t>(e.character)];
        }
    }
    s.dots = sums[static_cast<int>(ElementKind::Dot)].Figure();
    s.dashes = sums[static_cast<int>(ElementKind::Dash)].Figure();
    s.intraGaps = sums[static_cast<int>(ElementKind::IntraGap)].Figure();
    s.charGaps = sums[static_cast<int>(ElementKind::CharGap)].Figure();
    s.wordGaps = sums[static_cast<int>(ElementKind::WordGap)].Figure();

    for (size_t i = 0; i < deviation.size(); ++i) {
        const double d = parts[i] ? deviation[i] / parts[i] : 0;
        // Below kLeastDeviation is exact timing as a file of key times keeps it.
        if (d >= kLeastDeviation)
            s.worst.push_back({decoding.characters[i].sign, static_cast<int>(i), d});
    }
    std::stable_sort(s.worst.begin(), s.worst.end(), [](const WorstCharacter& a, const WorstCharacter& b) {
        return a.deviation > b.deviation;
    });
    if (s.worst.size() > static_cast<size_t>(kWorstCharacters))
        s.worst.resize(kWorstCharacters);

    double e = 0;
    int kinds = 0;
    for (const Sums& k : sums)
        if (k.count) {
            e += std::sqrt(k.relative / k.count);
            ++kinds;
        }
    e /= kinds;
    s.quality = std::round(std::max(0.0, 100 * (1 - 2 * e)) * 10) / 10;
    return s;
}
