// Clock texts of the timer control.
#pragma once

#include <string>

// Minutes, seconds and tenths ("1:05.4"), hours first from one hour on
// ("1:02:05.0"); tenths are truncated. Negative values give "--:--".
std::string FormatClockTime(long long milliseconds);
