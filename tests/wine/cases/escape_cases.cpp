// The result file Tarvik.exe writes for values holding batch special characters, and the values it
// refuses: the escaped bytes in the test prefix's code page, and the general failure for a value
// no batch line can carry, with an older result file left as it was.
#include "case.hpp"
#include "expected_reports.hpp"
#include "fill.hpp"

namespace wine_driver {
namespace {

Case Refused(std::string name, std::wstring tail, std::vector<File> before) {
    const std::wstring general = golden::WideFill(golden::kGeneralFailure);
    std::vector<File> after = before;
    after.push_back(ErrorFile(general));
    return {
        .name = std::move(name),
        .tail = std::move(tail),
        .before = std::move(before),
        .messageBox = ExpectedMessageBox{general, Close::OkButton},
        .usageWindow = ExpectedUsageWindow{.close = Close::WmClose},
        .exitStatus = 19,
        .after = std::move(after),
    };
}

std::vector<Case> EscapeCases() {
    const File legacyLine{L"in.txt", "Q\xE9&\xFF%\r\n"};  // not UTF-8: read in the ANSI code page
    const File older{L"out.cmd", "SET RETU=old\r\n"};
    return {
        {.name = "escaped: typed value with every special character",
         .tail = L"/t:\"Q\" & \u00E9%^|<>()\" /c:\"Q\" /e:V",
         .exitStatus = 0,
         .after = {{L"Value.cmd", "SET V=^\" ^& \x82%%^^^|^<^>^(^)\r\n"}}},
        {.name = "escaped: \"!\" adds the line for callers with delayed expansion",
         .tail = L"/t:\"Q!x^\" /c:\"Q\" /e:V",
         .exitStatus = 0,
         .after = {{L"Value.cmd", "SET V=!x^^\r\nIF \"!!\"==\"\" SET V=^^^!x^^^^\r\n"}}},
        {.name = "escaped: an ANSI line written for the OEM code page",
         .tail = L"/f:in.txt /c:\"Q\" /e:V",
         .before = {legacyLine},
         .exitStatus = 0,
         .after = {legacyLine, {L"Value.cmd", "SET V=\x82^&\x98%%\r\n"}}},
        Refused("refused: a value longer than a batch line",
                L"/t:\"Q" + std::wstring(9000, L'x') + L"\" /c:\"Q\" /o:out.cmd", {older}),
        Refused("refused: a variable name holding =", L"/t:\"ab\" /c:\"a\" /e:x=y /o:out.cmd",
                {older}),
    };
}

TARVIK_CASES(EscapeCases());

}  // namespace
}  // namespace wine_driver
