// Every ErrorKind: error file, then message box, then usage window, then the end, closing each
// window in a different way across the cases.
#include "case.hpp"
#include "expected_reports.hpp"

namespace wine_driver {
namespace {

using tarvik::ErrorKind;
using tarvik::MessageValues;

Case Failure(std::string name, std::wstring tail, ErrorKind kind, const MessageValues& values, Close boxClose,
             Close usageClose) {
    return {
        .name = std::move(name),
        .tail = std::move(tail),
        .messageBox = FailureBox(kind, values, boxClose),
        .usageWindow = ExpectedUsageWindow{.close = usageClose},
        .exitStatus = 10 + static_cast<unsigned long>(kind),
        .after = {FailureFile(kind, values)},
    };
}

std::vector<Case> FailureCases() {
    std::vector<Case> cases = {
        Failure("kind 1: file missing", L"/f:missing.txt /c:\"x\"", ErrorKind::FileNotFound,
                {.fileName = U"missing.txt", .toolDirectory = std::u32string(kToolDirectoryMark)}, Close::OkButton,
                Close::WmClose),
        Failure("kind 1: missing file with a non-ASCII name", L"/f:Äpfel.txt /c:\"x\"", ErrorKind::FileNotFound,
                {.fileName = U"Äpfel.txt", .toolDirectory = std::u32string(kToolDirectoryMark)}, Close::EnterKey,
                Close::SystemMenu),
        Failure("kind 2: no compare string", L"/t:\"ABCD\"", ErrorKind::CommandError, {}, Close::OkCommand,
                Close::SystemMenu),
        Failure("kind 2: compare string of two quotes", L"/t:\"ABCD\" /c:\"\"", ErrorKind::CommandError, {},
                Close::OkButton, Close::WmClose),
        Failure("kind 3: start offset not numeric", L"/t:\"ABCD\" /c:\"B\" /s:abc", ErrorKind::StartNotNumeric,
                {.startOffset = U"abc"}, Close::OkButton, Close::WmClose),
        Failure("kind 5: length not numeric", L"/t:\"ABCD\" /c:\"B\" /L:x", ErrorKind::LengthNotNumeric,
                {.length = U"x"}, Close::OkCommand, Close::WmClose),
        Failure("kind 6: negative length", L"/t:\"ABCD\" /c:\"B\" /L:-1", ErrorKind::LengthOutOfRange,
                {.length = U"-1"}, Close::OkButton, Close::SystemMenu),
        Failure("kind 7: compare string without quotes", L"/t:\"ABCD\" /c:B", ErrorKind::CompareNotQuoted, {},
                Close::OkButton, Close::WmClose),
        Failure("kind 8: target without quotes, closed with Alt+F4", L"/t:ABCD /c:\"B\"", ErrorKind::TargetNotQuoted,
                {}, Close::OkButton, Close::AltF4),
        Failure("kind 9: start offset overflows", L"/t:\"ABCD\" /c:\"B\" /s:40000", ErrorKind::General, {},
                Close::OkButton, Close::WmClose),
    };
    // A failure clears the previous run's files too: the new error file replaces ERROR.txt.
    Case stale = Failure("kind 9 after a previous run", L"/t:\"ABCD\" /c:\"B\" /s:40000", ErrorKind::General, {},
                         Close::OkCommand, Close::WmClose);
    stale.before = {{L"ERROR.txt", "old error\r\n"}, {L"value.cmd", "SET RETU=old\r\n"}};
    cases.push_back(stale);
    // A directory where the error file goes: the report cannot be written, the windows still show.
    Case unwritable = Failure("kind 2 with error.txt unwritable: status 22", L"/t:\"ABCD\"", ErrorKind::CommandError,
                              {}, Close::OkButton, Close::WmClose);
    unwritable.before = {{L"error.txt", {}, true}};
    unwritable.after = unwritable.before;
    unwritable.exitStatus = 20 + static_cast<unsigned long>(ErrorKind::CommandError);
    cases.push_back(unwritable);
    // A file another program holds open without sharing cannot be read: the general failure.
    Case held = Failure("kind 9: file held by another program", L"/f:held.txt /c:\"x\" /e:v", ErrorKind::General, {},
                        Close::OkButton, Close::WmClose);
    held.before = {{.name = L"held.txt", .bytes = "x\r\n", .held = true}};
    held.after.push_back({.name = L"held.txt", .bytes = "x\r\n"});
    cases.push_back(held);
    return cases;
}

TARVIK_CASES(FailureCases());

}  // namespace
}  // namespace wine_driver
