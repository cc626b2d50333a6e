// What the organisation pages show of a competition without their windows:
// the roster in the order asked, and the competition's days as typed.
#pragma once

#include "organisation/Competition.h"
#include "organisation/Draw.h" // StartListOrder

#include <cstddef>
#include <string>
#include <vector>

// Indexes into the roster in that order: by start number (none last, then
// by name), by name (NameKey, then number), or by category (in the order of
// the competition's table, none last, then by number).
std::vector<size_t> SortedRoster(const Competition& competition, StartListOrder order);

// A day as an organiser types it, "2026-12-08" or "8.12.2026", as
// "2026-12-08"; blanks around it do not count and "" stays "". False for
// anything else or a day no calendar has (31 April, 29 February 2027).
bool ReadDay(const std::string& text, std::string& day);
