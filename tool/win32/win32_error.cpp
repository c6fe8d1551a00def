// Turns Win32 error codes into GeneralFailure diagnostics for the developer.
#include "win32_error.hpp"

#include <windows.h>

#include <climits>
#include <string>

#include "general_failure.hpp"
#include "wide_text.hpp"

namespace tarvik::win32 {

void ThrowLastError(const char* api, std::wstring_view subject) {
    const DWORD error = GetLastError();
    std::string what = std::string(api) + " failed with error " + std::to_string(error);
    if (!subject.empty()) what += " for " + Utf8FromWide(subject);
    throw GeneralFailure(what);
}

int IntLength(std::size_t length) {
    if (length > static_cast<std::size_t>(INT_MAX)) throw GeneralFailure("text too long for Win32");
    return static_cast<int>(length);
}

}  // namespace tarvik::win32
