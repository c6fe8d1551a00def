// The texts of the usage window, kept in one place for every way of showing it.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tarvik::usage {

// The title as designed; the version is appended when the window loads.
inline constexpr std::string_view kDesignedTitle = "Tarvik Version";

// The synopsis shown in Label1: four lines joined by CR LF.
std::string LabelText();

// The 26 lines of help and examples shown in Text1.
extern const std::array<std::string_view, 26> kHelpLines;

// Text1 is filled in two steps: lines 1 to 25, each followed by CR LF, then line 26 appended.
std::string HelpTextFirstStep();
inline constexpr std::string_view kHelpLastLine = "        Set RETU = WEQREEQRQWERRWQER";

// The whole text of Text1 once loaded.
std::string HelpText();

// The designed title followed directly by major.minor.revision in plain decimal.
std::string Title(std::string_view designed, int major, int minor, int revision);

}  // namespace tarvik::usage
