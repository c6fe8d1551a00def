// UTF-8 for the driver's output, and the escaped form in which texts appear in failure messages.
#pragma once

#include <string>
#include <string_view>

namespace wine_driver {

std::string Utf8(std::wstring_view text);

// Text in double quotes, with CR, LF, tabs, quotes and backslashes escaped and every character
// outside printable ASCII written as \u{...}, so that any difference is visible.
std::string Show(std::wstring_view text);
// Bytes in double quotes, every byte outside printable ASCII written as \xNN.
std::string ShowBytes(std::string_view bytes);

}  // namespace wine_driver
