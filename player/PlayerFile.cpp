#include "player/PlayerFile.h"

#include "app/WholeFile.h"
#include "sound/MorseTable.h"
#include "texts/ControlTextBlocks.h"
#include "texts/TextEncoding.h"
#include "texts/TrainingSession.h"

#include <algorithm>
#include <cctype>

bool ReadControlTexts(const std::string& content, std::vector<PlayerText>& texts, std::string& why) {
    texts.clear();
    std::vector<ControlBlock> blocks;
    if (!ReadControlBlocks(content, blocks, why))
        return false;
    if (blocks.empty()) {
        why = "it holds no text";
        return false;
    }
    for (ControlBlock& b : blocks)
        if (!b.text.empty())
            texts.push_back({b.number >= 0 ? std::to_string(b.number) : std::string(), std::move(b.text)});
    return true;
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
    std::string content;
    const WholeFileRead read = ReadWholeFile(path, kMaxPlayerFileBytes, content);
    if (read != WholeFileRead::Read) {
        error = WholeFileProblem(read, path, kMaxPlayerFileBytes);
        return read == WholeFileRead::TooLarge ? PlayerLoad::TooLarge : PlayerLoad::CannotRead;
    }
    file.control = !ordinaryText && ReadControlTexts(AnyTextToCp1251(content), file.texts, file.notControl);
    if (file.control) {
        file.speedsRecorded = HeadersAreSpeeds(file.texts);
    } else {
        file.texts.clear();
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
