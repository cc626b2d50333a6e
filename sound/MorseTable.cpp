#include "sound/MorseTable.h"

#include <cmath>

namespace {

struct Table {
    const char* pattern[256];
    int length[256];

    Table() {
        for (int i = 0; i < 256; ++i)
            pattern[i] = "";
        auto set = [this](unsigned char c, const char* p) { pattern[c] = p; };
        set(' ', "  ");
        set(',', "- - . . - - ");
        set('.', ". - . - . - ");
        set('/', "- . . - . ");
        set('0', "- - - - - ");
        set('1', ". - - - - ");
        set('2', ". . - - - ");
        set('3', ". . . - - ");
        set('4', ". . . . - ");
        set('5', ". . . . . ");
        set('6', "- . . . . ");
        set('7', "- - . . . ");
        set('8', "- - - . . ");
        set('9', "- - - - . ");
        set('=', "- . . . - ");
        set('?', ". . - - . . ");
        static const char* const latin[26] = {
            ". - ",     "- . . . ", "- . - . ", "- . . ",   ". ",       ". . - . ", "- - . ",
            ". . . . ", ". . ",     ". - - - ", "- . - ",   ". - . . ", "- - ",     "- . ",
            "- - - ",   ". - - . ", "- - . - ", ". - . ",   ". . . ",   "- ",       ". . - ",
            ". . . - ", ". - - ",   "- . . - ", "- . - - ", "- - . . "};
        for (int i = 0; i < 26; ++i)
            set(static_cast<unsigned char>('A' + i), latin[i]);
        auto L = [](char c) { return latin[c - 'A']; };
        // Cyrillic capitals, code page 1251 bytes 192..223 and Ё at 168.
        set(192, L('A'));
        set(193, L('B'));
        set(194, L('W'));
        set(195, L('G'));
        set(196, L('D'));
        set(197, L('E'));
        set(168, L('E'));
        set(198, L('V'));
        set(199, L('Z'));
        set(200, L('I'));
        set(201, L('J'));
        set(202, L('K'));
        set(203, L('L'));
        set(204, L('M'));
        set(205, L('N'));
        set(206, L('O'));
        set(207, L('P'));
        set(208, L('R'));
        set(209, L('S'));
        set(210, L('T'));
        set(211, L('U'));
        set(212, L('F'));
        set(213, L('H'));
        set(214, L('C'));
        set(215, "- - - . ");
        set(216, "- - - - ");
        set(217, L('Q'));
        // The hard sign is sent as the usual .--.-. ; nothing depends on it.
        set(218, ". - - . - . ");
        set(219, L('Y'));
        set(220, L('X'));
        set(221, ". . - . . ");
        set(222, ". . - - ");
        set(223, ". - . - ");
        for (int i = 0; i < 256; ++i) {
            int n = 0;
            for (const char* p = pattern[i]; *p; ++p)
                n += *p == '-' ? 3 : 1;
            length[i] = n;
        }
    }
};

const Table& table() {
    static const Table t;
    return t;
}

} // namespace

void InitMorseTable() {
    (void)table();
}

const char* MorsePattern(unsigned char c) {
    return table().pattern[c];
}

int MorsePatternLength(unsigned char c) {
    return table().length[c];
}

double CharacterUnits(int kind) {
    // Average sounding length per character without its closing gap; the
    // first and third are deliberately the rounded constants, not 214/26 and
    // 431/41, so that unit lengths match to the sample.
    static const double average[3] = {8.2307692307692, 14.0, 10.512195121951};
    if (kind < 0 || kind > 2)
        kind = 0;
    return average[kind] + 3.8;
}

int unitSamples(int kind, int speed, int sampleRate) {
    if (speed < 1) // a zero speed would divide by zero; no page passes one
        speed = 1;
    double unit = sampleRate * (60.0 / (CharacterUnits(kind) * speed));
    return static_cast<int>(std::trunc(unit));
}

uint64_t TextSamples64(const std::string& text, uint64_t unit, uint64_t space) {
    uint64_t total = 0;
    for (unsigned char c : text) {
        if (c == ' ') {
            total += space;
            continue;
        }
        for (const char* p = MorsePattern(c); *p; ++p)
            total += *p == '-' ? 3 * unit : unit;
    }
    return total;
}

int textSamples(const std::string& text, int unit, int space) {
    if (space < 0)
        space = 2 * unit;
    return static_cast<int>(TextSamples64(text, static_cast<uint64_t>(unit), static_cast<uint64_t>(space)));
}
