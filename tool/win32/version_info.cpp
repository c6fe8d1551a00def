// GetFileVersionInfoW on the executable's own path; the fixed part holds the numbers.
#include "version_info.hpp"

#include <windows.h>

#include <vector>

#include "general_failure.hpp"
#include "module_path.hpp"
#include "win32_error.hpp"

namespace tarvik::win32 {

ProgramVersion ReadProgramVersion() {
    const std::wstring path = ModulePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) ThrowLastError("GetFileVersionInfoSizeW", path);
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        ThrowLastError("GetFileVersionInfoW", path);

    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", &value, &length) ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        throw GeneralFailure("version information without its fixed part");
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    if (fixed->dwSignature != VS_FFI_SIGNATURE) throw GeneralFailure("version information damaged");
    // FILEVERSION major,minor,build,revision: the build number is not shown.
    return {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
            LOWORD(fixed->dwFileVersionLS)};
}

}  // namespace tarvik::win32
