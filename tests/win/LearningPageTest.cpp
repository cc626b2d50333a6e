// The learning page: a lesson chosen in the list is shown, played and sent
// with its spacing stretched; a checked copy passes a lesson or not, and a
// pass moves the list on and keeps the lesson reached; a drill draws on the
// weights of a prepared diary; a bad Koch order is said and replaced.
#include "PageHarness.h"

#include "app/UserFiles.h"
#include "diary/DiaryFile.h"
#include "learning/Drill.h"
#include "learning/Koch.h"
#include "learning/LearningSession.h"
#include "learning/LessonText.h"
#include "learning/win/LearningPage.h"
#include "resources/resource.h"
#include "texts/TextEncoding.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace harness;

namespace {

enum { kCopy = 1273, kCheck = 1274, kStart = 1174, kStop = 1247, kBack = 1014 };

// A user's files folder of the test's own, holding `diary` when not empty.
struct UserFolder {
    explicit UserFolder(const std::string& diary = "") {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        CreateDirectoryA(folder.c_str(), nullptr);
        SetUserFilesFolder(folder);
        if (!diary.empty())
            WriteFile(folder + kDiaryFileName, diary);
    }
    ~UserFolder() {
        SetUserFilesFolder("");
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    DiaryContents Diary() const {
        DiaryContents diary;
        std::string error;
        EXPECT_EQ(LoadDiary(folder + kDiaryFileName, diary, error), DiaryLoad::Loaded) << error;
        return diary;
    }
    const std::string folder = TempPath("learning-" + std::to_string(GetCurrentProcessId())) + "\\";
};

struct LearningPage : ::testing::Test {
    std::unique_ptr<UserFolder> user = std::make_unique<UserFolder>();
    std::unique_ptr<PageUnderTest> h;

    void Open() {
        h = std::make_unique<PageUnderTest>(IDD_LEARNING, LearningPageProc);
        h->Show();
    }
    void ChooseLesson(int lesson) {
        SendDlgItemMessageA(h->page, LEARN_LESSONS, LB_SETCURSEL, static_cast<WPARAM>(lesson - 1), 0);
        h->Command(LEARN_LESSONS, LBN_SELCHANGE);
    }
    int ChosenLesson() {
        return static_cast<int>(SendDlgItemMessageA(h->page, LEARN_LESSONS, LB_GETCURSEL, 0, 0)) + 1;
    }
    // Plays the text shown to its end and checks `copy` against it.
    void PlayAndCheck(const std::string& copy) {
        h->Command(kStart);
        h->Player().playing = false;
        Now() += 2000;
        h->Tick(2);
        h->SetText(kCopy, copy);
        h->Command(kCheck);
    }
    std::string Status() { return h->Text(LEARN_STATUS); }
};

// The text with the first `wrong` signs replaced by one the lesson lacks.
std::string CopyWithErrors(std::string text, int wrong) {
    for (char& c : text)
        if (c != ' ' && wrong > 0) {
            c = '5';
            --wrong;
        }
    return text;
}

} // namespace

TEST_F(LearningPage, ChosenLessonShowsItsSignsAndIsSentStretched) {
    Open();
    ChooseLesson(5);
    EXPECT_EQ(h->Text(LEARN_SIGNS), "Знаки урока: K M R S U [A]");
    EXPECT_EQ(h->Text(LEARN_PATTERN), "A   · —");
    const std::string text = LessonText("KMRSUA", 1, 20);
    EXPECT_EQ(ShownText(), text);

    h->Command(LEARN_NEW_SIGN);
    ASSERT_EQ(h->Player().starts.size(), 1u);
    EXPECT_EQ(h->Player().starts[0].text, "A A A");

    const int rate = h->app->GetSPS();
    const struct {
        int effective;
        int effectiveUnit; // 0: sent without stretching
    } speeds[] = {{50, unitSamples(TextLetters, 50, rate)}, {100, 0}, {150, 0}};
    for (const auto& s : speeds) {
        SCOPED_TRACE(s.effective);
        h->SetNumber(LEARN_EFFECTIVE, s.effective);
        h->Command(kStart);
        const PlayerLog::Start& sent = h->Player().starts.back();
        EXPECT_EQ(sent.text, text); // no preamble: only signs the lesson taught
        EXPECT_EQ(sent.unit, unitSamples(TextLetters, 100, rate));
        EXPECT_EQ(sent.effectiveUnit, s.effectiveUnit);
        EXPECT_EQ(sent.markB, static_cast<int>(text.size()));
        EXPECT_EQ(ShownText(), std::string(text.size(), ' ')); // hidden while it plays
        EXPECT_FALSE(h->Enabled(LEARN_LESSONS));
        h->Key(KEY_ESC); // stops; the next Start plays the same number again
        EXPECT_TRUE(h->Enabled(kStart));
        EXPECT_EQ(ShownText(), text);
        h->Key(KEY_PAGE_DOWN); // 1 stays 1, and Start plays what is shown
    }
    h->Key(KEY_PAGE_UP);
    EXPECT_EQ(h->Number(LEARN_NUMBER), 2);
    EXPECT_EQ(ShownText(), LessonText("KMRSUA", 2, 20));
    h->Key(KEY_ESC); // nothing plays: Back
    EXPECT_EQ(PageRequests(), std::vector<int>{PAGE_MAIN_MENU});
}

TEST_F(LearningPage, PassOffersTheNextLessonAndKeepsTheLessonReached) {
    const struct {
        const char* what;
        int groups;
        int wrong;         // of the 5 x groups signs
        int reachedBefore; // [Learning] Lesson
        int listAfter;     // the lesson the list shows after the check
        int reachedAfter;
        const char* status; // the start of the status line
    } cases[] = {
        {"90 % right passes", 20, 10, 1, 4, 4, "Урок 3 сдан, верно 90.0 %. Дальше урок 4, новый знак U"},
        {"89 % right fails", 20, 11, 1, 3, 1, "Урок 3 не сдан: верно 89.0 %, нужно 90 %"},
        {"19 groups never pass", 19, 0, 1, 3, 1, "Зачет урока только за текст не короче 20 групп"},
        {"a lesson further on stays reached", 20, 0, 10, 4, 10, "Урок 3 сдан"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        h.reset();
        user.reset(); // the folder's name is reused: the old one goes first
        user = std::make_unique<UserFolder>();
        Open();
        h->app->SetLearningLesson(c.reachedBefore);
        ChooseLesson(3);
        h->SetNumber(LEARN_GROUPS, c.groups);
        const std::string text = LessonText("KMRS", 1, c.groups);
        PlayAndCheck(CopyWithErrors(text, c.wrong));
        EXPECT_EQ(Status().rfind(c.status, 0), 0u) << Status();
        EXPECT_EQ(ChosenLesson(), c.listAfter);
        EXPECT_EQ(h->app->GetLearningLesson(), c.reachedAfter);

        const DiaryContents diary = user->Diary();
        ASSERT_EQ(diary.rows.size(), 1u);
        EXPECT_EQ(diary.rows[0].played.lessonSigns, "KMRS");
        EXPECT_EQ(diary.rows[0].played.effectiveSpeed, 50);
        EXPECT_EQ(PlayedTextOf(diary.rows[0].played), text);
    }
    // The next Start after a pass plays the new lesson's text of the number shown.
    h->Command(kStart);
    EXPECT_EQ(h->Player().starts.back().text, LessonText("KMRSU", 1, 20));
}

TEST_F(LearningPage, DrillDrawsOnTheWeightsOfThePreparedDiary) {
    // Q missed in half of its 40 checks, every other letter copied right.
    PlayedText played;
    played.groups = 20;
    played.speed = 100;
    std::string diaryBytes = "\xEF\xBB\xBF" + DiaryHeaderLine();
    for (int32_t number = 1; number <= 4; ++number) {
        std::u32string text(100, U'A'), copy;
        for (size_t i = 0; i < 100; i += 10)
            text[i] = U'Q';
        copy = text;
        for (size_t i = 0; i < 100; i += 20)
            copy[i] = U'Y';
        CopyCheck check;
        ASSERT_TRUE(CheckCopy(text, copy, 5, check));
        played.number = number;
        diaryBytes += DiaryLine(MakeDiaryRow(played, check, EncodeUtf8(copy), std::time(nullptr)));
    }
    user.reset();
    user = std::make_unique<UserFolder>(diaryBytes);
    DiaryContents prepared = user->Diary();
    const std::vector<SignWeight> weights = DrillWeights(prepared, TextLetters);

    Open();
    h->Select(LEARN_MODE, 1);
    EXPECT_TRUE(h->Visible(LEARN_WEIGHTS));
    EXPECT_FALSE(h->Visible(LEARN_LESSONS));
    char line[2][64] = {};
    for (int i = 0; i < 2; ++i)
        SendDlgItemMessageA(h->page, LEARN_WEIGHTS, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line[i]));
    EXPECT_EQ(std::string(line[0]), "Q   50.0 % (40)");
    EXPECT_EQ(std::string(line[1]), "B   —"); // never checked: average weight, no rate
    EXPECT_EQ(SendDlgItemMessageA(h->page, LEARN_WEIGHTS, LB_GETCOUNT, 0, 0), 10);

    const std::string text = DrillText(weights, 1, 20);
    PlayAndCheck(text);
    EXPECT_EQ(h->Player().starts.back().text, text);
    const DiaryContents after = user->Diary();
    ASSERT_EQ(after.rows.size(), 5u);
    EXPECT_EQ(after.rows.back().played.drillWeights, WeightsDigest(weights));
    EXPECT_TRUE(after.rows.back().played.lessonSigns.empty());
    EXPECT_EQ(PlayedTextOf(after.rows.back().played), text); // the drill can be replayed
}

TEST_F(LearningPage, BadOrderIsSaidAndTheCommonOrderUsed) {
    h = std::make_unique<PageUnderTest>(IDD_LEARNING, LearningPageProc);
    h->app->SetLearningOrder("MKRSUAPTLOWI.NJEF0Y,VG5/Q9ZH38B?427C1D6X");
    h->Show();
    EXPECT_EQ(Status().rfind("Порядок знаков [Learning] Order не принят, взят обычный: ", 0), 0u) << Status();
    EXPECT_EQ(h->Text(LEARN_SIGNS), "Знаки урока: K [M]");
    EXPECT_EQ(h->app->GetLearningOrder(), "MKRSUAPTLOWI.NJEF0Y,VG5/Q9ZH38B?427C1D6X"); // kept to be mended
}

// The arrows beside the number fields step the field within its range, and
// the up-down is told not to move (its own position is unused).
TEST_F(LearningPage, ArrowsStepTheNumberFieldsWithinTheirRanges) {
    Open();
    const struct {
        int spin, field, from, delta, to;
    } cases[] = {
        {LEARN_GROUPS_SPIN, LEARN_GROUPS, 20, 1, 21},
        {LEARN_SPEED_SPIN, LEARN_SPEED, 100, -1, 99},
        {LEARN_EFFECTIVE_SPIN, LEARN_EFFECTIVE, 40, 1, 41},
        {LEARN_GROUPS_SPIN, LEARN_GROUPS, 10000, 1, 10000}, // at the top it stays
        {LEARN_NUMBER_SPIN, LEARN_NUMBER, 1, -1, 1},        // and at the bottom
    };
    for (const auto& c : cases) {
        h->SetNumber(c.field, c.from);
        NMUPDOWN change{};
        change.hdr.hwndFrom = GetDlgItem(h->page, c.spin);
        change.hdr.idFrom = static_cast<UINT_PTR>(c.spin);
        change.hdr.code = UDN_DELTAPOS;
        change.iDelta = c.delta;
        SetWindowLongPtrA(h->page, DWLP_MSGRESULT, 0);
        EXPECT_TRUE(LearningPageProc(h->page, WM_NOTIFY, static_cast<WPARAM>(c.spin),
                                     reinterpret_cast<LPARAM>(&change)));
        EXPECT_EQ(h->Number(c.field), c.to) << c.field << " from " << c.from;
        EXPECT_EQ(GetWindowLongPtrA(h->page, DWLP_MSGRESULT), TRUE);
    }
}
