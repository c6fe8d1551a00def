// Whether a file is there, and clearing the previous run's files.
#include <windows.h>

#include "file_in_use.hpp"
#include "file_system.hpp"
#include "win32_error.hpp"

namespace tarvik::win32 {
namespace {

// Errors that mean "no such file" rather than "could not look".
bool MeansMissing(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_NOT_READY:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_DIRECTORY:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool IsOrdinaryFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (MeansMissing(GetLastError())) return false;
        ThrowFileError("GetFileAttributesW", path, FILE_READ_ATTRIBUTES);
    }
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

void DeleteIfPresent(const std::wstring& path) {
    if (!IsOrdinaryFile(path)) return;
    if (!DeleteFileW(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        ThrowFileError("DeleteFileW", path, DELETE);
    }
}

}  // namespace tarvik::win32
