// Every error kind: error file, then message box, then usage window, then the end, closing each
// window in a different way across the cases. The exit statuses are written out as scripts know
// them; the messages are the golden texts.
#include "case.hpp"
#include "expected_reports.hpp"
#include "fill.hpp"

namespace wine_driver {
namespace {

using namespace golden;

Case Failure(std::string name, std::wstring tail, unsigned long status, const std::wstring& message,
             Close boxClose, Close usageClose) {
    return {
        .name = std::move(name),
        .tail = std::move(tail),
        .messageBox = ExpectedMessageBox{message, boxClose},
        .usageWindow = ExpectedUsageWindow{.close = usageClose},
        .exitStatus = status,
        .after = {ErrorFile(message)},
    };
}

std::vector<Case> FailureCases() {
    const std::wstring general = WideFill(kGeneralFailure);
    // The tool directory stays a mark: the driver fills it in per case.
    const auto missing = [](std::wstring_view file) {
        return WideFill(kFileNotFound, {{"file", file}, {"dir", kToolDirectoryMark}});
    };
    std::vector<Case> cases = {
        Failure("kind 1: file missing", L"/f:missing.txt /c:\"x\"", 11, missing(L"missing.txt"),
                Close::OkButton, Close::WmClose),
        Failure("kind 1: missing file with a non-ASCII name", L"/f:Äpfel.txt /c:\"x\"", 11,
                missing(L"Äpfel.txt"), Close::EnterKey, Close::SystemMenu),
        Failure("kind 2: no compare string", L"/t:\"ABCD\"", 12, WideFill(kCommandError),
                Close::OkCommand, Close::SystemMenu),
        Failure("kind 2: compare string of two quotes", L"/t:\"ABCD\" /c:\"\"", 12,
                WideFill(kCommandError), Close::OkButton, Close::WmClose),
        Failure("kind 3: start offset not numeric", L"/t:\"ABCD\" /c:\"B\" /s:abc", 13,
                WideFill(kStartNotNumeric, {{"start", L"abc"}}), Close::OkButton, Close::WmClose),
        Failure("kind 5: length not numeric", L"/t:\"ABCD\" /c:\"B\" /L:x", 15,
                WideFill(kLengthNotNumeric, {{"length", L"x"}}), Close::OkCommand, Close::WmClose),
        Failure("kind 6: negative length", L"/t:\"ABCD\" /c:\"B\" /L:-1", 16,
                WideFill(kLengthOutOfRange, {{"length", L"-1"}}), Close::OkButton,
                Close::SystemMenu),
        Failure("kind 7: compare string without quotes", L"/t:\"ABCD\" /c:B", 17,
                WideFill(kCompareNotQuoted), Close::OkButton, Close::WmClose),
        Failure("kind 8: target without quotes, closed with Alt+F4", L"/t:ABCD /c:\"B\"", 18,
                WideFill(kTargetNotQuoted), Close::OkButton, Close::AltF4),
        Failure("kind 9: start offset overflows", L"/t:\"ABCD\" /c:\"B\" /s:40000", 19, general,
                Close::OkButton, Close::WmClose),
    };
    // A failure clears the previous run's files too: the new error file replaces ERROR.txt.
    Case stale = Failure("kind 9 after a previous run", L"/t:\"ABCD\" /c:\"B\" /s:40000", 19,
                         general, Close::OkCommand, Close::WmClose);
    stale.before = {{L"ERROR.txt", "old error\r\n"}, {L"value.cmd", "SET RETU=old\r\n"}};
    cases.push_back(stale);
    // A directory where the error file goes: the report cannot be written, the windows still show,
    // and the status says so.
    Case unwritable = Failure("kind 2 with error.txt unwritable: status 22", L"/t:\"ABCD\"", 22,
                              WideFill(kCommandError), Close::OkButton, Close::WmClose);
    unwritable.before = {{L"error.txt", {}, true}};
    unwritable.after = unwritable.before;
    cases.push_back(unwritable);
    // A file another program holds open without sharing for longer than the run waits for it
    // cannot be read: the general failure.
    Case held = Failure("kind 9: file held by another program", L"/f:held.txt /c:\"x\" /e:v", 19,
                        general, Close::OkButton, Close::WmClose);
    held.before = {{.name = L"held.txt", .bytes = "x\r\n", .held = true}};
    held.after.push_back({.name = L"held.txt", .bytes = "x\r\n"});
    cases.push_back(held);
    return cases;
}

TARVIK_CASES(FailureCases());
TARVIK_CASES(Unseen(FailureCases()));

}  // namespace
}  // namespace wine_driver
