// The transmission training page (page 12): a KLAVIRO text or free text sent
// on the key, decoded as it is sent, then judged and measured.
#pragma once

#include "diary/CopyCheck.h"
#include "transmission/KeyDecoder.h"
#include "transmission/win/KeyingSession.h"

#include <windows.h>

#include <memory>
#include <string>

// The control ids the tests look at.
enum : int {
    TX_SOURCE = 2502, // letters, figures, mixed, free text
    TX_NUMBER = 2504,
    TX_NUMBER_SPIN = 2505,
    TX_GROUPS = 2507,
    TX_GROUPS_SPIN = 2508,
    TX_INPUT = 2510, // keyboard, mouse, paddles A, paddles B, serial
    TX_SPEED = 2512,
    TX_SPEED_SPIN = 2513,
    TX_KEYS = 2514,
    TX_DECODED = 2516,
    TX_FIGURES = 2517,
    TX_CHART = 2518,
    TX_STATUS = 2519,
};

// Items of TX_SOURCE after the three text kinds.
constexpr int kTransmissionFreeText = 3;
// Items of TX_INPUT.
enum : int { kInputKeyboard, kInputMouse, kInputPaddlesA, kInputPaddlesB, kInputSerial };

// What the page keeps between visits and while a text is keyed.
struct TransmissionPageState {
    std::unique_ptr<KeyingSession> session;
    KeyDecoder decoder{60};
    bool keying = false;
    bool sideTone = true; // tests key without a sound card
    std::string text;     // the text to send as shown; "" for free text
    PlayedText played;
    double guessUnitMs = 60;
    double firstDownMs = -1; // keying clock; -1 before the first press
    double lastUpMs = -1;
    bool keyDown = false;
    int layoutWidth = 0, layoutHeight = 0;
};

// A silence this long after a press ends the text as Stop does: the
// longest of kEndPauseMs and kEndPauseUnits units of the sender's speed.
constexpr double kEndPauseMs = 3000;
constexpr double kEndPauseUnits = 30;
double EndPauseMs(double unitMs);

INT_PTR CALLBACK TransmissionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
