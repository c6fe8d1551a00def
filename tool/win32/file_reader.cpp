// ByteReader over a Win32 file handle.
#include <windows.h>

#include <algorithm>

#include "file_in_use.hpp"
#include "file_system.hpp"
#include "general_failure.hpp"
#include "wide_text.hpp"
#include "win32_error.hpp"
#include "win32_handles.hpp"

namespace tarvik::win32 {
namespace {

class HandleReader final : public ByteReader {
  public:
    HandleReader(unique_hfile file, std::wstring path)
        : file_(std::move(file)), path_(std::move(path)) {}

    std::size_t Read(std::span<char> buffer) override {
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), MAXDWORD));
        DWORD got = 0;
        if (!::ReadFile(file_.get(), buffer.data(), wanted, &got, nullptr))
            ThrowLastError("ReadFile", path_);
        return got;
    }

  private:
    unique_hfile file_;
    std::wstring path_;
};

}  // namespace

std::unique_ptr<ByteReader> OpenFileForReading(const std::wstring& path) {
    // Sharing everything: a program that rotates or deletes the file meanwhile is not refused
    // because of us.
    unique_hfile file(CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) ThrowFileError("CreateFileW", path, GENERIC_READ);
    // A device name (COM1, CON, ...) opens a device in any folder, and reading one may wait for
    // ever for input that never comes.
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        throw GeneralFailure("not a file on disk: " + Utf8FromWide(path));
    return std::make_unique<HandleReader>(std::move(file), path);
}

}  // namespace tarvik::win32
