// Text to and from the UTF-16 of the Win32 wide-character APIs.
#pragma once

#include <string>
#include <string_view>

#include "text.hpp"

namespace tarvik::win32 {

// Surrogate pairs become one code point; an unpaired surrogate is kept as its own code point, so
// any UTF-16 the system hands out survives the round trip through Text.
Text FromWide(std::wstring_view wide);

// Code points above U+FFFF become surrogate pairs; a lone surrogate is written as one unit.
std::wstring ToWide(TextView text);

// For the fixed texts kept as UTF-8 and for diagnostics.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace tarvik::win32
