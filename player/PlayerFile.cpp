#include "player/PlayerFile.h"

#include "app/Platform.h"
#include "sound/MorseTable.h"
#include "texts/TrainingSession.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        size_t stop = end;
        if (stop > start && content[stop - 1] == '\r')
            --stop;
        lines.push_back(content.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

bool IsHeader(const std::string& line) {
    if (line.size() > 9)
        return false;
    return std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty() && text.back() != ' ' && !line.empty() && line.front() != ' ')
            text += "   ";
        text += line;
    }
    // AR must follow a gap, not run into the last character.
    if (!text.empty() && text.back() != ' ')
        text += "   ";
    return text;
}

} // namespace

bool ReadControlTexts(const std::string& content, std::vector<PlayerText>& texts) {
    texts.clear();
    const std::vector<std::string> lines = SplitLines(content);
    size_t i = 0;
    bool any = false;
    while (i < lines.size()) {
        // Empty lines left at the end of the file close nothing.
        if (std::all_of(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end(),
                        [](const std::string& l) { return l.empty(); }))
            break;
        if (!IsHeader(lines[i]) || i + 1 >= lines.size() || !lines[i + 1].empty())
            return false;
        PlayerText block;
        block.header = lines[i];
        i += 2;
        std::vector<std::string> body;
        while (i < lines.size() && !lines[i].empty())
            body.push_back(lines[i++]);
        ++i; // the closing empty line, when there is one
        any = true;
        block.text = JoinLines(body);
        if (!block.text.empty())
            texts.push_back(std::move(block));
    }
    return any;
}

int HeaderSpeed(const PlayerText& text) {
    if (text.header.empty() || text.header.size() > 4)
        return 0;
    const int n = std::stoi(text.header);
    return n >= 10 && n <= kCompetitionTopSpeed + kCompetitionSpeedStep && n % kCompetitionSpeedStep == 0 ? n
                                                                                                          : 0;
}

bool HeadersAreSpeeds(const std::vector<PlayerText>& texts) {
    return !texts.empty() &&
           std::all_of(texts.begin(), texts.end(), [](const PlayerText& t) { return HeaderSpeed(t) > 0; });
}

int KindOfFileName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "letters")
        return TextLetters;
    if (name == "digits")
        return TextFigures;
    if (name == "mixed")
        return TextMixed;
    return -1;
}

int KindOfTexts(const std::vector<PlayerText>& texts) {
    bool letters = false, figures = false, others = false;
    for (const PlayerText& t : texts)
        for (unsigned char c : t.text) {
            if (c == ' ')
                continue;
            if (c >= '0' && c <= '9')
                figures = true;
            else if ((c >= 'A' && c <= 'Z') || c >= 0xC0 || c == 0xA8)
                letters = true;
            else
                others = true;
        }
    if (figures && !letters && !others)
        return TextFigures;
    if (others || (letters && figures))
        return TextMixed;
    return TextLetters;
}

PlayerLoad LoadPlayerFile(const std::string& path, size_t screenChars, PlayerFile& file, std::string& error,
                          bool ordinaryText) {
    file = PlayerFile();
    std::FILE* f = OpenFile(path, "rb");
    if (!f) {
        error = "cannot open \"" + path + "\"";
        return PlayerLoad::CannotRead;
    }
    std::string content;
    char buffer[65536];
    size_t n;
    bool tooLarge = false;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        content.append(buffer, n);
        if (content.size() > kMaxPlayerFileBytes) {
            tooLarge = true;
            break;
        }
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        error = "cannot read \"" + path + "\"";
        return PlayerLoad::CannotRead;
    }
    if (tooLarge) {
        error = "\"" + path + "\" is larger than " + std::to_string(kMaxPlayerFileBytes >> 20) + " MB";
        return PlayerLoad::TooLarge;
    }
    file.control = !ordinaryText && ReadControlTexts(content, file.texts);
    if (file.control) {
        file.speedsRecorded = HeadersAreSpeeds(file.texts);
    } else {
        file.converted = PlainToSending(content);
        for (std::string& piece : SplitIntoScreens(file.converted.text, screenChars))
            file.texts.push_back({std::string(), std::move(piece)});
        file.converted.text.clear();
    }
    if (file.texts.empty()) {
        error = "\"" + path + "\" holds nothing to send";
        return PlayerLoad::NothingToSend;
    }
    const int named = KindOfFileName(path);
    file.kind = named >= 0 ? named : KindOfTexts(file.texts);
    return PlayerLoad::Loaded;
}

SentText PlayerSentText(const PlayerFile& file, size_t index, int kind, int speed) {
    const std::string& text = file.texts[index].text;
    if (file.control)
        return CompetitionSentText(kind, speed, text);
    SentText s;
    s.sent = TrainingSentString(text);
    s.markA = kTrainingPreambleLength;
    s.markB = kTrainingPreambleLength + static_cast<int>(text.size());
    return s;
}
