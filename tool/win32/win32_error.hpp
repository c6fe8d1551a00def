// Win32 failures as the general failure: the API's name, what it was working on, the error code.
#pragma once

#include <string_view>

namespace tarvik::win32 {

// Reads GetLastError before anything else can change it, then throws GeneralFailure.
[[noreturn]] void ThrowLastError(const char* api, std::wstring_view subject = {});

// Lengths handed to Win32 are ints or DWORDs; a longer text is a failure, not a silent cut.
int IntLength(std::size_t length);

}  // namespace tarvik::win32
