#include "texts/win/ReceptionView.h"

#include "app/Platform.h"
#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/WideText.h"
#include "app/win/Pages.h"
#include "config/TextCatalogue.h"
#include "controls/ControlMessages.h"
#include "diary/DiaryFile.h"
#include "results/ResultsSession.h"
#include "texts/TextEncoding.h"

#include <ctime>

namespace receptionview {

namespace {

// The check's texts are the same on every page that checks a copy.
using Text = CatalogueText;
const Text kSummaryText{"PTI_34", "Ошибок: %1 (допускается %3), верно %2 %"};
const Text kAcceptedText{"PTI_35", "принята"};
const Text kNotAcceptedText{"PTI_36", "не принята"};
// The arrow and the times sign of the confusions line are not in the code
// page of the texts, so only the words are the language's.
const Text kMissedWord{"PTI_37", "пропущено"};
const Text kExtraWord{"PTI_38", "лишний"};
const Text kNothingPlayed{"PTI_39", "Ни один текст еще не прозвучал: проверять нечего"};
const Text kEmptyCopy{"PTI_40", "Копия пуста"};
const Text kTooLong{"PTI_41", "Текст или копия слишком длинные для проверки"};
const Text kDiaryNotWritten{"PTI_42", "Проверка не записана в дневник:"};

void SetHighlight(HWND page, int first, int last) {
    SendDlgItemMessageA(page, kTextBox, ATB_SETSEL, static_cast<WPARAM>(first), static_cast<LPARAM>(last));
}

// The whole text of the copy field, whatever its length, as UTF-8.
std::string CopyFieldText(HWND page) {
    return ReadItemUtf8(page, kCopy);
}

void Warn(HWND page, Application& app, const Text& t, const std::string& detail = "") {
    ShowWarning(page, detail.empty() ? Lang(app, t) : Lang(app, t) + "\n" + detail);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// A label's text in UTF-8, so the arrow and the times sign show.
void SetLabelUtf8(HWND page, int control, const std::string& utf8) {
    std::u32string points;
    DecodeUtf8(utf8, points);
    std::wstring wide;
    for (char32_t c : points) {
        if (c >= 0x10000) {
            c -= 0x10000;
            wide += static_cast<wchar_t>(0xD800 + (c >> 10));
            wide += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
        } else {
            wide += static_cast<wchar_t>(c);
        }
    }
    SetWindowTextW(GetDlgItem(page, control), wide.c_str());
}

void ShowCheck(HWND page, Application& app, const ReceptionPlay& st, const CopyCheck& check, int maxErrors) {
    // The played text is plain ASCII: one mark per byte.
    const std::u32string text(st.playedText.begin(), st.playedText.end());
    const std::string marks = TextBoxMarks(text, check.mark);
    SendDlgItemMessageA(page, kTextBox, ATB_SETTEXT, reinterpret_cast<WPARAM>(st.playedText.c_str()),
                        reinterpret_cast<LPARAM>(marks.c_str()));
    const std::string share = TenthsText(ShareTenths(check.right, check.characters));
    const std::string summary =
        Replaced(Replaced(Replaced(Lang(app, kSummaryText), "%1", std::to_string(check.errors)), "%2", share),
                 "%3", std::to_string(maxErrors)) +
        ", " + Lang(app, check.accepted ? kAcceptedText : kNotAcceptedText);
    SetItemLanguageText(page, kSummary, summary);
    ConfusionWords words;
    words.wrong = u8"%1\u2192%2 \u00D7%3";
    words.missing = "%1 " + SystemTextToUtf8(Lang(app, kMissedWord)) + u8" \u00D7%3";
    words.extra = "%2 " + SystemTextToUtf8(Lang(app, kExtraWord)) + u8" \u00D7%3";
    words.separator = ", ";
    SetLabelUtf8(page, kConfusions, ConfusionsText(check.confusions, words));
}

} // namespace

void SetClock(HWND page, int clock, int32_t ms) {
    SendDlgItemMessageA(page, clock, ATM_SETTIME, 0, static_cast<LPARAM>(ms));
}

void ShowBoxText(HWND page, ReceptionPlay& st) {
    st.textHidden = st.hideText && st.state == SeriesState::Playing && !st.textEnded;
    const std::string shown = st.textHidden ? HiddenText(st.text) : st.text;
    SendDlgItemMessageA(page, kTextBox, ATB_SETTEXT, reinterpret_cast<WPARAM>(shown.c_str()), 0);
}

void PlayTick(HWND page, Application& app, ReceptionPlay& st, int failPage) {
    if (st.player->failed()) {
        // The card was lost during the text: say so, as on arrival.
        ClickControl(page, kStop);
        ShowWarning(page, app.SoundCardErrorText());
        GoToPage(page, failPage, true);
        return;
    }
    const uint32_t now = TickCount();
    const int64_t markB = st.player->markTimeB();
    const int64_t markA = st.player->markTimeA();
    if (markB != -1) {
        SetClock(page, kTextClock, st.textDuration);
        if (!st.textEnded) {
            st.textEnded = true;
            if (st.textHidden)
                ShowBoxText(page, st);
        }
        SetHighlight(page, -1, -1);
    } else if (markA != -1) {
        SetClock(page, kTextClock,
                 TextClockMs(static_cast<LengthMode>(st.lengthMode), now, static_cast<uint32_t>(markA),
                             st.textDuration));
        if (!st.textHidden) {
            const TextRange r = HighlightRange(st.player->currentCharacter(), st.preambleLength, st.speed);
            SetHighlight(page, r.first, r.last);
        }
    }
    if (st.watch.finished(st.player->isPlaying(), now))
        ClickControl(page, kStop);
}

void ClearCheck(HWND page) {
    SetDlgItemTextA(page, kSummary, "");
    SetDlgItemTextA(page, kConfusions, "");
}

bool CheckTypedCopy(HWND page, Application& app, ReceptionPlay& st, CopyCheck& check) {
    if (st.state == SeriesState::Playing)
        ClickControl(page, kStop);
    if (!st.hasPlayed) {
        Warn(page, app, kNothingPlayed);
        return false;
    }
    const std::string copy = CopyFieldText(page);
    if (copy.find_first_not_of(" \t\r\n") == std::string::npos) {
        Warn(page, app, kEmptyCopy);
        FocusControl(page, kCopy);
        return false;
    }
    std::u32string typed;
    DecodeUtf8(copy, typed);
    const int maxErrors = ReadResultsLimits(app).maxErrors;
    if (!CheckCopy(std::u32string(st.playedText.begin(), st.playedText.end()), typed, maxErrors, check)) {
        Warn(page, app, kTooLong);
        return false;
    }
    ShowCheck(page, app, st, check, maxErrors);
    const std::string path = UserFilePath(kDiaryFileName);
    PrepareUserFilesFolder(path); // a folder that cannot be made shows as the append's error
    std::string error;
    if (!AppendDiaryRow(path, MakeDiaryRow(st.played, check, copy, std::time(nullptr)), error))
        Warn(page, app, kDiaryNotWritten, error);
    return true;
}

void SwitchCopyFocus(HWND page, std::initializer_list<int> buttons) {
    if (GetFocus() != GetDlgItem(page, kCopy)) {
        FocusControl(page, kCopy);
        return;
    }
    for (int button : buttons)
        if (IsWindowEnabled(GetDlgItem(page, button))) {
            FocusControl(page, button);
            return;
        }
}

} // namespace receptionview
