// Full paths of any length: past MAX_PATH the Win32 file functions need the "\\?\" form.
#pragma once

#include <string>

namespace tarvik::win32 {

// `path`, a full path, as the file functions accept it whatever its length. Paths shorter than
// MAX_PATH and those already in a "\\?\" or "\\.\" form pass untouched. A longer one is normalised
// as Windows would a short one ("." and ".." resolved, trailing dots and spaces dropped), since the
// "\\?\" form turns that off, and then gets "\\?\" (a UNC path "\\?\UNC\").
std::wstring LongPathSafe(const std::wstring& path);

}  // namespace tarvik::win32
