// The text generator page's fields without the window: how a typed value is
// read, which text the four values name, and the file name offered for it.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t kTextNumberLimit = 10000000;
constexpr int32_t kGroupsLimit = 10000;
constexpr int32_t kSaveCountLimit = 100;
// Competition texts are numbered from here on (series 1).
constexpr int32_t kSeriesSeedStep = 10000000;

// A field read as an unsigned number: empty, invalid or 0 reads as 1, and
// anything above `maximum` (however long) as `maximum`.
int32_t ReadFieldValue(const std::string& field, int32_t maximum);
// value + delta kept within 1..maximum.
int32_t StepFieldValue(int32_t value, int64_t delta, int32_t maximum);

struct TextFields {
    int32_t number = 1; // 1..kTextNumberLimit
    int kind = 0;       // TextKind
    int series = 0;     // 0 training, 1 competition
    int32_t groups = 1; // 1..kGroupsLimit
};

int32_t TextSeed(const TextFields& fields);
// generateText of the seed, groups x 5 characters, alphabet of the kind.
std::string TextOfFields(const TextFields& fields);
// "%c_%d_%c_%d": kind letter (l, d, m), number, series letter (t, s), groups.
std::string SuggestedFileName(const TextFields& fields);

// Saving: the file becomes three empty lines and `count` texts from
// fields.number on, each headed by its number, stopping after
// kTextNumberLimit. All or nothing: on a failed write the old file stays and
// nextNumber is fields.number, otherwise the one after the last saved (kept
// within 1..kTextNumberLimit).
struct SaveOutcome {
    bool ok;
    int32_t nextNumber;
};
SaveOutcome SaveConsecutiveTexts(const std::string& path, const TextFields& fields, int count, int width);
