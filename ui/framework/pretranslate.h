// Message pre-translation of the loaded windows (WindowHost::preTranslate):
// type message filters, the common mouse and key events -1 ... -12, dragging
// a window by its client area, and the window's own keys (Tab, Enter,
// Escape, F1, mnemonics). True when the message is consumed.
#pragma once

#include <windows.h>

#include <cstdint>

bool PreTranslateMessage(MSG* msg);

// The modifier state of the common events: 1 Ctrl, 2 Shift, 4 Alt, read
// now; for a key event the key's own modifier is left out.
uint32_t ModifierState(WPARAM keyOfEvent = 0);
// Keypad digits and operators reported as the main keyboard's keys.
uint32_t EventKeyCode(WPARAM virtualKey);
