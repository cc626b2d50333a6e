// What the pages that play a text to be copied share (the training page and
// the learning page): the text box that hides the text while it plays, the
// clocks and highlight of each tick, and the copy field with its check into
// the diary. Both pages give these controls the same identifiers.
#pragma once

#include "texts/TrainingSession.h"

#include <windows.h>

#include <cstdint>
#include <initializer_list>

class Application;

namespace receptionview {

const int kTextBox = 1027;
const int kSeriesClock = 1068, kTextClock = 1062;
const int kHideText = 1271, kCopyLabel = 1272, kCopy = 1273, kCheck = 1274, kSummary = 1275,
          kConfusions = 1276;
const int kStop = 1247, kStart = 1174;

void SetClock(HWND page, int clock, int32_t ms);

// The box shows the text, or only its place while a hidden text plays (no
// highlight then either: it would point at the character heard).
void ShowBoxText(HWND page, ReceptionPlay& st);

// One tick while a text plays: the text clock and the highlight; at the
// text's end the hidden text shows; a finished player presses Stop. A sound
// card lost during the text is said as on arrival, and `failPage` shown.
void PlayTick(HWND page, Application& app, ReceptionPlay& st, int failPage);

// A new text starts: the last check's summary and confusions go.
void ClearCheck(HWND page);

// Ctrl+Enter or Check: the copy against the text last played. A text still
// playing is stopped first; the result shows even when the diary cannot take
// it. False, with the trainee told why, when nothing could be checked.
bool CheckTypedCopy(HWND page, Application& app, ReceptionPlay& st, CopyCheck& check);

// Insert: from the copy field to the first enabled of `buttons` and back.
void SwitchCopyFocus(HWND page, std::initializer_list<int> buttons);

} // namespace receptionview
