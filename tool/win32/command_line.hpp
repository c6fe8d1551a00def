// The command-line tail: what follows the program name on a Windows command line.
#pragma once

#include <string_view>

namespace tarvik::win32 {

// Skips the program name as Windows reads it, then the blanks after it; the rest is returned
// exactly as typed. A quoted name runs to the closing quote. An unquoted one runs to the first
// space or tab, unless a longer start of the line, ending at a blank or at the end, names the
// program at `modulePath`: CreateProcess runs an unquoted path that holds spaces, trying ever
// longer prefixes. Such a name matches in any letter case, with or without ".exe", with "/" for
// "\"; a relative path is not compared.
std::wstring_view CommandLineTail(std::wstring_view commandLine, std::wstring_view modulePath);

}  // namespace tarvik::win32
