// Expected bytes of the tool's files, from the text a case expects.
#pragma once

#include <string>
#include <string_view>

#include "case.hpp"

namespace wine_driver {

// Stands for the tool directory in expected texts and bytes; the driver fills it in per case.
inline constexpr std::wstring_view kToolDirectoryMark = L"{dir}";

// Typed text as the tool writes it in the test prefix, whose ANSI code page is 1252: the letters
// used by the cases (ASCII and Latin-1 letters) are one byte each, the character's value.
std::string Ansi(std::wstring_view text);
// Text in code page 437, the OEM code page of English Windows, in which a tool started without a
// console writes its result file; only the letters the cases use.
std::string Oem437(std::wstring_view text);

// A report's text in ANSI followed by CR LF, in "error.txt".
File ErrorFile(std::wstring_view text);

}  // namespace wine_driver
