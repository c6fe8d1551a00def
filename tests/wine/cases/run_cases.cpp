// Runs that show no message box: usage only, the worked examples (from the table the other levels
// share), not-found reports, presence tests, the clean-up of a previous run's files, and text
// beyond ASCII.
#include <map>

#include "case.hpp"
#include "expected_reports.hpp"
#include "fill.hpp"
#include "worked_examples.hpp"

namespace wine_driver {
namespace {

using namespace golden;

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

std::wstring Widened(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::vector<File> FilesOf(const std::map<std::string, std::string>& files) {
    std::vector<File> converted;
    for (const auto& [name, bytes] : files) converted.push_back({Widened(name), bytes});
    return converted;
}

std::vector<Case> WorkedExampleCases() {
    std::vector<Case> cases;
    for (const test_support::WorkedExample& e : test_support::WorkedExamples()) {
        cases.push_back({.name = e.name,
                         .tail = Widened(test_support::CommandLineOf(e)),
                         .before = FilesOf(e.before),
                         .exitStatus = static_cast<unsigned long>(e.status),
                         .after = FilesOf(e.after)});
    }
    return cases;
}

std::vector<Case> ResultCases() {
    return {
        {.name = "not found in file",
         .tail = L"/f:ls.txt /c:\"zzz\"",
         .before = {kLsTxt},
         .exitStatus = 1,
         .after = {kLsTxt, ErrorFile(WideFill(kNotFoundInFile,
                                              {{"compare", L"zzz"}, {"file", L"ls.txt"}}))}},
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
         .after = {ErrorFile(
             WideFill(kNotFoundInString, {{"compare", L"Gruß"}, {"target", L"Grüße"}}))}},
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
TARVIK_CASES(Unseen(UsageCases()));
TARVIK_CASES(WorkedExampleCases());
TARVIK_CASES(Unseen(WorkedExampleCases()));
TARVIK_CASES(ResultCases());
TARVIK_CASES(NonAsciiCases());

}  // namespace
}  // namespace wine_driver
