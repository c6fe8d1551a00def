// The window station's flags, as runtimes ask them to decide whether a process is interactive.
#include "visible_station.hpp"

#include <windows.h>

namespace tarvik::win32 {

bool WindowStationIsVisible() {
    HWINSTA station = GetProcessWindowStation();
    if (station == nullptr || GetThreadDesktop(GetCurrentThreadId()) == nullptr) return false;
    USEROBJECTFLAGS flags{};
    // Flags that cannot be read show nothing visible either.
    if (!GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, nullptr)) return false;
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace tarvik::win32
