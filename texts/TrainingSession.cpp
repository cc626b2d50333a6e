#include "texts/TrainingSession.h"

#include "sound/MorseStream.h"
#include "sound/MorseTable.h"

#include <cmath>

int AcceptFieldValue(const NumberField& field, long long read) {
    return read >= field.minimum && read <= field.maximum ? static_cast<int>(read) : field.defaultValue;
}

int LimitFieldValue(const NumberField& field, long long value) {
    if (value < field.minimum)
        return field.minimum;
    if (value > field.maximum)
        return field.maximum;
    return static_cast<int>(value);
}

int StandardGroups(int speed) {
    int groups = speed / 5;
    return groups < 1 ? 1 : groups;
}

std::string TrainingSentString(const std::string& text) {
    return kTrainingPreamble + text + "AR";
}

int TextDurationMs(const std::string& text, int unit, int sampleRate, int effectiveUnit) {
    if (sampleRate <= 0)
        return 0;
    const double samples = static_cast<double>(StretchedTextSamples(text, unit, -1, effectiveUnit));
    return static_cast<int>(std::llround(samples / sampleRate * 1000.0));
}

int StretchedSpeed(int charSpeed, int effectiveSpeed) {
    return effectiveSpeed > 0 && effectiveSpeed < charSpeed ? effectiveSpeed : 0;
}
std::string HiddenText(const std::string& text) {
    return std::string(text.size(), ' ');
}

int32_t TextClockMs(LengthMode mode, uint32_t now, uint32_t textStart, int durationMs) {
    if (mode == LengthStandard)
        return static_cast<int32_t>(now - textStart);
    return static_cast<int32_t>(textStart + static_cast<uint32_t>(durationMs) - now);
}

std::vector<bool> EnabledControls(SeriesState state, bool previousAllowed, LengthMode mode) {
    std::vector<bool> on(CtlCount, false);
    const bool playing = state == SeriesState::Playing;
    const bool idle = state == SeriesState::Idle;
    for (TrainingControl c : {CtlTextType, CtlLength, CtlSpeed, CtlSpeedStep, CtlRefresh})
        on[c] = !playing;
    on[CtlGroups] = !playing && mode == LengthFixed;
    on[CtlBack] = on[CtlBegin] = on[CtlTextNumber] = idle;
    on[CtlFinish] = on[CtlStart] = on[CtlRepeat] = state == SeriesState::Series;
    on[CtlPrevious] = state == SeriesState::Series && previousAllowed;
    on[CtlStop] = playing;
    return on;
}

void TrainingSeries::begin(int textNumber) {
    first_ = textNumber;
    repeat_ = true;
}

int TrainingSeries::numberToPlay(int shown) {
    if (repeat_) {
        repeat_ = false;
        return shown;
    }
    return LimitFieldValue(kTextNumberField, static_cast<long long>(shown) + 1);
}

int TrainingSeries::checkedNumber(int shown) const {
    return shown < first_ ? first_ : shown;
}

int TrainingSeries::previous(int shown) {
    repeat_ = true;
    return LimitFieldValue(kTextNumberField, static_cast<long long>(shown) - 1);
}
