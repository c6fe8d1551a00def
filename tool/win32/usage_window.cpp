// Form1 in raw Win32: a top-level window with a label and a read-only text box, laid out in twips
// on the real screen DPI, and a message loop of its own so that showing it is modal.
#include "usage_window.hpp"

#include <windows.h>

#include <string>

#include "form1_layout.hpp"
#include "resources/resource_ids.h"
#include "usage_text.hpp"
#include "version_info.hpp"
#include "wide_text.hpp"
#include "win32_error.hpp"
#include "win32_handles.hpp"

namespace tarvik::win32 {
namespace {

constexpr wchar_t kForm1Class[] = L"Form1";
constexpr int kLabel1Id = 101;
constexpr int kText1Id = 102;
constexpr DWORD kForm1Style = WS_OVERLAPPEDWINDOW;
constexpr DWORD kForm1ExStyle = 0;

// What the window procedure needs, owned by ShowUsageWindow and reached through GWLP_USERDATA.
struct Form1State {
    HWND text1 = nullptr;
    bool closed = false;
};

Form1State* StateOf(HWND window) {
    return reinterpret_cast<Form1State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK Form1Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Form1State* state = StateOf(window);
    switch (message) {
        case WM_SETFOCUS:
            // Text1 is the only control that takes the focus; it gets it back on every activation.
            if (state != nullptr && state->text1 != nullptr) {
                SetFocus(state->text1);
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
            // A read-only edit draws like a label by default; Text1 keeps a text box's colours.
            if (state != nullptr && reinterpret_cast<HWND>(lParam) == state->text1) {
                const auto dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                SetBkColor(dc, GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
            break;
        case WM_NCDESTROY:
            if (state != nullptr) state->closed = true;
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterForm1Class(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Form1Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TARVIK));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kForm1Class;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        ThrowLastError("RegisterClassExW", kForm1Class);
    }
}

struct ScreenDpi {
    int x;
    int y;
};

ScreenDpi ReadScreenDpi() {
    const unique_screen_dc screen(GetDC(nullptr));
    if (!screen) ThrowLastError("GetDC");
    return {GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

unique_hfont CreateDesignFont(const FontDesign& design, const ScreenDpi& dpi) {
    LOGFONTW font{};
    font.lfHeight = -FontPixelHeight(design.hundredthsOfPoint, dpi.y);
    font.lfWeight = design.weight;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(font.lfFaceName, design.face, LF_FACESIZE);
    unique_hfont handle(CreateFontIndirectW(&font));
    if (!handle) ThrowLastError("CreateFontIndirectW", design.face);
    return handle;
}

unique_hwnd CreateForm1(HINSTANCE instance, const ScreenDpi& dpi, Form1State& state) {
    RECT frame = {0, 0, TwipsToPixels(kForm1ClientWidth, dpi.x),
                  TwipsToPixels(kForm1ClientHeight, dpi.y)};
    if (!AdjustWindowRectEx(&frame, kForm1Style, FALSE, kForm1ExStyle))
        ThrowLastError("AdjustWindowRectEx");
    const std::wstring designedTitle = WideFromUtf8(usage::kDesignedTitle);
    unique_hwnd form(CreateWindowExW(kForm1ExStyle, kForm1Class, designedTitle.c_str(), kForm1Style,
                                     CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                     frame.bottom - frame.top, nullptr, nullptr, instance, &state));
    if (!form) ThrowLastError("CreateWindowExW", kForm1Class);
    return form;
}

HWND CreateControl(HWND form, const wchar_t* className, int id, DWORD exStyle, DWORD style,
                   const PixelRect& rect, HFONT font) {
    const HWND control = CreateWindowExW(
        exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, rect.left, rect.top, rect.width,
        rect.height, form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE)), nullptr);
    if (control == nullptr) ThrowLastError("CreateWindowExW", className);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

std::wstring WindowText(HWND window) {
    SetLastError(ERROR_SUCCESS);
    const int length = GetWindowTextLengthW(window);
    if (length == 0 && GetLastError() != ERROR_SUCCESS) ThrowLastError("GetWindowTextLengthW");
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SetLastError(ERROR_SUCCESS);
    const int got = GetWindowTextW(window, text.data(), length + 1);
    if (got == 0 && GetLastError() != ERROR_SUCCESS) ThrowLastError("GetWindowTextW");
    text.resize(static_cast<std::size_t>(got));
    return text;
}

void SetText(HWND window, const std::wstring& text) {
    if (!SetWindowTextW(window, text.c_str())) ThrowLastError("SetWindowTextW");
}

// The load step: completes the title with the version and fills Text1 as the window always has,
// in two steps: every line but the last with its line end, then the last appended to what the
// control holds.
void LoadForm1(HWND form, HWND text1) {
    const std::string designed = Utf8FromWide(WindowText(form));
    const ProgramVersion version = ReadProgramVersion();
    SetText(form,
            WideFromUtf8(usage::Title(designed, version.major, version.minor, version.revision)));
    const std::wstring help = WideFromUtf8(usage::HelpText());
    const std::size_t lastLine = help.rfind(L"\r\n") + 2;
    SetText(text1, help.substr(0, lastLine));
    SetText(text1, WindowText(text1) + help.substr(lastLine));
}

// Serves the window until it is destroyed; false if the loop was told to quit before that.
bool RunUntilClosed(const Form1State& state) {
    MSG message{};
    while (!state.closed) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) ThrowLastError("GetMessageW");
        if (got == 0) {
            // Someone asked the whole program to quit: pass the request on to any outer loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

}  // namespace

void ShowUsageWindow() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterForm1Class(instance);
    const ScreenDpi dpi = ReadScreenDpi();
    // Declared before the window so that they outlive the controls that use them.
    const unique_hfont labelFont = CreateDesignFont(kLabel1Font, dpi);
    const unique_hfont textFont = CreateDesignFont(kText1Font, dpi);
    Form1State state;
    unique_hwnd form = CreateForm1(instance, dpi, state);

    const HWND label1 = CreateControl(form.get(), L"Static", kLabel1Id, 0, SS_LEFT,
                                      ToPixels(kLabel1Rect, dpi.x, dpi.y), labelFont.get());
    SetText(label1, WideFromUtf8(usage::LabelText()));
    state.text1 = CreateControl(form.get(), L"Edit", kText1Id, WS_EX_CLIENTEDGE,
                                ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
                                ToPixels(kText1Rect, dpi.x, dpi.y), textFont.get());
    LoadForm1(form.get(), state.text1);

    ShowWindow(form.get(), SW_SHOWDEFAULT);
    SetFocus(state.text1);
    if (RunUntilClosed(state)) form.release();  // already destroyed by the user's close
}

}  // namespace tarvik::win32
