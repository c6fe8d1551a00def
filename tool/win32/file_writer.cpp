// Writing an output file: a device is written in place, a file is replaced whole, so readers see
// the old content or the new, never a part, and no temporary file is left behind.
#include <windows.h>

#include <string>

#include "file_system.hpp"
#include "replacement_file.hpp"
#include "win32_error.hpp"
#include "win32_handles.hpp"

namespace tarvik::win32 {
namespace {

// The open device when `path` names one (NUL, CON, COM1, ...), else an empty handle. The system is
// asked rather than the name judged, since which names are devices differs between Windows
// versions ("nul.txt" is one on some and not on others). A name that cannot be opened here, being
// missing, locked or refused, takes the replacing route, which creates it or reports why not.
unique_hfile OpenIfDevice(const std::wstring& path) {
    unique_hfile file(CreateFileW(path.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    const DWORD type = GetFileType(file.get());
    if (type == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR) {
        ThrowLastError("GetFileType", path);
    }
    if (type == FILE_TYPE_DISK) return {};
    return file;
}

}  // namespace

// A device cannot be renamed over, and what is written to it cannot be taken back: it is written
// directly, as a plain create and write would.
void WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    if (const unique_hfile device = OpenIfDevice(path)) {
        WriteAll(device.get(), bytes, path);
        return;
    }
    ReplacementFile file(path);
    file.Write(bytes);
    file.Commit();
}

}  // namespace tarvik::win32
