#include "texts/TextGenerator.h"

#include "sound/MorseTable.h"
#include "texts/Random.h"

#include <cstdlib>
#include <utility>
#include <vector>

const char* TextAlphabet(int kind) {
    switch (kind) {
    case TextLetters:
        return "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    case TextFigures:
        return "0123456789";
    case TextMixed:
        return "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,=?/";
    default:
        return "";
    }
}

namespace {

// Every quantity below is the one the generator has always used; the integer
// divisions truncate on purpose, because other implementations must produce
// the same texts from the same numbers. 64-bit intermediates only guard the
// products against overflow; for every count a page can ask for they equal
// the 32-bit results.
class Generator {
public:
    Generator(int32_t count, const std::string& alphabet)
        : count_(count), n_(static_cast<int>(alphabet.size())), abc_(alphabet) {}

    std::string Run() {
        SetUp();
        std::string out;
        out.reserve(static_cast<size_t>(count_) * 2 + static_cast<size_t>(count_ / 5) * 2);
        for (int32_t i = 0; i < count_; ++i) {
            const int l = n_ == 1 ? 0 : Choose(i);
            Emit(i, l, out);
        }
        return out;
    }

private:
    int32_t& PairQuota(int p, int q) { return pairQuota_[static_cast<size_t>(p) * n_ + q]; }
    int32_t& PairLast(int p, int q) { return pairLast_[static_cast<size_t>(p) * n_ + q]; }

    void SetUp() {
        const int r = DrawRandom();
        const int64_t d = ((r % 3 + 1) * int64_t{count_} * 26 / 200) / n_ + 1;
        interval_ = count_ / d;
        probability_ = d * 1000 / count_;

        for (int k = 0; k < n_; ++k) {
            const int i = DrawRandom() % n_;
            const int j = DrawRandom() % n_;
            std::swap(abc_[static_cast<size_t>(i)], abc_[static_cast<size_t>(j)]);
        }

        len_.resize(static_cast<size_t>(n_));
        for (int x = 0; x < n_; ++x) {
            len_[x] = MorsePatternLength(static_cast<unsigned char>(abc_[static_cast<size_t>(x)]));
            maxLen_ = len_[x] > maxLen_ ? len_[x] : maxLen_;
            sumLen_ += len_[x];
        }
        extreme_.resize(static_cast<size_t>(n_));
        for (int x = 0; x < n_; ++x)
            extreme_[x] = 6 * len_[x] <= maxLen_ || 6 * len_[x] > 5 * maxLen_;

        int base = count_ / n_ / n_;
        if (base == 0)
            base = 1;

        used_.assign(static_cast<size_t>(n_), 0);
        quota_.assign(static_cast<size_t>(n_), 0);
        pairQuota_.assign(static_cast<size_t>(n_) * n_, 0);
        pairLast_.assign(static_cast<size_t>(n_) * n_, 0);
        for (int p = 0; p < n_; ++p) {
            quota_[p] = DrawRandom() % 2 + 1;
            if (extreme_[p])
                quota_[p] += DrawRandom() % 2 + 2;
            for (int q = 0; q < n_; ++q)
                PairLast(p, q) = -2 * n_;
            for (int q = 0; q < n_; ++q) {
                PairQuota(p, q) = base + 1;
                if (extreme_[q])
                    PairQuota(p, q) += DrawRandom() % 2;
            }
        }

        warm_ = count_ - n_;
        if (warm_ <= 0)
            warm_ = count_ / 2;
    }

    // One output position as the candidate scan sees it: candidates are
    // taken in the order start, start + 1, ... wrapping round.
    struct Position {
        int32_t i;
        int32_t below, above; // lap - 1 and lap + 1
        int skip;             // prev inside a group, where it may not double; else -1
        int64_t drift;        // cum - target
        int start;
        const int32_t* pairQuota; // the rows of prev
        const int32_t* pairLast;
    };

    int At(const Position& at, int k) const {
        const int g = at.start + k;
        return g >= n_ ? g - n_ : g;
    }

    // Orders by use, then by the larger quota: a use below 2^31 and any
    // 32-bit quota keep the two parts apart.
    int64_t UseKey(int j) const { return int64_t{used_[j]} * (int64_t{1} << 32) - quota_[j]; }

    int64_t Distance(const Position& at, int g) const { return std::llabs(len_[g] + at.drift); }

    bool Admitted(const Position& at, int g, int64_t best) const {
        const int32_t u = used_[g];
        const int64_t lastPlusGap = int64_t{at.pairLast[g]} + 2 * n_;
        if (u == 0 || (u < at.below && lastPlusGap < at.i))
            return true;
        return !(g == at.skip || quota_[g] <= 0 || lastPlusGap > at.i || u > at.above ||
                 Distance(at, g) > best || at.pairQuota[g] <= 0);
    }

    bool Replaces(const Position& at, int g, int l, int64_t h, int64_t best) const {
        const int32_t u = used_[g], ul = used_[l];
        if ((ul != 0 && u == 0) || (ul >= at.below && u < at.below) || h < best)
            return true;
        const int32_t q = quota_[g], ql = quota_[l];
        if (h == best && (ul > u || (ul == u && (q > ql || (q == ql && at.pairQuota[l] < at.pairQuota[g])))))
            return true;
        return ul > at.above;
    }

    // The candidates from the k-th in scan order on, each admitted one
    // replacing the choice l when it is better.
    int Scan(const Position& at, int k, int l, bool free) const {
        int64_t best = free ? maxLen_ : Distance(at, l);
        for (; k < n_; ++k) {
            const int g = At(at, k);
            if (!Admitted(at, g, best))
                continue;
            const int64_t h = Distance(at, g);
            if (Replaces(at, g, l, h, best)) {
                l = g;
                best = h;
            }
            if (free)
                best = maxLen_;
        }
        return l;
    }

    // Index of the character at output position i (n > 1).
    int Choose(int32_t i) {
        // i % n and i / n, counted rather than divided.
        const int c = column_;
        const int32_t lap = lap_;
        if (++column_ == n_) {
            column_ = 0;
            ++lap_;
        }
        quota_[c] += 1;
        if (extreme_[c])
            quota_[c] += DrawRandom() % 2 + 1;

        const int64_t target = (int64_t{i} + 1) * sumLen_ / n_;
        const Position at{i,
                          lap - 1,
                          lap + 1,
                          posInGroup_ != 0 ? prev_ : -1,
                          cum_ - target,
                          DrawRandom() % n_,
                          &PairQuota(prev_, 0),
                          &PairLast(prev_, 0)};
        const int span = n_ - 2 > 0 ? n_ - 2 : 1;
        const int guess = (DrawRandom() % span + prev_ + 1) % n_;
        return Double(i, Pick(at, guess));
    }

    // The character for position at, starting from the guess l.
    int Pick(const Position& at, int l) const {
        const bool free = at.i < warm_;
        if (free) {
            // While the length is free every candidate is measured against
            // maxLen alone, and an admitted one nearer than that replaces
            // whatever was chosen before it. So the last such candidate in
            // scan order stands, challenged only by those after it; in long
            // texts that spares nearly the whole scan.
            for (int k = n_ - 1; k >= 0; --k) {
                const int g = At(at, k);
                if (Distance(at, g) < maxLen_ && Admitted(at, g, maxLen_))
                    return Scan(at, k + 1, g, true);
            }
        }

        // Least used, ties to the larger quota: the first of the smallest
        // keys, or l if it holds one. The values are carried, not read back.
        int64_t least = UseKey(l);
        for (int j = 0; j < n_; ++j) {
            const int64_t key = UseKey(j);
            l = key < least ? j : l;
            least = key < least ? key : least;
        }
        // The pair after prev that is wanted most.
        int32_t most = at.pairQuota[l];
        for (int j = 0; j < n_; ++j) {
            const int32_t p = j == prev_ ? most : at.pairQuota[j];
            l = p > most ? j : l;
            most = p > most ? p : most;
        }
        if (l == prev_)
            l = (prev_ + 1) % n_;
        return Scan(at, 0, l, free);
    }

    // The chance of a doubled character, and never three alike.
    int Double(int32_t i, int l) {
        if (prev_ != prevPrev_ && posInGroup_ != 0 && i > int64_t{doubles_} * interval_) {
            if (DrawRandom() % 100 < probability_)
                l = prev_;
        }
        // Applies whether or not the doubling draw was taken.
        if (l == prev_) {
            if (prev_ == prevPrev_)
                l = (l + 1) % n_; // never three alike
            if (l == prev_ && posInGroup_ != 0)
                doubles_ += 1;
        }
        return l;
    }

    void Emit(int32_t i, int l, std::string& out) {
        used_[l] += 1;
        cum_ += len_[l];
        out += abc_[static_cast<size_t>(l)];
        out += ' ';
        PairQuota(prev_, l) -= 1;
        quota_[l] -= 1;
        PairLast(prev_, l) = i;
        prevPrev_ = prev_;
        prev_ = l;
        if (++posInGroup_ == 5) {
            posInGroup_ = 0;
            out += "  ";
        }
    }

    const int32_t count_;
    const int n_;
    std::string abc_; // shuffled copy of the alphabet
    std::vector<int> len_;
    std::vector<char> extreme_; // very short or very long
    int maxLen_ = 0;
    int sumLen_ = 0;
    int64_t interval_ = 0;
    int64_t probability_ = 0;
    int32_t warm_ = 0;
    std::vector<int32_t> used_, quota_;
    std::vector<int32_t> pairQuota_, pairLast_;
    int prev_ = 0, prevPrev_ = 0;
    int64_t cum_ = 0;
    int posInGroup_ = 0;
    int32_t doubles_ = 0;
    int column_ = 0;
    int32_t lap_ = 0;
};

} // namespace

std::string generateText(int32_t seed, int32_t count, const std::string& alphabet) {
    SeedRandom(static_cast<uint32_t>(seed));
    if (count <= 0 || alphabet.empty() || alphabet.size() > kMaxAlphabet)
        return "";
    return Generator(count, alphabet).Run();
}
