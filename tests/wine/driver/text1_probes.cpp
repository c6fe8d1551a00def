// Text1 is read-only: what a user types, deletes, cuts or pastes changes nothing, while selecting
// and scrolling work. Each probe is first tried on a writable edit control of the driver's own,
// where it must change the text: a probe that cannot change anything would prove nothing.
#include <string>
#include <vector>

#include "deadline.hpp"
#include "usage_texts.hpp"
#include "usage_window_check.hpp"
#include "user_input.hpp"
#include "window_query.hpp"
#include "wine_text.hpp"

namespace wine_driver {
namespace {

constexpr wchar_t kPasted[] = L"PASTED";

struct EditMessage {
    const char* name;
    UINT message;
    WPARAM wParam;
};

// Messages a user's typing, deleting, cutting and pasting become, each with a selection to act on.
const std::vector<EditMessage> kEditMessages = {
    {"typed character (WM_CHAR)", WM_CHAR, L'x'},
    {"backspace (WM_CHAR)", WM_CHAR, VK_BACK},
    {"Delete key (WM_KEYDOWN)", WM_KEYDOWN, VK_DELETE},
    {"WM_CLEAR", WM_CLEAR, 0},
    {"WM_PASTE", WM_PASTE, 0},
    {"WM_CUT", WM_CUT, 0},
};

std::pair<DWORD, DWORD> Selection(HWND edit) {
    const auto packed = static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0));
    return {LOWORD(packed), HIWORD(packed)};
}

void Select(HWND edit, WPARAM from, LPARAM to) {
    SendMessageW(edit, EM_SETSEL, from, to);
}

// The probes on a writable edit of our own: each must change its text.
void CheckProbesChangeWritableText(CaseLog& log) {
    HWND edit = CreateWindowExW(0, L"Edit", L"writable sample text", WS_POPUP | ES_MULTILINE, 0, 0,
                                200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!log.Ok(edit != nullptr, "could not create the writable edit control for the probes"))
        return;
    for (const EditMessage& probe : kEditMessages) {
        const std::wstring before = TextOf(edit);
        Select(edit, 2, 6);
        SendMessageW(edit, probe.message, probe.wParam, 0);
        log.Ok(TextOf(edit) != before,
               std::string("probe ") + probe.name + " did not change a writable edit control");
    }
    DestroyWindow(edit);
}

void CheckMessagesChangeNothing(CaseLog& log, HWND text, const std::wstring& expected) {
    for (const EditMessage& probe : kEditMessages) {
        Select(text, 5, 10);
        SendMessageW(text, probe.message, probe.wParam, 0);
        log.Equal(std::string("Text1 after ") + probe.name, expected, TextOf(text));
    }
}

// Real keys through the input queue. Ctrl+End comes last: once the caret stands at the end,
// every key before it has been handled.
void CheckKeysChangeNothing(CaseLog& log, HWND window, HWND text, const std::wstring& expected) {
    if (!log.Ok(BringToFront(window, kWindowTimeoutMs),
                "usage window: could not bring it to the front"))
        return;
    Select(text, 5, 10);
    const std::vector<std::vector<WORD>> keys = {{'X'},
                                                 {VK_DELETE},
                                                 {VK_BACK},
                                                 {VK_RETURN},
                                                 {VK_CONTROL, 'V'},
                                                 {VK_SHIFT, VK_INSERT},
                                                 {VK_CONTROL, 'X'},
                                                 {VK_CONTROL, VK_END}};
    for (const std::vector<WORD>& chord : keys) PressKeys(chord);
    const auto end = static_cast<DWORD>(expected.size());
    const Deadline deadline(kWindowTimeoutMs);
    while (Selection(text) != std::pair{end, end} && !deadline.Passed())
        Sleep(deadline.Remaining(20));
    log.Ok(Selection(text) == std::pair{end, end},
           "Text1: the typed keys did not arrive (Ctrl+End did not move the caret)");
    log.Equal("Text1 after typing, deleting and pasting keys", expected, TextOf(text));
}

void CheckSelectAndScroll(CaseLog& log, HWND text, const std::wstring& expected) {
    Select(text, 5, 10);
    log.Ok(Selection(text) == std::pair<DWORD, DWORD>{5, 10},
           "Text1: expected a selection from 5 to 10");

    const auto lines = SendMessageW(text, EM_GETLINECOUNT, 0, 0);
    log.Ok(lines > 26, "Text1: expected long lines to wrap into more than 26 lines, got " +
                           std::to_string(lines));
    SendMessageW(text, WM_VSCROLL, SB_BOTTOM, 0);
    const auto first = SendMessageW(text, EM_GETFIRSTVISIBLELINE, 0, 0);
    log.Ok(first > 0,
           "Text1: expected scrolling to the bottom to move the first visible line, got " +
               std::to_string(first));
    const auto last =
        static_cast<DWORD>(SendMessageW(text, EM_POSFROMCHAR, expected.size() - 1, 0));
    RECT client{};
    GetClientRect(text, &client);
    const auto y = static_cast<short>(HIWORD(last));
    log.Ok(last != 0xFFFFFFFF && y >= 0 && y < client.bottom,
           "Text1: expected the last character visible after scrolling down, at y " +
               std::to_string(y));
    SendMessageW(text, WM_VSCROLL, SB_TOP, 0);
}

}  // namespace

void ProbeText1(CaseLog& log, HWND window, bool typeKeys) {
    HWND text = GetDlgItem(window, kText1Id);
    if (!log.Ok(text != nullptr, "Text1 missing: nothing to probe")) return;
    const std::wstring expected = UsageHelp();
    // Cutting comes last in every round, so that each paste finds text on the clipboard.
    log.Ok(SetClipboardText(kPasted) && ClipboardText() == std::wstring(kPasted),
           "could not put text on the clipboard");
    CheckProbesChangeWritableText(log);
    CheckMessagesChangeNothing(log, text, expected);
    if (typeKeys) CheckKeysChangeNothing(log, window, text, expected);
    CheckSelectAndScroll(log, text, expected);
}

}  // namespace wine_driver
