// The temporary file of a whole-file replacement, removed by the system unless committed.
#include "replacement_file.hpp"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "file_in_use.hpp"
#include "general_failure.hpp"
#include "long_path.hpp"
#include "scope_exit.hpp"
#include "win32_error.hpp"

namespace tarvik::win32 {
namespace {

std::wstring DirectoryOf(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) throw GeneralFailure("output path without a directory");
    return path.substr(0, separator);
}

// "~tv" + process id + attempt, in hex: at most 18 characters, unique among running processes.
std::wstring TemporaryName(const std::wstring& directory, int attempt) {
    wchar_t name[32];
    std::swprintf(name, std::size(name), L"\\~tv%lx.%x.tmp", GetCurrentProcessId(),
                  static_cast<unsigned>(attempt));
    return LongPathSafe(directory + name);
}

void SetDeleteDisposition(HANDLE file, bool deleteOnClose, const std::wstring& path) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleteOnClose ? TRUE : FALSE;
    if (!SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition)) {
        ThrowLastError("SetFileInformationByHandle", path);
    }
}

}  // namespace

void WriteAll(HANDLE file, std::string_view bytes, const std::wstring& path) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), MAXDWORD));
        DWORD wrote = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &wrote, nullptr)) {
            ThrowLastError("WriteFile", path);
        }
        bytes.remove_prefix(wrote);
    }
}

ReplacementFile::ReplacementFile(const std::wstring& target) : target_(target) {
    const std::wstring directory = DirectoryOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = TemporaryName(directory, attempt);
        // DELETE access lets the handle set and clear its own delete disposition. Delete sharing
        // alone lets the file be moved by name while this handle holds it, and no other program
        // open it meanwhile.
        file_.reset(CreateFileW(temporary_.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE,
                                nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file_) break;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            ThrowFileError("CreateFileW", temporary_, GENERIC_WRITE | DELETE);
        }
    }
    if (!file_) throw GeneralFailure("no free temporary file name beside the output file");
    ScopeExit removeTemporary([this] {
        file_.reset();
        DeleteFileW(temporary_.c_str());
    });
    SetDeleteDisposition(file_.get(), true, temporary_);
    removeTemporary.Dismiss();
}

ReplacementFile::~ReplacementFile() {
    file_.reset();
    if (kept_) DeleteFileW(temporary_.c_str());
}

void ReplacementFile::Write(std::string_view bytes) {
    WriteAll(file_.get(), bytes, temporary_);
}

// The disposition is cleared before the move: Windows refuses to rename a file that is to be
// deleted, and where that is allowed the moved file would vanish at close. So a run killed between
// clearing it and the end of the move is the one moment that can leave the file behind. The move
// goes by name, as every Windows version allows, while the handle still holds the file: when the
// target is in use, the disposition is set again and the system removes the file, which no other
// program can have opened.
void ReplacementFile::Commit() {
    if (!FlushFileBuffers(file_.get())) ThrowLastError("FlushFileBuffers", temporary_);
    SetDeleteDisposition(file_.get(), false, temporary_);
    kept_ = true;
    if (!MoveFileExW(temporary_.c_str(), target_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        SetDeleteDisposition(file_.get(), true, temporary_);
        kept_ = false;
        SetLastError(error);
        ThrowFileError("MoveFileExW", target_, DELETE);
    }
    kept_ = false;
    if (!CloseHandle(file_.release())) ThrowLastError("CloseHandle", target_);
}

}  // namespace tarvik::win32
