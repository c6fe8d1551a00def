// ByteReader over a Win32 file handle.
#include <windows.h>

#include <algorithm>

#include "file_system.hpp"
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
    unique_hfile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) ThrowLastError("CreateFileW", path);
    return std::make_unique<HandleReader>(std::move(file), path);
}

}  // namespace tarvik::win32
