// The command-line tail: the program name skipped by the Windows rules, the rest exactly as typed.
#include "command_line.hpp"

#include <gtest/gtest.h>

namespace tarvik::win32 {
namespace {

struct TailCase {
    const wchar_t* commandLine;
    const wchar_t* tail;
};

class CommandLineTailTest : public ::testing::TestWithParam<TailCase> {};

TEST_P(CommandLineTailTest, SkipsProgramNameAndBlanksOnly) {
    EXPECT_EQ(CommandLineTail(GetParam().commandLine), std::wstring_view(GetParam().tail));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTailTest,
    ::testing::Values(
        TailCase{L"Tarvik.exe /t:\"ABCD\" /c:\"BB\"", L"/t:\"ABCD\" /c:\"BB\""},
        TailCase{L"\"C:\\Program Files\\Tarvik.exe\" /t:\"A B\"", L"/t:\"A B\""},
        // A quoted name ends at its closing quote even with no blank after it.
        TailCase{L"\"C:\\Tools\\Tarvik.exe\"/f:ls.txt", L"/f:ls.txt"},
        // An unquoted name ends at the first blank, quotes inside it notwithstanding.
        TailCase{L"C:\\a\"b c\"\\Tarvik.exe /m", L"c\"\\Tarvik.exe /m"},
        TailCase{L"Tarvik.exe \t  /t:\"x\"", L"/t:\"x\""},
        // Blanks between and after the switches belong to the tail.
        TailCase{L"Tarvik.exe /t:\"a\"   /c:\"a\"  ", L"/t:\"a\"   /c:\"a\"  "},
        TailCase{L"Tarvik.exe \"\"", L"\"\""},
        TailCase{L"Tarvik.exe", L""},
        TailCase{L"Tarvik.exe   ", L""},
        TailCase{L"\"C:\\Tools\\Tarvik.exe", L""},
        TailCase{L"\"\" ?", L"?"},
        TailCase{L"", L""}));

}  // namespace
}  // namespace tarvik::win32
