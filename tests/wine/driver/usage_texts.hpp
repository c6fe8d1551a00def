// The usage window's texts as users know them, so that a wrong text in the tool fails the checks.
#pragma once

#include <string>

namespace wine_driver {

// "Tarvik Version" directly followed by the version, no space, no leading zeros.
std::wstring UsageTitle();
// Label1: the synopsis, four lines.
std::wstring UsageLabel();
// Text1: 26 lines of help and examples, no line end after the last.
std::wstring UsageHelp();

}  // namespace wine_driver
