// Output names the file system treats specially, and Tarvik.exe started by its full path unquoted.
#include "case.hpp"

namespace wine_driver {
namespace {

std::vector<Case> OutputNameCases() {
    const std::wstring longName = std::wstring(246, L'n') + L".cmd";
    return {
        {.name = "result to the null device leaves no file",
         .tail = L"/t:\"ABCD\" /c:\"B\" /o:NUL",
         .exitStatus = 0},
        {.name = "result under a name of 250 characters",
         .tail = L"/t:\"ABCD\" /c:\"B\" /o:" + longName,
         .exitStatus = 0,
         .after = {{longName, "SET RETU=CD\r\n"}}},
        {.name = "started by its path unquoted with a space: no switches shows usage",
         .tail = L"",
         .usageWindow = ExpectedUsageWindow{},
         .exitStatus = 0,
         .unquotedPath = true},
        {.name = "started by its path unquoted with a space: result written",
         .tail = L"/t:\"ABCD\" /c:\"B\" /s:0",
         .exitStatus = 0,
         .after = {{L"Value.cmd", "SET RETU=CD\r\n"}},
         .unquotedPath = true},
    };
}

TARVIK_CASES(OutputNameCases());

}  // namespace
}  // namespace wine_driver
