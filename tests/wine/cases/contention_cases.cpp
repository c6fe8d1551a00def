// Files of a run that another program holds open without the sharing Tarvik needs, as virus
// scanners, indexers and backup agents do to new files: held for a moment, the run waits and
// succeeds; held for longer, it ends with the general failure within its allowance; a read-only
// file fails at once.
#include "case.hpp"
#include "expected_reports.hpp"
#include "fill.hpp"

namespace wine_driver {
namespace {

using namespace golden;

constexpr unsigned long kMomentMs = 700;

// `file` held from before the start until kMomentMs after it; the run must outlast that.
Case HeldForAMoment(std::string name, std::wstring tail, File file, unsigned long status,
                    std::vector<File> after) {
    file.held = true;
    return {.name = std::move(name),
            .tail = std::move(tail),
            .before = {file},
            .exitStatus = status,
            .after = std::move(after),
            .releaseHeldAfterMs = kMomentMs,
            .atLeastMs = kMomentMs,
            .atMostMs = kMomentMs + 2000};
}

std::vector<Case> ContentionCases() {
    const File oldValue{L"Value.cmd", "SET RETU=old\r\n"};
    const File general = ErrorFile(WideFill(kGeneralFailure));
    Case heldOn{.name = "Value.cmd held for the whole run: the general failure within 5 s",
                .tail = L"/t:\"ABCD\" /c:\"B\" /s:0 /e:X",
                .before = {{.name = L"Value.cmd", .bytes = oldValue.bytes, .held = true}},
                .exitStatus = 19,
                .after = {oldValue, general},
                .unseen = true,
                .atLeastMs = 1900,
                .atMostMs = kUnseenRunLimitMs};
    Case readOnly{.name = "read-only Value.cmd: the general failure at once",
                  .tail = L"/t:\"ABCD\" /c:\"B\" /s:0",
                  .before = {{.name = L"Value.cmd", .bytes = oldValue.bytes, .readOnly = true}},
                  .exitStatus = 19,
                  .after = {oldValue, general},
                  .unseen = true,
                  .atMostMs = 1000};
    return {
        HeldForAMoment("Value.cmd held for a moment", L"/t:\"ABCD\" /c:\"B\" /s:0 /e:X", oldValue,
                       0, {{L"Value.cmd", "SET X=CD\r\n"}}),
        HeldForAMoment(
            "error.txt held for a moment", L"/t:\"ABCD\" /c:\"X\"", {L"error.txt", "old\r\n"}, 1,
            {ErrorFile(WideFill(kNotFoundInString, {{"compare", L"X"}, {"target", L"ABCD"}}))}),
        HeldForAMoment("the /F: file held for a moment", L"/f:in.txt /c:\"key=\" /s:0",
                       {L"in.txt", "key=v\r\n"}, 0,
                       {{L"in.txt", "key=v\r\n"}, {L"Value.cmd", "SET RETU=v\r\n"}}),
        HeldForAMoment("the /O: file held for a moment", L"/t:\"ABCD\" /c:\"B\" /s:0 /o:out.cmd",
                       {L"out.cmd", "SET RETU=old\r\n"}, 0, {{L"out.cmd", "SET RETU=CD\r\n"}}),
        heldOn,
        readOnly,
    };
}

TARVIK_CASES(ContentionCases());

}  // namespace
}  // namespace wine_driver
