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

// The whole text of Text1: the lines joined by CR LF, none after the last.
std::string HelpText();

// The designed title followed directly by major.minor.revision in plain decimal.
std::string Title(std::string_view designed, int major, int minor, int revision);

}  // namespace tarvik::usage
