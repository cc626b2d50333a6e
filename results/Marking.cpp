#include "results/Marking.h"

#include <algorithm>

namespace {
bool Ignored(char32_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
} // namespace

std::u32string MarkingCharacters(const std::u32string& text) {
    std::u32string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (Ignored(c))
            continue;
        out += (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
    }
    return out;
}

bool MarkCopy(const std::u32string& textIn, const std::u32string& copyIn, MarkResult& result) {
    result = MarkResult{};
    if (copyIn.size() > kMaxCopyCharacters)
        return false;
    const std::u32string a = MarkingCharacters(textIn);
    const std::u32string b = MarkingCharacters(copyIn);
    result = MarkResult{};
    if (a.size() > kMaxMarkedCharacters || b.size() > kMaxMarkedCharacters)
        return false;
    const size_t n = a.size(), m = b.size(), w = m + 1;
    // d[i * w + j]: errors between the first i characters of the text and the
    // first j of the copy. Counts stay below 2 x kMaxMarkedCharacters.
    std::vector<uint16_t> d((n + 1) * w);
    for (size_t j = 0; j <= m; ++j)
        d[j] = static_cast<uint16_t>(j);
    for (size_t i = 1; i <= n; ++i) {
        uint16_t* row = &d[i * w];
        const uint16_t* up = row - w;
        row[0] = static_cast<uint16_t>(i);
        const char32_t ca = a[i - 1];
        for (size_t j = 1; j <= m; ++j) {
            const unsigned diagonal = up[j - 1] + (ca == b[j - 1] ? 0u : 1u);
            const unsigned gap = std::min(up[j], row[j - 1]) + 1u;
            row[j] = static_cast<uint16_t>(std::min(diagonal, gap));
        }
    }
    result.errors = d[n * w + m];
    result.characters = static_cast<int>(n);

    // Back from the end: a match or a wrong character first, then a missing
    // character, then an extra one, whichever keeps the least count.
    std::vector<MarkStep>& steps = result.steps;
    steps.reserve(n + m);
    size_t i = n, j = m;
    while (i > 0 || j > 0) {
        const unsigned here = d[i * w + j];
        if (i > 0 && j > 0) {
            const bool same = a[i - 1] == b[j - 1];
            if (d[(i - 1) * w + j - 1] + (same ? 0u : 1u) == here) {
                steps.push_back({same ? MarkOp::Match : MarkOp::Wrong, a[i - 1], b[j - 1]});
                --i, --j;
                continue;
            }
        }
        if (i > 0 && d[(i - 1) * w + j] + 1u == here) {
            steps.push_back({MarkOp::Missing, a[i - 1], 0});
            --i;
        } else {
            steps.push_back({MarkOp::Extra, 0, b[j - 1]});
            --j;
        }
    }
    std::reverse(steps.begin(), steps.end());
    return true;
}

std::string TextBoxMarks(const std::u32string& shown, const MarkResult& result) {
    std::string marks(shown.size(), ' ');
    // Positions in `shown` of the compared characters, in order.
    std::vector<size_t> at;
    at.reserve(shown.size());
    for (size_t k = 0; k < shown.size(); ++k)
        if (!Ignored(shown[k]))
            at.push_back(k);
    size_t t = 0; // text characters passed
    for (const MarkStep& s : result.steps) {
        if (s.op == MarkOp::Extra) {
            const size_t owner = t > 0 ? t - 1 : 0;
            if (owner < at.size() && marks[at[owner]] == ' ')
                marks[at[owner]] = '%';
            continue;
        }
        if (s.op != MarkOp::Match && t < at.size())
            marks[at[t]] = 'x';
        ++t;
    }
    return marks;
}
