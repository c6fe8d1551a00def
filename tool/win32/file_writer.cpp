// Replacing a file whole: readers see the old content or the new, never a part, and no temporary
// file is left behind on failure.
#include <windows.h>

#include <algorithm>
#include <string>

#include "file_system.hpp"
#include "general_failure.hpp"
#include "unique_handle.hpp"
#include "win32_error.hpp"

namespace tarvik::win32 {
namespace {

// A new file beside `path`, under a name no other run of the tool uses at the same time.
unique_hfile CreateTemporaryBeside(const std::wstring& path, std::wstring& temporary) {
    const std::wstring stem = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = stem + std::to_wstring(attempt) + L".tmp";
        unique_hfile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) return file;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) ThrowLastError("CreateFileW", temporary);
    }
    throw GeneralFailure("no free temporary file name beside the output file");
}

void WriteAll(HANDLE file, std::string_view bytes, const std::wstring& path) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), MAXDWORD));
        DWORD wrote = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &wrote, nullptr)) ThrowLastError("WriteFile", path);
        bytes.remove_prefix(wrote);
    }
}

}  // namespace

void WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    std::wstring temporary;
    unique_hfile file = CreateTemporaryBeside(path, temporary);
    try {
        WriteAll(file.get(), bytes, temporary);
        if (!FlushFileBuffers(file.get())) ThrowLastError("FlushFileBuffers", temporary);
        if (!CloseHandle(file.release())) ThrowLastError("CloseHandle", temporary);
        if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            ThrowLastError("MoveFileExW", path);
        }
    } catch (...) {
        file.reset();
        DeleteFileW(temporary.c_str());
        throw;
    }
}

}  // namespace tarvik::win32
