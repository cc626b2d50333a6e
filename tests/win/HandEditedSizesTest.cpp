// A hand-edited text box size in the configuration file, whatever 32-bit
// value it holds, must not keep a page from opening and painting: a width of
// 2147483647 once built lines of two billion blanks and froze the program.
#include "PageHarness.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

using namespace harness;

// The sound page shows the three sizes as groups per line, lines and
// characters per line, each kept within its field's range.
TEST(HandEditedSizes, AnyValueOpensEveryPage) {
    const struct {
        int dialog;
        DLGPROC procedure;
        int startButton; // pressed and stopped again where the page runs texts
    } pages[] = {
        {IDD_TRAINING, TrainingPageProc, 0},
        {IDD_TEXT_GENERATOR, TextGeneratorPageProc, 0},
        {IDD_COMPETITION_RUN, CompetitionRunPageProc, 1174},
        {IDD_SOUND_SETTINGS, SoundSettingsPageProc, 0},
    };
    const struct {
        const char* value;
        int groups, lines, characters; // as the sound page shows them
    } values[] = {{"-2147483648", 1, 1, 1},
                  {"0", 1, 1, 1},
                  {"201", 16, 100, 100},
                  {"501", 41, 100, 120},
                  {"2147483647", 60, 100, 120}};
    const std::string controlFile = TempPath("sizes-run.txt");
    for (const auto& page : pages) {
        for (const auto& value : values) {
            SCOPED_TRACE(std::to_string(page.dialog) + " at " + value.value);
            PageUnderTest p(page.dialog, page.procedure);
            for (const char* key : {"Width", "Height", "Width2"})
                p.app->SetString("WTextBox", key, value.value);
            p.app->competition.controlFile = controlFile;
            p.Show();
            if (page.startButton) {
                p.Command(page.startButton);
                p.Command(1247); // Stop
            }
            if (page.dialog == IDD_SOUND_SETTINGS) {
                EXPECT_EQ(p.Text(1207), std::to_string(value.groups));
                EXPECT_EQ(p.Text(1208), std::to_string(value.lines));
                EXPECT_EQ(p.Text(1209), std::to_string(value.characters));
            } else {
                HWND box = GetDlgItem(p.page, 1027);
                ASSERT_NE(box, nullptr);
                RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                EXPECT_TRUE(IsWindowVisible(box));
            }
            Pump();
            EXPECT_TRUE(IsWindowVisible(p.page));
            EXPECT_TRUE(Boxes().empty()) << (Boxes().empty() ? "" : Boxes()[0].text);
        }
    }
    std::remove(controlFile.c_str());
}
