// A window station of our own, and a desktop made on it: CreateDesktop makes its desktop on the
// calling process's station, so the driver moves there for the call and back.
#include "unseen_desktop.hpp"

#include <windows.h>

namespace wine_driver {
namespace {

constexpr wchar_t kStation[] = L"TarvikUnseen";
constexpr wchar_t kDesktop[] = L"Default";

std::wstring MakeUnseenDesktop() {
    // Kept for the driver's lifetime: the station goes when its last handle closes.
    HWINSTA own = GetProcessWindowStation();
    HWINSTA station = CreateWindowStationW(kStation, 0, WINSTA_ALL_ACCESS, nullptr);
    if (own == nullptr || station == nullptr || !SetProcessWindowStation(station)) return {};
    HDESK desktop = CreateDesktopW(kDesktop, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (!SetProcessWindowStation(own) || desktop == nullptr) return {};
    return std::wstring(kStation) + L"\\" + kDesktop;
}

}  // namespace

const std::wstring& UnseenDesktop() {
    static const std::wstring desktop = MakeUnseenDesktop();
    return desktop;
}

}  // namespace wine_driver
