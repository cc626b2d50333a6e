#include "controls/LabelTimerRules.h"

std::string TrimLabelText(const char* text) {
    std::string result;
    for (size_t i = 0; text && i < 1023 && text[i] != '\0'; ++i)
        result += text[i];
    while (result.size() > 1 && result.back() == ' ')
        result.pop_back();
    return result;
}

int LabelStartHeight(int h) {
    return -(h - 2);
}

int LabelFittedHeight(int w, int h, int tw, int th) {
    if (tw > w)
        return static_cast<int>(-0.95 * (h - 2) * w / tw);
    if (th > h - 2 && th > 0)
        return -((h - 2) * (h - 2) / th);
    return LabelStartHeight(h);
}

bool LabelInRelief(int lfHeight) {
    return lfHeight > 20 || lfHeight < -20;
}

int TimerStartHeight(int h) {
    return -(h - 2);
}

int TimerFittedHeight(int w, int h, int tw, int th) {
    if (tw > w)
        return static_cast<int>(-0.95 * w * h / tw);
    if (th > h + 2)
        return -(h * h / th);
    return TimerStartHeight(h);
}
