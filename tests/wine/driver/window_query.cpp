// EnumWindows and WM_GETTEXT across processes, and the polling waits built on them.
#include "window_query.hpp"

#include <cstdio>

#include "deadline.hpp"
#include "wine_text.hpp"

namespace wine_driver {
namespace {

// How often a wait looks again; waits still end as soon as the process ends.
constexpr DWORD kPollMs = 20;

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleOf(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
    return TRUE;
}

std::string Hex(unsigned long long value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%llx", value);
    return buffer;
}

std::string DescribeOne(HWND window) {
    const RECT rect = GetParent(window) ? RectInParent(window) : RECT{};
    std::string line = "class " + Show(ClassOf(window)) + " id " +
                       std::to_string(GetDlgCtrlID(window)) + " style " +
                       Hex(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE))) + " text " +
                       Show(TextOf(window));
    if (GetParent(window)) {
        line += " at " + std::to_string(rect.left) + "," + std::to_string(rect.top) + " size " +
                std::to_string(rect.right - rect.left) + "x" +
                std::to_string(rect.bottom - rect.top);
    }
    return line;
}

}  // namespace

std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(CollectVisibleOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kWindowTimeoutMs,
                             &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kWindowTimeoutMs, &copied)) {
        return {};
    }
    text.resize(copied);
    return text;
}

RECT RectInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<std::string> Describe(HWND window) {
    std::vector<std::string> lines{"window " + DescribeOne(window)};
    for (HWND child : ChildWindows(window)) lines.push_back("  child " + DescribeOne(child));
    return lines;
}

HWND WaitForWindow(const Process& process, DWORD limit) {
    const Deadline deadline(limit);
    for (;;) {
        const std::vector<HWND> windows = VisibleTopLevelWindows(process.Id());
        if (!windows.empty()) return windows.front();
        if (deadline.Passed()) return nullptr;
        // Wakes early when the process ends; then one last look, since it may have shown a window
        // just before.
        if (process.WaitForEnd(deadline.Remaining(kPollMs))) {
            const std::vector<HWND> last = VisibleTopLevelWindows(process.Id());
            return last.empty() ? nullptr : last.front();
        }
    }
}

bool WaitUntilGone(HWND window, DWORD limit) {
    const Deadline deadline(limit);
    while (IsWindow(window)) {
        if (deadline.Passed()) return false;
        Sleep(deadline.Remaining(kPollMs));
    }
    return true;
}

}  // namespace wine_driver
