// The Koch method's order of the 41 signs KLAVIRO sends, and the signs of
// each lesson: lesson n teaches the first n + 1 signs of the order.
#pragma once

#include <string>

// The common order, used when [Learning] Order is missing or not usable.
constexpr const char* kDefaultKochOrder = "KMRSUAPTLOWI.NJEF0Y,VG5/Q9ZH38B?427C1D6X=";
// Lessons 1..kKochLessons; the last one uses all 41 signs.
constexpr int kKochLessons = 40;

// True when `order` holds exactly the 41 signs KLAVIRO sends (A-Z, 0-9 and
// . , ? / =), each once and each in the Morse table. Otherwise false with
// `problem` naming what is wrong (a sign twice, a sign missing, a sign that
// is not sent, the length), in English, for the page to show.
bool CheckKochOrder(const std::string& order, std::string& problem);

// The configured order when CheckKochOrder accepts it, else the default: a
// bad order never stops the lessons (the page shows the problem).
std::string KochOrderOrDefault(const std::string& configured);

// The signs of lesson `lesson` (clamped to 1..kKochLessons): the first
// lesson + 1 signs of `order`, the newest last. A shorter order gives what
// it has.
std::string LessonSigns(const std::string& order, int lesson);
