// The organisation and draw pages and the results page joined to the roster,
// driven as an organiser drives them, each over a user's files folder of its
// own holding Competition.csv.
#include "PageHarness.h"

#include "app/UserFiles.h"
#include "config/win/FolderDialog.h"
#include "config/win/OpenFileDialog.h"
#include "organisation/Competition.h"
#include "organisation/win/DrawPage.h"
#include "organisation/win/OrganisationPage.h"
#include "resources/resource.h"
#include "results/win/ResultsPage.h"
#include "texts/TextEncoding.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>

using namespace harness;

namespace {

bool AnswerFolder(const std::string&, std::string& folder) {
    if (OpenAnswers().empty())
        return false;
    folder = OpenAnswers().front();
    OpenAnswers().pop_front();
    return true;
}

// The user's files folder of a test, with the choosers and the browser
// scripted.
struct OrgFolder {
    OrgFolder() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        CreateDirectoryA(folder.c_str(), nullptr);
        SetUserFilesFolder(folder);
        previousOpen = SetOpenDocumentHook(RecordOpen);
        previousOpenFile = SetOpenFileNameHook(AnswerOpen);
        previousFolder = SetFolderHook(AnswerFolder);
        Opened().clear();
        OpenAnswers().clear();
    }
    ~OrgFolder() {
        SetFolderHook(previousFolder);
        SetOpenFileNameHook(previousOpenFile);
        SetOpenDocumentHook(previousOpen);
        SetUserFilesFolder("");
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    Competition Read() const {
        Competition c;
        std::string error;
        EXPECT_EQ(LoadCompetition(competition, c, error), CompetitionLoad::Loaded) << error;
        return c;
    }
    // A competition on 8 December 2026 with these entrants (UTF-8 names).
    void Write(const std::vector<Entrant>& roster) const {
        Competition c = NewCompetition();
        c.title = "Cup";
        c.firstDay = "2026-12-08";
        std::string error;
        for (const Entrant& e : roster)
            EXPECT_TRUE(AddEntrant(c, e, error)) << error;
        ASSERT_TRUE(SaveCompetition(competition, c, error)) << error;
    }
    const std::string folder = TempPath("org-" + std::to_string(GetCurrentProcessId())) + "\\";
    const std::string competition = folder + "Competition.csv";
    OpenDocumentHook previousOpen;
    OpenFileNameHook previousOpenFile;
    FolderHook previousFolder;
};

Entrant Person(int number, const std::string& name, const std::string& sex, int year) {
    Entrant e;
    e.startNumber = number;
    e.name = name;
    e.sex = sex;
    e.birthYear = year;
    return e;
}

// A report list's cell as the system's code page shows it.
std::string Cell(HWND page, int list, int row, int column) {
    char text[256] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendDlgItemMessageA(page, list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}
std::string Column(HWND page, int list, int column) {
    std::string cells;
    const int rows = static_cast<int>(SendDlgItemMessageA(page, list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row)
        cells += (row ? "|" : "") + Cell(page, list, row, column);
    return cells;
}
// A click on a row: the list tells the page of the new selection.
void SelectRow(HWND page, int list, int row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendDlgItemMessageA(page, list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

std::map<int, std::string> NumbersOf(const Competition& c) {
    std::map<int, std::string> numbers;
    for (const Entrant& e : c.roster)
        numbers[e.startNumber] = e.name;
    return numbers;
}

} // namespace

TEST(OrganisationPage, TheRosterIsWrittenAtEveryChangeRefusesDoublesAndSorts) {
    OrgFolder f;
    PageUnderTest p(IDD_ORGANISATION, OrganisationPageProc);
    p.Show();
    EXPECT_EQ(p.Text(ORG_PATH), f.competition);
    // A day typed the Russian way is kept as a calendar day.
    p.SetText(ORG_TITLE, "Кубок");
    p.SetText(ORG_FIRST_DAY, "8.12.2026");
    p.Command(ORG_FIRST_DAY, EN_KILLFOCUS);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(f.Read().firstDay, "2026-12-08");
    EXPECT_EQ(f.Read().title, u8"Кубок");

    auto fill = [&](const char* number, const char* name, int sex, const char* year) {
        p.SetText(ORG_NUMBER, number);
        p.SetText(ORG_NAME, name);
        ComboSetSelection(p.page, ORG_SEX, sex);
        p.SetText(ORG_YEAR, year);
    };
    fill("", "Сидоров Петр", 1, "1990");
    p.Command(ORG_ADD);
    fill("7", "Андреева Анна", 2, "2010");
    p.Key(KEY_ENTER);
    fill("", "борисов  борис", 1, "1960");
    p.Command(ORG_ADD);
    EXPECT_TRUE(Boxes().empty()) << Boxes()[0].text;
    // By number (the default): one without a number gets the next free one.
    EXPECT_EQ(Column(p.page, ORG_ROSTER, 0), "1|7|8");
    EXPECT_EQ(Column(p.page, ORG_ROSTER, 1), "Сидоров Петр|Андреева Анна|борисов борис");
    EXPECT_EQ(Column(p.page, ORG_ROSTER, 6), "Мужчины|Девушки|Ветераны-мужчины");
    EXPECT_EQ(f.Read().roster.size(), 3u);

    struct Refusal {
        const char *number, *name, *year, *box;
    } refusals[] = {
        {"", " ", "", "Введите имя участника"},
        {"", "  СИДОРОВ   петр ", "", "Участник с таким именем уже есть в списке:\nСидоров Петр"},
        {"7", "Новый", "", "Этот стартовый номер уже занят: 7\nАндреева Анна"},
        {"0", "Новый", "", "Стартовый номер должен быть от 1 до 99999"},
        {"", "Новый", "1800", "Год рождения должен быть от 1900 до 2100"},
    };
    const std::string before = ReadFile(f.competition);
    for (const Refusal& r : refusals) {
        Boxes().clear();
        fill(r.number, r.name, 0, r.year);
        p.Command(ORG_ADD);
        ASSERT_EQ(Boxes().size(), 1u) << r.box;
        EXPECT_EQ(Boxes()[0].text, r.box);
        EXPECT_EQ(ReadFile(f.competition), before) << r.box;
    }

    // By name without regard to case, then by category in the table's order.
    p.Select(ORG_ORDER, 1);
    EXPECT_EQ(Column(p.page, ORG_ROSTER, 0), "7|8|1");
    p.Select(ORG_ORDER, 2);
    EXPECT_EQ(Column(p.page, ORG_ROSTER, 0), "7|1|8");

    // A row picked shows its participant; Change writes the fields back.
    SelectRow(p.page, ORG_ROSTER, 0);
    EXPECT_EQ(p.Text(ORG_NAME), "Андреева Анна");
    EXPECT_EQ(p.Text(ORG_NUMBER), "7");
    p.SetText(ORG_CLUB, "Тула");
    p.SetText(ORG_NUMBER, "");
    Boxes().clear();
    p.Command(ORG_CHANGE);
    EXPECT_TRUE(Boxes().empty());
    const Entrant* anna = FindEntrant(f.Read(), u8"андреева анна");
    ASSERT_NE(anna, nullptr);
    EXPECT_EQ(anna->club, u8"Тула");
    EXPECT_EQ(anna->startNumber, 7); // a cleared number keeps the old one

    // Delete asks first: No keeps the participant, Yes removes them.
    SelectRow(p.page, ORG_ROSTER, 0);
    Answers() = {IDNO};
    p.Command(ORG_DELETE);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Удалить участника из списка?\n7 Андреева Анна");
    EXPECT_EQ(f.Read().roster.size(), 3u);
    p.Command(ORG_DELETE);
    EXPECT_EQ(f.Read().roster.size(), 2u);
    EXPECT_EQ(Column(p.page, ORG_ROSTER, 0), "1|8");

    // A file that cannot be written: said so, and the page shows the file.
    SetFileAttributesA(f.competition.c_str(), FILE_ATTRIBUTE_READONLY);
    Boxes().clear();
    fill("", "Новый", 0, "");
    p.Command(ORG_ADD);
    SetFileAttributesA(f.competition.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text.find("Файл соревнования не удалось записать, изменение не сохранено:\n" +
                                   f.competition),
              0u);
    EXPECT_EQ(Column(p.page, ORG_ROSTER, 0), "1|8");

    // A file that is no competition file is never written over.
    WriteFile(f.competition, "Name,Score\r\n");
    p.Hide();
    p.Show();
    Boxes().clear();
    fill("", "Новый", 0, "");
    p.Command(ORG_ADD);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text.find("Файл соревнования не удается прочитать, он не будет изменен:\n" +
                                   f.competition),
              0u);
    EXPECT_EQ(ReadFile(f.competition), "Name,Score\r\n");
}

TEST(OrganisationPage, RostersImportFrom1251AndUtf8FilesAndExport) {
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"code page 1251, semicolons",
         "Номер;ФИО;Пол;Год рождения;Клуб\r\n5;Иванов Иван;м;1990;Москва\r\n;Петрова Мария;ж;2005;Тверь\r\n"},
        {"UTF-8 with a byte order mark, commas",
         "\xEF\xBB\xBF" +
             std::string(u8"Number,Name,Sex,Year,Club\r\n5,Иванов Иван,M,1990,Москва\r\n"
                         u8",Петрова Мария,F,2005,\"Тверь\"\r\nbad line without a name,,,,\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OrgFolder f;
        f.Write({});
        const std::string roster = f.folder + "roster.csv";
        WriteFile(roster, c.bytes);
        PageUnderTest p(IDD_ORGANISATION, OrganisationPageProc);
        p.Show();
        OpenAnswers() = {roster};
        p.Command(ORG_IMPORT);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].text.find("Список участников прочитан. Добавлено: 2, обновлено: 0"), 0u)
            << Boxes()[0].text;
        EXPECT_EQ(Column(p.page, ORG_ROSTER, 0), "5|6");
        EXPECT_EQ(Column(p.page, ORG_ROSTER, 1), "Иванов Иван|Петрова Мария");
        EXPECT_EQ(Column(p.page, ORG_ROSTER, 4), "Москва|Тверь");
        EXPECT_EQ(Column(p.page, ORG_ROSTER, 6), "Мужчины|Юниорки");
        const Competition read = f.Read();
        ASSERT_EQ(read.roster.size(), 2u);
        EXPECT_NE(FindEntrant(read, u8"Петрова Мария"), nullptr);

        // Export proposes Roster.csv beside the competition and writes UTF-8.
        SaveAnswer() = f.folder + "out.csv";
        p.Command(ORG_EXPORT);
        ASSERT_EQ(SaveRequests().size(), 1u);
        EXPECT_EQ(SaveRequests()[0].file, f.folder + "Roster.csv");
        EXPECT_NE(ReadFile(f.folder + "out.csv").find(u8"Иванов Иван"), std::string::npos);
    }
}

TEST(DrawPage, TheSameSeedGivesTheSameDrawAndAnotherDrawIsAskedAbout) {
    OrgFolder f;
    f.Write({Person(0, "Anna", "F", 1990), Person(0, "Boris", "M", 1980), Person(0, "Clara", "F", 2000),
             Person(0, "Dmitri", "M", 1970), Person(0, "Eva", "F", 2012), Person(0, "Fedor", "M", 1999)});
    PageUnderTest p(IDD_DRAW, DrawPageProc);
    p.Show();
    const std::string proposed = p.Text(DRAW_SEED);
    EXPECT_FALSE(proposed.empty());
    EXPECT_EQ(proposed.find_first_not_of("0123456789"), std::string::npos);
    p.Hide();
    p.Show();
    EXPECT_EQ(p.Text(DRAW_SEED), proposed); // kept until the draw
    p.Command(DRAW_NEW_SEED);
    EXPECT_NE(p.Text(DRAW_SEED), proposed);

    auto draw = [&](const char* seed, const char* groups) {
        p.SetText(DRAW_SEED, seed);
        p.SetText(DRAW_GROUPS, groups);
        p.Key(KEY_ENTER);
    };
    draw("2024", "0");
    EXPECT_TRUE(Boxes().empty());
    const std::map<int, std::string> first = NumbersOf(f.Read());
    ASSERT_EQ(first.size(), 6u);
    EXPECT_EQ(first.begin()->first, 1);
    EXPECT_EQ(first.rbegin()->first, 6);
    EXPECT_EQ(Column(p.page, DRAW_LIST, 0), "1|2|3|4|5|6");

    // Another draw is asked about; No keeps the numbers.
    const std::string drawn = ReadFile(f.competition);
    Answers() = {IDNO};
    draw("7", "0");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text.find("Жеребьевка уже проведена, ключ 2024."), 0u) << Boxes()[0].text;
    EXPECT_EQ(ReadFile(f.competition), drawn);
    draw("7", "0");
    EXPECT_NE(NumbersOf(f.Read()), first);
    draw("2024", "0");
    EXPECT_EQ(NumbersOf(f.Read()), first);

    // In groups of 4: the list shows group and seat; the seed comes back.
    draw("2024", "4");
    EXPECT_EQ(Column(p.page, DRAW_LIST, 1), "1|1|1|1|2|2");
    EXPECT_EQ(Column(p.page, DRAW_LIST, 2), "1|2|3|4|1|2");
    p.SetText(DRAW_SEED, "1");
    p.Hide();
    p.Show();
    EXPECT_EQ(p.Text(DRAW_SEED), "2024");
    EXPECT_EQ(p.Text(DRAW_GROUPS), "4");

    Boxes().clear();
    draw("4294967296", "0");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Ключ жеребьевки - целое число от 0 до 4294967295");

    // The start list, written where the organiser says and opened.
    SaveAnswer() = f.folder + "start.html";
    p.Select(DRAW_ORDER, 1);
    p.Key(KEY_INSERT);
    ASSERT_EQ(Opened(), std::vector<std::string>{f.folder + "start.html"});
    const std::string html = ReadFile(f.folder + "start.html");
    EXPECT_LT(html.find("Anna"), html.find("Boris"));
    EXPECT_NE(html.find("2024"), std::string::npos);
}

TEST(ResultsPageRoster, AFolderOfCopiesIsMarkedByStartNumberAndNamesComeFromTheRoster) {
    OrgFolder f;
    f.Write({Person(1, "Anna", "F", 1990), Person(2, "Boris", "M", 1990), Person(3, "Clara", "F", 2012)});
    const std::string copies = f.folder + "copies", results = f.folder + "Results.csv";
    CreateDirectoryA(copies.c_str(), nullptr);
    WriteFile(f.folder + "Letters.txt",
              "100\r\n\r\nA B C D E   F G H I J   \r\n\r\n110\r\n\r\nK L M N O   \r\n\r\n");
    const std::pair<const char*, const char*> files[] = {
        {"1_L_100.txt", "ABCDE FGHIJ"}, {"2_letters_100.txt", "ABXDE FGHIJ"},
        {"3_L_120.txt", "ABCDE"},       {"x.txt", "ABCDE"},
        {"9_L_100.txt", "ABCDE"},       {"notes.doc", "?"},
    };
    for (const auto& file : files)
        WriteFile(copies + "\\" + file.first, file.second);

    PageUnderTest p(IDD_RESULTS, ResultsPageProc);
    p.SetText(1101, results);
    p.SetText(1104, f.folder + "Letters.txt");
    p.Show();
    EXPECT_EQ(p.Text(2491), f.competition);
    OpenAnswers() = {copies};
    p.Command(2493);
    ASSERT_EQ(Boxes().size(), 1u);
    const std::string report = Boxes()[0].text;
    EXPECT_EQ(report.find("Копии из папки проверены.\nПроверено: 2\nНе понято: 3\n"), 0u) << report;
    for (const char* file : {"3_L_120.txt", "x.txt", "9_L_100.txt"})
        EXPECT_NE(report.find(std::string("\n") + file + ": "), std::string::npos) << file;
    std::string stored = ReadFile(results);
    EXPECT_NE(stored.find("\r\nAnna;letters;100;0;"), std::string::npos) << stored;
    EXPECT_NE(stored.find("\r\nBoris;letters;100;1;"), std::string::npos) << stored;
    // Ranked by speed minus errors.
    EXPECT_EQ(Column(p.page, 1129, 1) + " " + Column(p.page, 1129, 4), "Anna|Boris 100|99");

    // The participant list offers the roster by number; a number typed finds
    // its participant.
    EXPECT_EQ(SendDlgItemMessageA(p.page, 1118, CB_GETCOUNT, 0, 0), 3);
    auto mark = [&](const char* who, int speed, const char* copy) {
        Boxes().clear();
        p.SetText(1118, who);
        p.SetText(1116, std::to_string(speed));
        p.SetText(1121, copy);
        p.Command(1122);
    };
    mark("3", 110, "KLMNO");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_NE(ReadFile(results).find("\r\nClara;letters;110;0;"), std::string::npos);

    // A number nobody has is refused; a new name is asked about first.
    stored = ReadFile(results);
    mark("12", 110, "KLMNO");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "В списке участников нет стартового номера\n12");
    Answers() = {IDNO};
    mark("Dora", 110, "KLMNO");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Этого участника нет в списке участников. Добавить его в список?\nDora");
    EXPECT_EQ(ReadFile(results), stored);
    EXPECT_EQ(FindEntrant(f.Read(), "Dora"), nullptr);
    mark("Dora", 110, "KLMNO");
    EXPECT_NE(ReadFile(results).find("\r\nDora;letters;110;0;"), std::string::npos);
    const Entrant* dora = FindEntrant(f.Read(), "dora");
    ASSERT_NE(dora, nullptr);
    EXPECT_EQ(dora->startNumber, 4);

    // Rankings of one category: Anna and Dora (no sex, no category) apart.
    ComboSetSelection(p.page, 1128, 0);
    std::vector<std::string> categories;
    for (int k = 0; k < SendDlgItemMessageA(p.page, 2495, CB_GETCOUNT, 0, 0); ++k) {
        char item[64] = "";
        SendDlgItemMessageA(p.page, 2495, CB_GETLBTEXT, k, reinterpret_cast<LPARAM>(item));
        categories.push_back(item);
    }
    ASSERT_EQ(categories,
              (std::vector<std::string>{"Все участники", "Девушки", "Мужчины", "Женщины", "Без категории"}));
    p.Select(2495, 3);
    EXPECT_EQ(Column(p.page, 1129, 1), "Anna");
    p.Select(2495, 4);
    EXPECT_EQ(Column(p.page, 1129, 1), "Dora");

    // The sheet is the championship's, of the category on show.
    p.Select(2495, 0);
    p.Command(1123);
    ASSERT_EQ(Opened().size(), 1u);
    const std::string sheet = ReadFile(Opened()[0]);
    EXPECT_NE(sheet.find("Cup"), std::string::npos);
    EXPECT_NE(sheet.find(u8"Женщины"), std::string::npos);
}
