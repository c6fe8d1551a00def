// Expectations built from the tool's own message texts, so the cases never copy them: the
// message box text and the error file of a report.
#pragma once

#include <string>
#include <vector>

#include "case.hpp"
#include "messages.hpp"

namespace wine_driver {

// Stands for the tool directory in expected texts and bytes; the driver fills it in per case.
inline constexpr std::u32string_view kToolDirectoryMark = U"{dir}";

// Typed text as the tool writes it in the test prefix, whose ANSI code page is 1252: the letters
// used by the cases (ASCII and Latin-1 letters) are one byte each, the code point's value.
std::string Ansi(std::u32string_view text);

// Each line in ANSI followed by CR LF, in "error.txt".
File ErrorFile(const std::vector<tarvik::Text>& lines);

ExpectedMessageBox FailureBox(tarvik::ErrorKind kind, const tarvik::MessageValues& values, Close close);
File FailureFile(tarvik::ErrorKind kind, const tarvik::MessageValues& values);

}  // namespace wine_driver
