// Runs that show no message box: usage only, the worked examples, not-found reports, presence
// tests, the clean-up of a previous run's files, and text beyond ASCII.
#include "case.hpp"
#include "expected_reports.hpp"

namespace wine_driver {
namespace {

const File kLsTxt{L"ls.txt", "Hello boy\r\nsdfseeeWEQREEQRQWERRWQER\r\npp01\r\n"};
const std::vector<File> kPreviousRun = {{L"ERROR.txt", "old error\r\n"},
                                        {L"value.cmd", "SET RETU=old\r\n"}};

std::string Utf16Le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::vector<Case> UsageCases() {
    return {
        {.name = "usage: empty command line, keys typed into Text1",
         .tail = L"",
         .usageWindow = ExpectedUsageWindow{.close = Close::WmClose, .typeKeys = true},
         .exitStatus = 0},
        {.name = "usage: question mark, closed with Alt+F4",
         .tail = L"?",
         .usageWindow = ExpectedUsageWindow{.close = Close::AltF4},
         .exitStatus = 0},
        {.name = "usage: question mark inside a value clears the previous run's files",
         .tail = L"/t:\"A?\" /c:\"A\"",
         .before = kPreviousRun,
         .usageWindow = ExpectedUsageWindow{.close = Close::SystemMenu},
         .exitStatus = 0},
    };
}

std::vector<Case> ResultCases() {
    return {
        {.name = "example 1: not found in string",
         .tail = L"/t:\"ABCD\" /c:\"BB\"",
         .exitStatus = 1,
         .after = {ErrorFile({L"Could not find:", L"BB", L"in string:ABCD"})}},
        {.name = "example 2: slice before the match into aa.cmd",
         .tail = L"/t:\"ABCDEFGHIJK1234\" /c:\"gh\" /s:-4 /L:3 /e:mystr /o:aa.cmd",
         .exitStatus = 0,
         .after = {{L"aa.cmd", "SET mystr=CDE\r\n"}}},
        {.name = "example 3: line of ls.txt into Value.cmd",
         .tail = L"/f:ls.txt /c:\"eee\" /s:0",
         .before = {kLsTxt},
         .exitStatus = 0,
         .after = {kLsTxt, {L"Value.cmd", "SET RETU=WEQREEQRQWERRWQER\r\n"}}},
        {.name = "not found in file",
         .tail = L"/f:ls.txt /c:\"zzz\"",
         .before = {kLsTxt},
         .exitStatus = 1,
         .after = {kLsTxt, ErrorFile({L"Could not find:", L"zzz", L"in the file:ls.txt"})}},
        {.name = "presence test writes nothing and clears the previous run's files",
         .tail = L"/t:\"ABCD\" /c:\"bc\"",
         .before = kPreviousRun,
         .exitStatus = 0},
        {.name = "result under another name clears the previous run's files",
         .tail = L"/t:\"ABCD\" /c:\"B\" /o:out.cmd",
         .before = kPreviousRun,
         .exitStatus = 0,
         .after = {{L"out.cmd", "SET RETU=CD\r\n"}}},
    };
}

std::vector<Case> NonAsciiCases() {
    const File utf8{L"utf8.txt",
                    "\xEF\xBB\xBF"
                    "Erste Zeile\r\nKöln Straße 5\r\nŁódź Straße 7\r\n"};
    const File utf16{L"utf16.txt", Utf16Le(u"Zeile eins\r\nGrüße, Welt\r\n")};
    return {
        {.name = "non-ASCII target and compare string, letter case ignored",
         .tail = L"/t:\"Grüße\" /c:\"RÜ\" /e:gruss",
         .exitStatus = 0,
         .after = {{L"Value.cmd", "SET gruss=" + Oem437(L"ße") + "\r\n"}}},
        {.name = "non-ASCII text not found",
         .tail = L"/t:\"Grüße\" /c:\"Gruß\"",
         .exitStatus = 1,
         .after = {ErrorFile({L"Could not find:", L"Gruß", L"in string:Grüße"})}},
        // The slice starts before the match at character 1: a byte order mark read as text would
        // stand there. Started without a console, the tool writes for the OEM code page: a line
        // that fits it is written in it, any other in UTF-8.
        {.name = "UTF-8 file with byte order mark, value that fits the OEM code page",
         .tail = L"/f:utf8.txt /c:\"straße\" /s:-10 /L:4",
         .before = {utf8},
         .exitStatus = 0,
         .after = {utf8, {L"Value.cmd", "SET RETU=" + Oem437(L"Köln") + "\r\n"}}},
        {.name = "UTF-8 file with byte order mark, value beyond the OEM code page is UTF-8",
         .tail = L"/f:utf8.txt /c:\"straße 7\" /s:-10 /L:4",
         .before = {utf8},
         .exitStatus = 0,
         .after = {utf8, {L"Value.cmd", "SET RETU=Łódź\r\n"}}},
        {.name = "UTF-16 LE file is written like typed text",
         .tail = L"/f:utf16.txt /c:\"GRÜ\" /s:0",
         .before = {utf16},
         .exitStatus = 0,
         .after = {utf16, {L"Value.cmd", "SET RETU=" + Oem437(L"ße, Welt") + "\r\n"}}},
    };
}

TARVIK_CASES(UsageCases());
TARVIK_CASES(ResultCases());
TARVIK_CASES(NonAsciiCases());

}  // namespace
}  // namespace wine_driver
