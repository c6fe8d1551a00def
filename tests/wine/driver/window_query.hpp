// Reading the windows of another process: which exist, their classes, texts and geometry, and
// waits for them to appear or go.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win32/process.hpp"

namespace wine_driver {

using test_support::Process;

std::vector<HWND> VisibleTopLevelWindows(DWORD processId);
// Direct children only, in Z order.
std::vector<HWND> ChildWindows(HWND parent);

std::wstring ClassOf(HWND window);
// WM_GETTEXT, so that controls of other processes answer with their real text.
std::wstring TextOf(HWND window);
// The window's rectangle in the client coordinates of its parent.
RECT RectInParent(HWND child);

// One line per window and child: class, id, style, text. For transcripts.
std::vector<std::string> Describe(HWND window);

// Waits for the first visible top-level window of the process; nullptr when the process ended
// or the time ran out first.
HWND WaitForWindow(const Process& process, DWORD limit);
// Waits until the window no longer exists.
bool WaitUntilGone(HWND window, DWORD limit);

}  // namespace wine_driver
