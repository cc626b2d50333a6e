#include "controls/TimeFormat.h"

#include <cstdio>

std::string FormatClockTime(long long milliseconds) {
    if (milliseconds < 0)
        return "--:--";
    long long m = milliseconds / 60000;
    long long s = (milliseconds % 60000) / 1000;
    long long d = (milliseconds % 1000) / 100;
    char buffer[64];
    if (m < 60)
        std::snprintf(buffer, sizeof buffer, "%lld:%2lld.%1lld", m, s, d);
    else
        std::snprintf(buffer, sizeof buffer, "%lld:%2lld:%2lld.%1lld", m / 60, m % 60, s, d);
    std::string text = buffer;
    for (char& c : text)
        if (c == ' ')
            c = '0';
    return text;
}
