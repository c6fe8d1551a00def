// The usage window: title, class, frame, controls, texts, geometry and focus; then the text box's
// read-only behaviour; then closing it the way the case says.
#pragma once

#include <windows.h>

#include "case.hpp"
#include "case_log.hpp"

namespace wine_driver {

void CheckUsageWindow(CaseLog& log, HWND window);
// Typing, deleting and pasting leave Text1 unchanged; selecting and scrolling work.
void ProbeText1(CaseLog& log, HWND window, bool typeKeys);
bool CloseUsageWindow(CaseLog& log, HWND window, Close how);

// The ids of the two controls.
inline constexpr int kLabel1Id = 101;
inline constexpr int kText1Id = 102;

}  // namespace wine_driver
