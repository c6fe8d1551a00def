// Full paths past MAX_PATH, reached through the "\\?\" form rather than failing.
#include "long_path.hpp"

#include <windows.h>

#include <string_view>

#include "win32_error.hpp"

namespace tarvik::win32 {
namespace {

constexpr std::wstring_view kExtended = L"\\\\?\\";
constexpr std::wstring_view kDevice = L"\\\\.\\";
constexpr std::wstring_view kUnc = L"\\\\";

bool HasPrefix(std::wstring_view path) {
    return path.starts_with(kExtended) || path.starts_with(kDevice);
}

std::wstring FullPathName(const std::wstring& path) {
    std::wstring full(path.size() + 1, L'\0');
    for (;;) {
        const DWORD got =
            GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (got == 0) ThrowLastError("GetFullPathNameW", path);
        // Too small a buffer gives the size needed, null included; success the length without.
        if (got < full.size()) {
            full.resize(got);
            return full;
        }
        full.resize(got);
    }
}

}  // namespace

std::wstring LongPathSafe(const std::wstring& path) {
    if (path.size() < MAX_PATH || HasPrefix(path)) return path;
    const std::wstring full = FullPathName(path);
    if (full.size() < MAX_PATH || HasPrefix(full)) return full;
    if (full.starts_with(kUnc))
        return std::wstring(kExtended) + L"UNC\\" + full.substr(kUnc.size());
    return std::wstring(kExtended) + full;
}

}  // namespace tarvik::win32
