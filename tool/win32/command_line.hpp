// The command-line tail: what follows the program name on a Windows command line.
#pragma once

#include <string_view>

namespace tarvik::win32 {

// Skips the program name as Windows reads it (a quoted name runs to the closing quote, an unquoted
// one to the first space or tab), then the blanks after it; the rest is returned exactly as typed.
std::wstring_view CommandLineTail(std::wstring_view commandLine);

}  // namespace tarvik::win32
