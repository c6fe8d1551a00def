// What a user does with keyboard and clipboard, done through the system's input queue.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace wine_driver {

// Brings the window to the front so that typed keys reach it; false when it did not get there.
bool BringToFront(HWND window, DWORD limit);

// Presses and releases the keys in order; a key held with modifiers is written as the modifiers
// followed by the key, e.g. {VK_MENU, VK_F4} presses Alt, F4 and releases F4, Alt.
void PressKeys(const std::vector<WORD>& chord);

bool SetClipboardText(const std::wstring& text);
std::optional<std::wstring> ClipboardText();

}  // namespace wine_driver
