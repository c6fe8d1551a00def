// Access denied means many things on Windows: a read-only file, a directory, a missing permission,
// but also a file that another program has open without delete sharing (for a rename onto it) or
// that is pending deletion. Only the last two pass by themselves.
#include "file_in_use.hpp"

#include "platform.hpp"
#include "wide_text.hpp"
#include "win32_handles.hpp"

namespace tarvik::win32 {
namespace {

bool DeniedForGood(const std::wstring& path, DWORD access) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    // A file pending deletion answers even this with access denied.
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() != ERROR_ACCESS_DENIED;
    if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) return true;
    // With full sharing only a permission refuses the same access; another program's handle gives
    // a sharing violation instead.
    const unique_hfile probe(
        CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return !probe && GetLastError() == ERROR_ACCESS_DENIED;
}

bool HeldByAnother(DWORD error, const std::wstring& path, DWORD access) {
    switch (error) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_DELETE_PENDING:
            return true;
        case ERROR_ACCESS_DENIED:
            return !DeniedForGood(path, access);
        default:
            return false;
    }
}

}  // namespace

void ThrowFileError(const char* api, const std::wstring& path, DWORD access) {
    const DWORD error = GetLastError();
    const std::string what = std::string(api) + " failed with error " + std::to_string(error) +
                             " for " + Utf8FromWide(path);
    if (HeldByAnother(error, path, access)) throw FileInUse(what + ": in use by another program");
    throw GeneralFailure(what);
}

}  // namespace tarvik::win32
