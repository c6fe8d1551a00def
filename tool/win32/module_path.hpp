// Where the running executable lives: its full path and the tool directory that holds it.
#pragma once

#include <string>

namespace tarvik::win32 {

// The executable's full path, of any length.
std::wstring ModulePath();

// The executable's directory, without a trailing backslash.
std::wstring ToolDirectoryPath();

}  // namespace tarvik::win32
