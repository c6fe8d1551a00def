// The command-line tail: the program name skipped by the Windows rules, the rest exactly as typed.
#include "command_line.hpp"

#include <gtest/gtest.h>

#include "case_name.hpp"

namespace tarvik::win32 {
namespace {

constexpr const wchar_t* kModule = L"C:\\Program Files\\Tarvik\\Tarvik.exe";

struct TailCase {
    const char* name;
    const wchar_t* commandLine;
    const wchar_t* tail;
    const wchar_t* modulePath = kModule;
};

class CommandLineTailTest : public testing::TestWithParam<TailCase> {};

TEST_P(CommandLineTailTest, SkipsProgramNameAndBlanksOnly) {
    EXPECT_EQ(CommandLineTail(GetParam().commandLine, GetParam().modulePath),
              std::wstring_view(GetParam().tail));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTailTest,
    testing::Values(
        TailCase{"plain_name", L"Tarvik.exe /t:\"ABCD\" /c:\"BB\"", L"/t:\"ABCD\" /c:\"BB\""},
        TailCase{"quoted_name_with_space", L"\"C:\\Program Files\\Tarvik.exe\" /t:\"A B\"",
                 L"/t:\"A B\""},
        // A quoted name ends at its closing quote even with no blank after it.
        TailCase{"quoted_name_without_blank_after", L"\"C:\\Tools\\Tarvik.exe\"/f:ls.txt",
                 L"/f:ls.txt"},
        // An unquoted name ends at the first blank, quotes inside it notwithstanding.
        TailCase{"unquoted_name_ends_at_first_blank", L"C:\\a\"b c\"\\Tarvik.exe /m",
                 L"c\"\\Tarvik.exe /m"},
        TailCase{"blanks_and_tab_skipped", L"Tarvik.exe \t  /t:\"x\"", L"/t:\"x\""},
        // Blanks between and after the switches belong to the tail.
        TailCase{"blanks_between_and_after_kept", L"Tarvik.exe /t:\"a\"   /c:\"a\"  ",
                 L"/t:\"a\"   /c:\"a\"  "},
        TailCase{"empty_quotes_kept", L"Tarvik.exe \"\"", L"\"\""},
        TailCase{"name_alone", L"Tarvik.exe", L""},
        TailCase{"name_with_trailing_blanks", L"Tarvik.exe   ", L""},
        TailCase{"unclosed_quote", L"\"C:\\Tools\\Tarvik.exe", L""},
        TailCase{"question_mark_after_empty_name", L"\"\" ?", L"?"},
        TailCase{"empty_command_line", L"", L""},
        // The program's own path unquoted, blanks and all, as CreateProcess runs it: in any
        // letter case, without ".exe", with "/".
        TailCase{"own_path_unquoted", L"C:\\Program Files\\Tarvik\\Tarvik.exe /t:\"a\"",
                 L"/t:\"a\""},
        TailCase{"own_path_unquoted_alone", L"C:\\Program Files\\Tarvik\\Tarvik.exe", L""},
        TailCase{"own_path_other_case_then_tab", L"c:\\PROGRAM FILES\\tarvik\\TARVIK.EXE\t/m",
                 L"/m"},
        TailCase{"own_path_without_exe", L"C:\\Program Files\\Tarvik\\Tarvik /m", L"/m"},
        TailCase{"own_path_with_slashes", L"C:/Program Files/Tarvik/Tarvik.exe /m", L"/m"},
        // Only the whole path counts: not a name running on past it without a blank, nor another
        // program, nor a relative path.
        TailCase{"own_path_running_on", L"C:\\Program Files\\Tarvik\\Tarvik.exe/m",
                 L"Files\\Tarvik\\Tarvik.exe/m"},
        TailCase{"other_program_path", L"C:\\Program Files\\Other\\Tarvik.exe /m",
                 L"Files\\Other\\Tarvik.exe /m"},
        TailCase{"relative_path", L"Program Files\\Tarvik\\Tarvik.exe /m",
                 L"Files\\Tarvik\\Tarvik.exe /m"},
        // The shortest name that is the program wins, as CreateProcess tries them.
        TailCase{"shortest_own_path_wins", L"C:\\A B\\Tarvik.exe C:\\A B\\Tarvik.exe /m",
                 L"C:\\A B\\Tarvik.exe /m", L"C:\\A B\\Tarvik.exe"}),
    test_support::CaseName());

}  // namespace
}  // namespace tarvik::win32
