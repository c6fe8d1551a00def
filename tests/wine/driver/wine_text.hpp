// Conversions between the driver's UTF-16, the core's code points and UTF-8 output, and the
// escaped form in which texts appear in failure messages.
#pragma once

#include <string>
#include <string_view>

#include "text.hpp"

namespace wine_driver {

std::wstring Wide(const tarvik::Text& text);
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8(std::wstring_view text);

// Text in double quotes, with CR, LF, tabs, quotes and backslashes escaped and every character
// outside printable ASCII written as \u{...}, so that any difference is visible.
std::string Show(std::wstring_view text);
// Bytes in double quotes, every byte outside printable ASCII written as \xNN.
std::string ShowBytes(std::string_view bytes);

}  // namespace wine_driver
