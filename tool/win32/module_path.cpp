// GetModuleFileNameW with a buffer that grows until the whole path fits.
#include "module_path.hpp"

#include <windows.h>

#include "general_failure.hpp"
#include "win32_error.hpp"

namespace tarvik::win32 {
namespace {

// Longest path Windows can name, with room for the terminating null.
constexpr std::size_t kLongestPath = 32768;

}  // namespace

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD got = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (got == 0) ThrowLastError("GetModuleFileNameW");
        // A result that fills the buffer was cut short (the error code differs between versions).
        if (got < path.size()) {
            path.resize(got);
            return path;
        }
        if (path.size() >= kLongestPath)
            throw GeneralFailure("executable path longer than Windows allows");
        path.resize(path.size() * 2);
    }
}

std::wstring ToolDirectoryPath() {
    std::wstring path = ModulePath();
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        throw GeneralFailure("executable path without a directory");
    path.resize(separator);
    return path;
}

}  // namespace tarvik::win32
