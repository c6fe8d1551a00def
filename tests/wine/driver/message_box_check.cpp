// MessageBoxW's dialog seen from outside: its static text has the id 0xFFFF, its buttons their
// command ids, its icon is a static control with SS_ICON.
#include "message_box_check.hpp"

#include "deadline.hpp"
#include "screen_pixels.hpp"
#include "user_input.hpp"
#include "window_query.hpp"

namespace wine_driver {
namespace {

constexpr int kMessageTextId = 0xFFFF;

std::vector<HWND> ChildrenOfClass(HWND parent, const std::wstring& className) {
    std::vector<HWND> found;
    for (HWND child : ChildWindows(parent)) {
        if (ClassOf(child) == className) found.push_back(child);
    }
    return found;
}

}  // namespace

void CheckMessageBox(CaseLog& log, HWND box, const std::wstring& expectedText) {
    log.Equal("message box class", L"#32770", ClassOf(box));
    log.Equal("message box title", L"Error", TextOf(box));
    log.Ok(GetWindow(box, GW_OWNER) == nullptr, "message box: expected no owner window, got one");
    HWND text = GetDlgItem(box, kMessageTextId);
    log.Ok(text != nullptr, "message box: expected a text control with id 0xFFFF, got none");
    if (text) log.Equal("message box text", expectedText, TextOf(text));

    const std::vector<HWND> buttons = ChildrenOfClass(box, L"Button");
    log.Equal("message box buttons", 1, static_cast<long long>(buttons.size()));
    if (!buttons.empty()) {
        log.Equal("message box button id", IDOK, GetDlgCtrlID(buttons.front()));
        log.Equal("message box button text", L"OK", TextOf(buttons.front()));
    }

    std::vector<HWND> icons;
    for (HWND child : ChildrenOfClass(box, L"Static")) {
        const auto style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        if ((style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
            SendMessageW(child, STM_GETICON, 0, 0) != 0) {
            icons.push_back(child);
        }
    }
    if (log.Equal("message box visible icons", 1, static_cast<long long>(icons.size()))) {
        log.Equal("message box icon pixels unlike the error icon (IDI_ERROR)", 0,
                  IconPixelsUnlike(icons.front(), IDI_ERROR));
    }
}

bool CloseMessageBox(CaseLog& log, HWND box, Close how) {
    HWND ok = GetDlgItem(box, IDOK);
    switch (how) {
        case Close::OkButton:
            log.Ok(BringToFront(box, kWindowTimeoutMs),
                   "message box: could not bring it to the front");
            PostMessageW(ok, BM_CLICK, 0, 0);
            break;
        case Close::OkCommand:
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(ok));
            break;
        case Close::EnterKey:
            log.Ok(BringToFront(box, kWindowTimeoutMs),
                   "message box: could not bring it to the front");
            PressKeys({VK_RETURN});
            break;
        default:
            log.Ok(false,
                   "message box: the case names a way of closing meant for the usage window");
            return false;
    }
    return log.Ok(WaitUntilGone(box, kWindowTimeoutMs),
                  "message box: expected it to close, it stayed open");
}

}  // namespace wine_driver
