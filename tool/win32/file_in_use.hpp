// Telling a file that another program holds for now from one that stays out of reach.
#pragma once

#include <windows.h>

#include <string>

namespace tarvik::win32 {

// Throws for the last error of `api` on `path`, an operation that needed `access` to that file:
// FileInUse where another program holds the file without the sharing the operation needs (a
// sharing or lock violation, or access denied to a file that is pending deletion or that a probe
// with full sharing may open), else GeneralFailure: a missing path, a read-only file, a directory,
// a refused permission, a full disk.
[[noreturn]] void ThrowFileError(const char* api, const std::wstring& path, DWORD access);

}  // namespace tarvik::win32
