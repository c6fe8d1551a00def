// A case of the Tarvik driver as data: files before, command line, the windows expected in turn
// and how to close each, exit status and files after. Case files register their lists with
// TARVIK_CASES, so new case files need no change anywhere else.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wine_driver {

struct File {
    std::wstring name;
    std::string bytes;
    bool directory = false;  // a directory of that name instead, e.g. to make a write fail
    bool held = false;  // kept open without sharing while Tarvik runs, as another program might
    bool readOnly = false;
};

// How the driver gets rid of a window, each the way a user could.
enum class Close {
    OkButton,    // message box: click OK (BM_CLICK)
    OkCommand,   // message box: IDOK sent as the button would
    EnterKey,    // message box: Enter typed
    WmClose,     // usage window: WM_CLOSE
    SystemMenu,  // usage window: the system menu's Close (SC_CLOSE)
    AltF4,       // usage window: Alt+F4 typed
};

struct ExpectedMessageBox {
    std::wstring text;  // lines joined by CR LF; "{dir}" stands for the tool directory
    Close close = Close::OkButton;
};

struct ExpectedUsageWindow {
    Close close = Close::WmClose;
    // Also type, delete and paste with the keyboard (needs the foreground; messages are always
    // tried).
    bool typeKeys = false;
};

struct Case {
    std::string name;
    // Everything after the program name; the driver starts "Tarvik.exe" followed by a space and
    // this, or "Tarvik.exe" alone when it is empty.
    std::wstring tail;
    std::vector<File> before;  // in the tool directory, beside Tarvik.exe
    std::optional<ExpectedMessageBox> messageBox;
    std::optional<ExpectedUsageWindow> usageWindow;
    unsigned long exitStatus = 0;
    // Every file in the tool directory afterwards except Tarvik.exe, names spelt exactly;
    // "{dir}" in the bytes stands for the tool directory.
    std::vector<File> after;
    // Started by its full path, unquoted, from a tool directory whose name holds a space, instead
    // of by its name alone.
    bool unquotedPath = false;
    // Started on a desktop of a window station nobody sees, as a scheduled task without a logged-on
    // user or a service is: no window may hold the run up.
    bool unseen = false;
    // The files marked `held` are let go this long after Tarvik.exe starts, instead of at its end.
    std::optional<unsigned long> releaseHeldAfterMs;
    // How long Tarvik.exe may run, from its start to its end, where that matters.
    unsigned long atLeastMs = 0;
    std::optional<unsigned long> atMostMs;
};

// The same cases started where nobody sees them: no windows, and each ends within 5 s with its
// status and files.
inline constexpr unsigned long kUnseenRunLimitMs = 5000;
std::vector<Case> Unseen(std::vector<Case> cases);

std::vector<Case>& RegisteredCases();

struct CaseRegistration {
    explicit CaseRegistration(std::vector<Case> cases);
};

}  // namespace wine_driver

#define TARVIK_CASES_JOIN2(a, b) a##b
#define TARVIK_CASES_JOIN(a, b) TARVIK_CASES_JOIN2(a, b)
// At namespace scope in a case file, with a function that returns the file's cases:
//   TARVIK_CASES(FailureCases());
#define TARVIK_CASES(list) \
    static const ::wine_driver::CaseRegistration TARVIK_CASES_JOIN(registration_, __LINE__)(list)
