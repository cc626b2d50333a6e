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

    // Index of the character at output position i (n > 1).
    int Choose(int32_t i) {
        const int c = i % n_;
        quota_[c] += 1;
        if (extreme_[c])
            quota_[c] += DrawRandom() % 2 + 1;

        const int32_t lap = i / n_;
        const int64_t target = (int64_t{i} + 1) * sumLen_ / n_;
        const int start = DrawRandom() % n_;
        const int span = n_ - 2 > 0 ? n_ - 2 : 1;
        int l = (DrawRandom() % span + prev_ + 1) % n_;

        // Least used, ties to the larger quota.
        for (int j = 0; j < n_; ++j)
            if (used_[j] < used_[l] || (used_[j] == used_[l] && quota_[j] > quota_[l]))
                l = j;
        // The pair after prev that is wanted most.
        const int32_t* pairQuota = &PairQuota(prev_, 0);
        for (int j = 0; j < n_; ++j)
            if (j != prev_ && pairQuota[j] > pairQuota[l])
                l = j;
        if (l == prev_)
            l = (prev_ + 1) % n_;

        const bool free = i < warm_;
        int64_t best = free ? maxLen_ : std::llabs(len_[l] + cum_ - target);

        // The candidate index wraps by hand: a division per candidate would
        // dominate the time of long texts.
        const int32_t* pairLast = &PairLast(prev_, 0);
        int g = start;
        for (int k = 0; k < n_; ++k, g = g + 1 == n_ ? 0 : g + 1) {
            const int64_t h = std::llabs(len_[g] + cum_ - target);
            const int32_t u = used_[g];
            const int64_t lastPlusGap = int64_t{pairLast[g]} + 2 * n_;
            bool admitted;
            if (u == 0)
                admitted = true;
            else if (u < lap - 1 && lastPlusGap < i)
                admitted = true;
            else
                admitted = !((g == prev_ && posInGroup_ != 0) || quota_[g] <= 0 || lastPlusGap > i ||
                             u > lap + 1 || h > best || pairQuota[g] <= 0);
            if (!admitted)
                continue;

            const int32_t ul = used_[l];
            bool replace;
            if (ul != 0 && u == 0)
                replace = true;
            else if (ul >= lap - 1 && u < lap - 1)
                replace = true;
            else if (h < best)
                replace = true;
            else if (h == best && ul > u)
                replace = true;
            else if (h == best && ul == u && quota_[g] > quota_[l])
                replace = true;
            else if (h == best && ul == u && quota_[g] == quota_[l] && pairQuota[l] < pairQuota[g])
                replace = true;
            else
                replace = ul > lap + 1;
            if (replace) {
                l = g;
                best = h;
            }
            if (free)
                best = maxLen_;
        }

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
};

} // namespace

std::string generateText(int32_t seed, int32_t count, const std::string& alphabet) {
    SeedRandom(static_cast<uint32_t>(seed));
    if (count <= 0 || alphabet.empty() || alphabet.size() > kMaxAlphabet)
        return "";
    return Generator(count, alphabet).Run();
}
