#include "transmission/KeyingSettings.h"

#include "config/ConfigStore.h"

#include <cctype>

const char kTransmissionSection[] = "Transmission";

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // Values typed by hand may carry blanks around them.
    const size_t first = s.find_first_not_of(" \t");
    const size_t last = s.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
}

// A virtual key that a key can be: up to 254, and not a mouse button (1..6).
int KeyOr(const ConfigStore& config, const char* key, int fallback) {
    int value = 0;
    if (!config.GetInt(kTransmissionSection, key, value) || value <= 6 || value > 254)
        return fallback;
    return value;
}

SerialLine LineOr(const ConfigStore& config, const char* key, SerialLine fallback) {
    std::string value;
    if (!config.GetString(kTransmissionSection, key, value))
        return fallback;
    value = Upper(value);
    return value == "CTS" ? SerialLine::Cts : value == "DSR" ? SerialLine::Dsr : fallback;
}

const char* LineName(SerialLine line) {
    return line == SerialLine::Cts ? "CTS" : "DSR";
}

} // namespace

KeyingSettings ReadKeyingSettings(const ConfigStore& config) {
    KeyingSettings s;
    std::string value;
    if (config.GetString(kTransmissionSection, "Input", value)) {
        value = Upper(value);
        s.input = value == "MOUSE"     ? KeyingInput::Mouse
                  : value == "PADDLES" ? KeyingInput::Paddles
                  : value == "SERIAL"  ? KeyingInput::Serial
                                       : KeyingInput::Keyboard;
    }
    s.straightKey = KeyOr(config, "StraightKey", s.straightKey);
    s.dotKey = KeyOr(config, "DotKey", s.dotKey);
    s.dashKey = KeyOr(config, "DashKey", s.dashKey);
    // Two paddles on one key cannot work: the defaults then.
    if (s.dotKey == s.dashKey) {
        s.dotKey = KeyingSettings().dotKey;
        s.dashKey = KeyingSettings().dashKey;
    }
    if (config.GetString(kTransmissionSection, "KeyerMode", value))
        s.modeB = Upper(value) != "A";
    int speed = 0;
    if (config.GetInt(kTransmissionSection, "KeyerSpeed", speed) && speed >= kKeyerSpeedMin &&
        speed <= kKeyerSpeedMax)
        s.keyerSpeed = speed;
    if (config.GetString(kTransmissionSection, "Port", value) && !Upper(value).empty())
        s.port = Upper(value);
    s.serialDot = LineOr(config, "SerialDot", s.serialDot);
    s.serialDash = LineOr(config, "SerialDash", s.serialDash);
    if (s.serialDot == s.serialDash) {
        s.serialDot = SerialLine::Cts;
        s.serialDash = SerialLine::Dsr;
    }
    int paddles = 0;
    if (config.GetInt(kTransmissionSection, "SerialPaddles", paddles))
        s.serialPaddles = paddles != 0;
    return s;
}

void WriteKeyingSettings(ConfigStore& config, const KeyingSettings& s) {
    static const char* const kInputs[] = {"Keyboard", "Mouse", "Paddles", "Serial"};
    config.SetString(kTransmissionSection, "Input", kInputs[static_cast<int>(s.input)]);
    config.SetInt(kTransmissionSection, "StraightKey", s.straightKey);
    config.SetInt(kTransmissionSection, "DotKey", s.dotKey);
    config.SetInt(kTransmissionSection, "DashKey", s.dashKey);
    config.SetString(kTransmissionSection, "KeyerMode", s.modeB ? "B" : "A");
    config.SetInt(kTransmissionSection, "KeyerSpeed", s.keyerSpeed);
    config.SetString(kTransmissionSection, "Port", s.port);
    config.SetString(kTransmissionSection, "SerialDot", LineName(s.serialDot));
    config.SetString(kTransmissionSection, "SerialDash", LineName(s.serialDash));
    config.SetInt(kTransmissionSection, "SerialPaddles", s.serialPaddles ? 1 : 0);
}

bool UsesKeyer(const KeyingSettings& s) {
    return s.input == KeyingInput::Paddles || (s.input == KeyingInput::Serial && s.serialPaddles);
}
