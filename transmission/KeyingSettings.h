// The keying input settings of [Transmission] (the pages offer them, the
// keying session reads them): how the key is connected, which keys, the
// keyer's mode and speed, the serial port and its lines. Every value that is
// missing or invalid reads as its default; nothing is stored on reading.
#pragma once

#include <string>

class ConfigStore;

enum class KeyingInput { Keyboard, Mouse, Paddles, Serial };
enum class SerialLine { Cts, Dsr };

struct KeyingSettings {
    KeyingInput input = KeyingInput::Keyboard;
    int straightKey = 32; // virtual key codes (Space, VK_LCONTROL, VK_RCONTROL)
    int dotKey = 162;
    int dashKey = 163;
    bool modeB = true;    // KeyerMode = B | A
    int keyerSpeed = 100; // cpm, kKeyerSpeedMin..kKeyerSpeedMax
    std::string port = "COM1";
    SerialLine serialDot = SerialLine::Cts;
    SerialLine serialDash = SerialLine::Dsr;
    bool serialPaddles = false; // Serial: paddles on both lines, else a straight key on serialDot
};

extern const char kTransmissionSection[]; // "Transmission"
constexpr int kKeyerSpeedMin = 20;
constexpr int kKeyerSpeedMax = 600;

KeyingSettings ReadKeyingSettings(const ConfigStore& config);
// Stores every field (the pages' OK), in the spellings ReadKeyingSettings reads.
void WriteKeyingSettings(ConfigStore& config, const KeyingSettings& settings);

// Whether the session drives the iambic keyer (paddles on keys or lines).
bool UsesKeyer(const KeyingSettings& settings);
// The keyer's unit: UnitMsOfSpeed(kKeyerKind, keyerSpeed) (letters).
constexpr int kKeyerKind = 0;
