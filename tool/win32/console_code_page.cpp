// A windowed program has no console of its own: it borrows its parent's just long enough to ask
// for the code page, and leaves its standard handles as they were.
#include "console_code_page.hpp"

#include <windows.h>

#include <array>

namespace tarvik::win32 {

unsigned ParentConsoleCodePage() {
    // A console already shared with the parent (as under Wine) answers without attaching.
    if (const UINT shared = GetConsoleOutputCP(); shared != 0) return shared;
    constexpr std::array<DWORD, 3> kStdHandles{STD_INPUT_HANDLE, STD_OUTPUT_HANDLE,
                                               STD_ERROR_HANDLE};
    std::array<HANDLE, 3> saved{};
    for (std::size_t i = 0; i < saved.size(); ++i) saved[i] = GetStdHandle(kStdHandles[i]);
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return 0;
    const UINT codePage = GetConsoleOutputCP();
    FreeConsole();
    for (std::size_t i = 0; i < saved.size(); ++i) SetStdHandle(kStdHandles[i], saved[i]);
    return codePage;
}

}  // namespace tarvik::win32
