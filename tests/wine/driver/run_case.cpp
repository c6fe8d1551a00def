// One case: a copy of Tarvik.exe in a fresh tool directory, started from another directory; the
// windows it shows, in turn; its exit status; and the files it leaves.
#include "run_case.hpp"

#include <algorithm>
#include <map>

#include "case_log.hpp"
#include "deadline.hpp"
#include "expected_reports.hpp"
#include "message_box_check.hpp"
#include "unseen_desktop.hpp"
#include "usage_window_check.hpp"
#include "win32/scratch_dir.hpp"
#include "win32_handles.hpp"
#include "window_query.hpp"
#include "wine_text.hpp"

namespace wine_driver {
namespace {

using test_support::IsDirectory;
using test_support::ListDirectory;
using test_support::ReadBytes;
using test_support::ScratchDir;
using test_support::WriteBytes;

constexpr wchar_t kExecutable[] = L"Tarvik.exe";

std::wstring FillToolDirectory(std::wstring text, const std::wstring& directory) {
    const std::wstring mark(kToolDirectoryMark);
    for (std::size_t at = text.find(mark); at != std::wstring::npos;
         at = text.find(mark, at + directory.size())) {
        text.replace(at, mark.size(), directory);
    }
    return text;
}

std::string FillToolDirectory(std::string bytes, const std::wstring& directory) {
    const std::string mark = Ansi(kToolDirectoryMark);
    const std::string filled = Ansi(directory);
    for (std::size_t at = bytes.find(mark); at != std::string::npos;
         at = bytes.find(mark, at + filled.size())) {
        bytes.replace(at, mark.size(), filled);
    }
    return bytes;
}

void NoteWindow(CaseLog& log, const char* when, HWND window) {
    log.Note(std::string(when) + ":");
    for (const std::string& line : Describe(window)) log.Note("  " + line);
}

// The next window of the process, which must be of `className`; nullptr after a failure.
HWND ExpectWindow(CaseLog& log, const Process& process, const wchar_t* className,
                  const char* what) {
    HWND window = WaitForWindow(process, kWindowTimeoutMs);
    if (!log.Ok(window != nullptr, std::string("expected the ") + what + ", got no window"))
        return nullptr;
    NoteWindow(log, what, window);
    if (!log.Equal(std::string(what) + " class", className, ClassOf(window))) return nullptr;
    log.Equal(std::string("visible windows while the ") + what + " is shown", 1,
              static_cast<long long>(VisibleTopLevelWindows(process.Id()).size()));
    return window;
}

// Walks through the windows the case expects; false when one of them could not be dealt with.
bool WalkWindows(CaseLog& log, const Case& testCase, const Process& process,
                 const std::wstring& toolDirectory) {
    if (testCase.messageBox) {
        HWND box = ExpectWindow(log, process, L"#32770", "message box");
        if (!box) return false;
        CheckMessageBox(log, box, FillToolDirectory(testCase.messageBox->text, toolDirectory));
        // The report is on disk before the box shows.
        for (const File& file : testCase.after) {
            if (file.name == L"error.txt" && !file.directory) {
                log.EqualBytes("error.txt while the message box is shown",
                               FillToolDirectory(file.bytes, toolDirectory),
                               ReadBytes(toolDirectory + L"\\error.txt"));
            }
        }
        if (!CloseMessageBox(log, box, testCase.messageBox->close)) return false;
    }
    if (testCase.usageWindow) {
        HWND usage = ExpectWindow(log, process, L"Form1", "usage window");
        if (!usage) return false;
        CheckUsageWindow(log, usage);
        ProbeText1(log, usage, testCase.usageWindow->typeKeys);
        if (!CloseUsageWindow(log, usage, testCase.usageWindow->close)) return false;
    }
    // Nothing more may show: the process ends.
    if (HWND extra = WaitForWindow(process, kWindowTimeoutMs)) {
        NoteWindow(log, "unexpected window", extra);
        log.Ok(false, "expected the process to end, got another window: " + Show(TextOf(extra)));
        return false;
    }
    return true;
}

void CheckLifetime(CaseLog& log, const Case& testCase, const Process& process) {
    const std::optional<DWORD> lifetime = process.Lifetime();
    if (!lifetime) return;
    if (testCase.atLeastMs > 0 || testCase.atMostMs)
        log.Headline("ran " + std::to_string(*lifetime) + " ms");
    log.Ok(*lifetime >= testCase.atLeastMs, "expected a run of at least " +
                                                std::to_string(testCase.atLeastMs) + " ms, got " +
                                                std::to_string(*lifetime) + " ms");
    if (testCase.atMostMs) {
        log.Ok(*lifetime <= *testCase.atMostMs,
               "expected a run of at most " + std::to_string(*testCase.atMostMs) + " ms, got " +
                   std::to_string(*lifetime) + " ms");
    }
}

std::string Kind(const File& file) {
    return file.directory ? "directory" : "file";
}

void CheckFiles(CaseLog& log, const Case& testCase, const std::wstring& toolDirectory,
                const std::wstring& currentDirectory) {
    std::map<std::wstring, File> left;
    for (const std::wstring& name : ListDirectory(toolDirectory)) {
        const std::wstring path = toolDirectory + L"\\" + name;
        if (name == kExecutable) continue;
        left[name] = IsDirectory(path) ? File{name, {}, true} : File{name, ReadBytes(path)};
    }
    log.Note("files left beside Tarvik.exe:");
    for (const auto& [name, file] : left) {
        log.Note("  " + Utf8(name) +
                 (file.directory ? " (a directory)" : " = " + ShowBytes(file.bytes)));
    }

    std::map<std::wstring, File> expected;
    for (const File& file : testCase.after) {
        expected[file.name] = {file.name, FillToolDirectory(file.bytes, toolDirectory),
                               file.directory};
    }
    for (const auto& [name, file] : expected) {
        const auto found = left.find(name);
        if (!log.Ok(found != left.end(),
                    "expected the " + Kind(file) + " " + Utf8(name) + ", got none"))
            continue;
        if (!log.Ok(found->second.directory == file.directory,
                    Utf8(name) + ": expected a " + Kind(file) + ", got a " + Kind(found->second))) {
            continue;
        }
        if (!file.directory) log.EqualBytes("file " + Utf8(name), file.bytes, found->second.bytes);
    }
    for (const auto& [name, file] : left) {
        log.Ok(expected.count(name) > 0,
               "expected no " + Kind(file) + " " + Utf8(name) + ", got one");
    }
    const std::vector<std::wstring> strays = ListDirectory(currentDirectory);
    log.Ok(strays.empty(), "expected nothing in the current directory, got " +
                               (strays.empty() ? std::string() : Utf8(strays.front())));
}

// The files a case starts with; returns the handles of those another program holds.
std::vector<tarvik::win32::unique_hfile> MakeFiles(CaseLog& log, const Case& testCase,
                                                   const std::wstring& toolDirectory) {
    std::vector<tarvik::win32::unique_hfile> held;
    for (const File& file : testCase.before) {
        const std::wstring path = toolDirectory + L"\\" + file.name;
        log.Ok(file.directory ? CreateDirectoryW(path.c_str(), nullptr) != FALSE
                              : WriteBytes(path, file.bytes),
               "could not make " + Utf8(file.name));
        if (file.readOnly)
            log.Ok(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY) != FALSE,
                   "could not make " + Utf8(file.name) + " read-only");
        if (!file.held) continue;
        tarvik::win32::unique_hfile handle(
            CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (log.Ok(static_cast<bool>(handle), "could not hold " + Utf8(file.name)))
            held.push_back(std::move(handle));
    }
    return held;
}

}  // namespace

bool RunCase(const Case& testCase, const std::wstring& tarvik) {
    CaseLog log(testCase.name);
    ScratchDir scratch;
    if (!log.Ok(!scratch.Path().empty(), "could not make a temporary directory")) {
        log.Print();
        return false;
    }
    const std::wstring toolDirectory =
        scratch.MakeSubdirectory(testCase.unquotedPath ? L"tool dir" : L"tool");
    const std::wstring currentDirectory = scratch.MakeSubdirectory(L"cwd");
    const std::wstring executable = toolDirectory + L"\\" + kExecutable;
    log.Ok(CopyFileW(tarvik.c_str(), executable.c_str(), TRUE) != FALSE,
           "could not copy " + Utf8(tarvik));
    std::vector<tarvik::win32::unique_hfile> held = MakeFiles(log, testCase, toolDirectory);

    const std::wstring program = testCase.unquotedPath ? executable : kExecutable;
    const std::wstring commandLine =
        testCase.tail.empty() ? program : program + L" " + testCase.tail;
    log.Note("command line: " + Show(commandLine));
    log.Note("tool directory: " + Utf8(toolDirectory));
    test_support::ProcessOptions options;
    if (testCase.unseen) {
        options.desktop = UnseenDesktop();
        log.Ok(!options.desktop.empty(), "could not make a desktop nobody sees");
    }
    Process process(executable, commandLine, currentDirectory, options);
    if (log.Ok(process.Started(), "could not start Tarvik.exe: " + process.Error())) {
        if (testCase.releaseHeldAfterMs) {
            process.WaitForEnd(*testCase.releaseHeldAfterMs);
            held.clear();
        }
        // Where nobody sees them there are no windows to walk, and a run held up by one never ends.
        const bool walked = testCase.unseen || WalkWindows(log, testCase, process, toolDirectory);
        const DWORD endLimit = testCase.unseen ? kUnseenRunLimitMs : kWindowTimeoutMs;
        if (!log.Ok(process.WaitForEnd(walked ? endLimit : 0),
                    "expected Tarvik.exe to end, it still runs")) {
            for (HWND window : VisibleTopLevelWindows(process.Id()))
                NoteWindow(log, "window still open", window);
            process.Kill();
        }
        const auto status = process.ExitCode();
        log.Note("exit status: " + (status ? std::to_string(*status) : std::string("none")));
        if (status) log.Equal("exit status", static_cast<long long>(testCase.exitStatus), *status);
        CheckLifetime(log, testCase, process);
        held.clear();
        CheckFiles(log, testCase, toolDirectory, currentDirectory);
    }
    log.Print();
    return !log.Failed();
}

}  // namespace wine_driver
