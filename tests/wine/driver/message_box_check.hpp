// The message box of a failure report: checked, then closed the way the case says.
#pragma once

#include <windows.h>

#include <string>

#include "case.hpp"
#include "case_log.hpp"

namespace wine_driver {

// Title "Error", the expected text, an error icon, one OK button, no owner.
void CheckMessageBox(CaseLog& log, HWND box, const std::wstring& expectedText);
// False when the box did not go away.
bool CloseMessageBox(CaseLog& log, HWND box, Close how);

}  // namespace wine_driver
