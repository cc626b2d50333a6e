// The learning page without its window: its fields, the lesson list's lines,
// the lesson's signs with the new one marked, the new sign sent alone, the
// drill's weights as lines, and when a lesson counts as passed.
#pragma once

#include "learning/Drill.h"
#include "texts/TrainingSession.h"

#include <cstdint>

class ConfigStore;
#include <string>
#include <vector>

enum class LearningMode { Lessons = 0, Drills = 1 };

constexpr NumberField kLessonGroupsField{1, 10000, 20};
constexpr NumberField kCharSpeedField{1, 1000, 100};
constexpr NumberField kLessonEffectiveField{1, 1000, 50};

// A text shorter than this never passes a lesson, however well copied.
constexpr int kPassGroups = 20;

// A checked lesson text: too short to count (fewer than kPassGroups
// groups), or passed with at least `passPercent` of its signs right
// (right / characters, exactly, not the rounded share), or not.
enum class LessonResult { TooShort, Passed, NotPassed };
LessonResult JudgeLessonText(int right, int characters, int groups, int passPercent);

// The lesson reached once `lesson` is passed: the next one (the last lesson
// stays the last), never below the lesson reached before.
int LessonReachedAfterPass(int lesson, int reachedBefore);

// "K M R S [U]": the lesson's signs, the newest (the last) in brackets.
std::string MarkedSigns(const std::string& signs);

// A sign's pattern in dots and dashes ("· —" for A, in code page 1251).
std::string PatternText(char sign);

// The new sign sent alone, three times: "A A A" in the sending format.
std::string NewSignSent(char sign);

// A line of the lesson list: the number and the sign it adds.
std::string LessonLine(int lesson, const std::string& order);

// A line of the drill's weights: the sign, its error rate over its last
// checks (in percent, one decimal) and how often it was checked; a sign never
// checked shows "—" for the rate.
std::string WeightLine(const SignWeight& weight);

// [Learning] HideText: 0 or 1, default 1 (a lesson is copied by ear); a
// missing or unusable value is stored with its default.
bool ReadLearningHideText(ConfigStore& store);
void StoreLearningHideText(ConfigStore& store, bool hide);

// What the learning page keeps between visits, in the application object.
struct LearningState : ReceptionPlay {
    int layoutWidth = 0;
    int layoutHeight = 0;
    LearningMode mode = LearningMode::Lessons;
    std::string order; // the Koch order in use
    int lesson = 1;    // chosen in the list
    int kind = 0;      // of the drills
    std::vector<SignWeight> weights;
    int textNumber = 1;
    int groups = 20;
    int effectiveSpeed = 50;
    TrainingSeries series;
    uint32_t clockStart = 0; // the first Start of the visit
    bool clockRunning = false;
    int playedLesson = 0; // the lesson of the text last played, 0 for a drill
};
