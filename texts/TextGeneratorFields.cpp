#include "texts/TextGeneratorFields.h"

#include "app/Platform.h"
#include "texts/ControlTextFile.h"
#include "texts/TextGenerator.h"

#include <cstdio>

int32_t ReadFieldValue(const std::string& field, int32_t maximum) {
    size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    if (i < field.size() && field[i] == '+')
        ++i;
    const size_t digitsStart = i;
    int64_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        // Saturate: a number too long for any integer is still "above".
        if (value <= maximum)
            value = value * 10 + (field[i] - '0');
    }
    const bool hasDigits = i > digitsStart;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    if (!hasDigits || i != field.size() || value <= 0)
        return 1;
    return value > maximum ? maximum : static_cast<int32_t>(value);
}

int32_t StepFieldValue(int32_t value, int64_t delta, int32_t maximum) {
    const int64_t v = static_cast<int64_t>(value) + delta;
    if (v < 1)
        return 1;
    return v > maximum ? maximum : static_cast<int32_t>(v);
}

int32_t TextSeed(const TextFields& fields) {
    return fields.number + (fields.series ? kSeriesSeedStep : 0);
}

std::string TextOfFields(const TextFields& fields) {
    return generateText(TextSeed(fields), fields.groups * 5, TextAlphabet(fields.kind));
}

std::string SuggestedFileName(const TextFields& fields) {
    static const char kindLetters[] = {'l', 'd', 'm'};
    const char kind = fields.kind >= 0 && fields.kind <= 2 ? kindLetters[fields.kind] : 'l';
    char name[64];
    std::snprintf(name, sizeof name, "%c_%d_%c_%d", kind, static_cast<int>(fields.number),
                  fields.series ? 's' : 't', static_cast<int>(fields.groups));
    return name;
}

SaveOutcome SaveConsecutiveTexts(const std::string& path, const TextFields& fields, int count, int width) {
    // The whole file is made first and then put in place of the old one, so
    // a failed save leaves whatever file was there.
    TextFields f = fields;
    std::string bytes = ControlTextBlock("", width, -1);
    for (int k = 0; k < count; ++k) {
        bytes += ControlTextBlock(TextOfFields(f), width, f.number);
        // The last number is saved once; the field stays at it.
        if (f.number >= kTextNumberLimit)
            break;
        f.number = StepFieldValue(f.number, 1, kTextNumberLimit);
    }
    if (!WriteFileReplacing(path, bytes))
        return {false, fields.number};
    return {true, f.number};
}
