// Temporary directories and whole-file reads and writes through the wide Win32 API, so that the
// paths are the ones the programs under test see.
#include "win32/scratch_dir.hpp"

#include <windows.h>

#include "win32_handles.hpp"

namespace test_support {
namespace {

void RemoveTree(const std::wstring& path) {
    for (const std::wstring& name : ListDirectory(path)) {
        const std::wstring child = path + L"\\" + name;
        if (IsDirectory(child)) {
            RemoveTree(child);
        } else {
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(child.c_str());
        }
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

ScratchDir::ScratchDir() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) return;
    std::wstring base(temp, length);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate = base + L"tarvik-test-" + std::to_wstring(GetCurrentProcessId()) +
                                 L"-" + std::to_wstring(++counter);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            // The long form: the tool reports its directory as Windows names it.
            wchar_t longPath[MAX_PATH];
            const DWORD longLength = GetLongPathNameW(candidate.c_str(), longPath, MAX_PATH);
            path_ = longLength > 0 && longLength < MAX_PATH ? std::wstring(longPath, longLength)
                                                            : candidate;
            return;
        }
    }
}

ScratchDir::~ScratchDir() {
    if (!path_.empty()) RemoveTree(path_);
}

std::wstring ScratchDir::MakeSubdirectory(const std::wstring& name) const {
    std::wstring path = path_ + L"\\" + name;
    CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    const tarvik::win32::unique_hfile file(CreateFileW(
        path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return ok && written == bytes.size();
}

std::string ReadBytes(const std::wstring& path) {
    const tarvik::win32::unique_hfile file(CreateFileW(path.c_str(), GENERIC_READ,
                                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                       OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

std::vector<std::wstring> ListDirectory(const std::wstring& directory) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

}  // namespace test_support
