// Layout and look of the usage window, read from outside the process. Figures are pixels at
// 96 dots per inch, which the test display uses.
#include "usage_window_check.hpp"

#include <initializer_list>
#include <string>

#include "deadline.hpp"
#include "screen_pixels.hpp"
#include "usage_texts.hpp"
#include "user_input.hpp"
#include "window_query.hpp"
#include "wine_text.hpp"

namespace wine_driver {
namespace {

struct ExpectedControl {
    const char* name;
    int id;
    const wchar_t* className;
    RECT rect;       // left, top, right, bottom in the client area
    int fontPixels;  // Arial bold: 11.25 and 12 points
};

constexpr ExpectedControl kLabel1{"Label1", kLabel1Id, L"Static", {8, 8, 8 + 617, 8 + 73}, 15};
constexpr ExpectedControl kText1{"Text1", kText1Id, L"Edit", {8, 80, 8 + 585, 80 + 249}, 16};
constexpr SIZE kClientSize{602, 339};

void CheckRect(CaseLog& log, const std::string& what, const RECT& expected, const RECT& got) {
    log.Equal(what + " left", expected.left, got.left);
    log.Equal(what + " top", expected.top, got.top);
    log.Equal(what + " width", expected.right - expected.left, got.right - got.left);
    log.Equal(what + " height", expected.bottom - expected.top, got.bottom - got.top);
}

HWND CheckControl(CaseLog& log, HWND window, const ExpectedControl& expected,
                  const std::wstring& text) {
    const std::string name = expected.name;
    HWND control = GetDlgItem(window, expected.id);
    if (!log.Ok(control != nullptr, name + ": expected a control with id " +
                                        std::to_string(expected.id) + ", got none")) {
        return nullptr;
    }
    log.Equal(name + " class", expected.className, ClassOf(control));
    log.Ok(IsWindowVisible(control) != FALSE, name + ": expected visible, got hidden");
    CheckRect(log, name, expected.rect, RectInParent(control));
    const std::wstring got = TextOf(control);
    log.Equal(name + " text length", static_cast<long long>(text.size()),
              static_cast<long long>(got.size()));
    log.Equal(name + " text", text, got);
    // The first line as the design's font draws it. In Text1 the caret goes to the start of the
    // second line first, so that it cannot blink into the picture of the first.
    const std::wstring firstLine = text.substr(0, text.find(L'\r'));
    SendMessageW(control, EM_SETSEL, firstLine.size() + 2,
                 static_cast<LPARAM>(firstLine.size() + 2));
    log.Equal(
        name + " pixels of the first line unlike Arial bold " +
            std::to_string(expected.fontPixels) + " px",
        0,
        TextPixelsUnlike(control, firstLine, DesignFont(L"Arial", expected.fontPixels, FW_BOLD)));
    SendMessageW(control, EM_SETSEL, 0, 0);
    return control;
}

bool HasStyle(HWND window, DWORD bits) {
    return (static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & bits) == bits;
}

// Widening and heightening the window shows empty space beside and below the controls: neither
// moves nor changes size.
void CheckResizeKeepsControls(CaseLog& log, HWND window) {
    constexpr int kGrowth = 120;
    RECT frame{};
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + kGrowth,
                 frame.bottom - frame.top + kGrowth, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(window, &client);
    log.Equal("client width after widening", kClientSize.cx + kGrowth, client.right);
    for (const ExpectedControl* control : {&kLabel1, &kText1}) {
        if (HWND child = GetDlgItem(window, control->id)) {
            CheckRect(log, std::string(control->name) + " after resizing", control->rect,
                      RectInParent(child));
        }
    }
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void CheckUsageWindow(CaseLog& log, HWND window) {
    HDC screen = GetDC(nullptr);
    log.Equal("screen dots per inch", 96, GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);

    log.Equal("usage window class", L"Form1", ClassOf(window));
    log.Equal("usage window title", UsageTitle(), TextOf(window));
    log.Ok(HasStyle(window, WS_OVERLAPPEDWINDOW),
           "usage window: expected the WS_OVERLAPPEDWINDOW frame");
    log.Ok(GetWindow(window, GW_OWNER) == nullptr,
           "usage window: expected no owner window, got one");
    log.Ok(GetMenu(window) == nullptr, "usage window: expected no menu, got one");

    RECT client{};
    GetClientRect(window, &client);
    log.Equal("usage window client width", kClientSize.cx, client.right);
    log.Equal("usage window client height", kClientSize.cy, client.bottom);

    log.Equal("usage window controls", 2, static_cast<long long>(ChildWindows(window).size()));
    HWND label = CheckControl(log, window, kLabel1, UsageLabel());
    if (label) log.Ok(!HasStyle(label, WS_TABSTOP), "Label1: expected no WS_TABSTOP, got it");
    HWND text = CheckControl(log, window, kText1, UsageHelp());
    if (text) {
        log.Ok(HasStyle(text, ES_MULTILINE), "Text1: expected ES_MULTILINE");
        log.Ok(HasStyle(text, ES_READONLY), "Text1: expected ES_READONLY");
        log.Ok(HasStyle(text, WS_VSCROLL), "Text1: expected WS_VSCROLL");
        log.Ok(!HasStyle(text, WS_HSCROLL), "Text1: expected no WS_HSCROLL");
        log.Ok(!HasStyle(text, ES_AUTOHSCROLL),
               "Text1: expected no ES_AUTOHSCROLL, so that long lines wrap");
    }

    CheckResizeKeepsControls(log, window);

    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    log.Ok(thread.hwndFocus == text && text != nullptr,
           "usage window: expected the focus in Text1, got " +
               (thread.hwndFocus ? Show(ClassOf(thread.hwndFocus)) : std::string("none")));
}

bool CloseUsageWindow(CaseLog& log, HWND window, Close how) {
    switch (how) {
        case Close::WmClose:
            PostMessageW(window, WM_CLOSE, 0, 0);
            break;
        case Close::SystemMenu:
            PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case Close::AltF4:
            log.Ok(BringToFront(window, kWindowTimeoutMs),
                   "usage window: could not bring it to the front");
            PressKeys({VK_MENU, VK_F4});
            break;
        default:
            log.Ok(false,
                   "usage window: the case names a way of closing meant for the message box");
            return false;
    }
    return log.Ok(WaitUntilGone(window, kWindowTimeoutMs),
                  "usage window: expected it to close, it stayed open");
}

}  // namespace wine_driver
