// The command-line tail: the program name skipped by the Windows rules, the rest exactly as typed.
#include "command_line.hpp"

#include <gtest/gtest.h>

namespace tarvik::win32 {
namespace {

constexpr const wchar_t* kModule = L"C:\\Program Files\\Tarvik\\Tarvik.exe";

struct TailCase {
    const wchar_t* commandLine;
    const wchar_t* tail;
    const wchar_t* modulePath = kModule;
};

class CommandLineTailTest : public ::testing::TestWithParam<TailCase> {};

TEST_P(CommandLineTailTest, SkipsProgramNameAndBlanksOnly) {
    EXPECT_EQ(CommandLineTail(GetParam().commandLine, GetParam().modulePath),
              std::wstring_view(GetParam().tail));
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
        TailCase{L"Tarvik.exe \"\"", L"\"\""}, TailCase{L"Tarvik.exe", L""},
        TailCase{L"Tarvik.exe   ", L""}, TailCase{L"\"C:\\Tools\\Tarvik.exe", L""},
        TailCase{L"\"\" ?", L"?"}, TailCase{L"", L""},
        // The program's own path unquoted, blanks and all, as CreateProcess runs it: in any
        // letter case, without ".exe", with "/".
        TailCase{L"C:\\Program Files\\Tarvik\\Tarvik.exe /t:\"a\"", L"/t:\"a\""},
        TailCase{L"C:\\Program Files\\Tarvik\\Tarvik.exe", L""},
        TailCase{L"c:\\PROGRAM FILES\\tarvik\\TARVIK.EXE\t/m", L"/m"},
        TailCase{L"C:\\Program Files\\Tarvik\\Tarvik /m", L"/m"},
        TailCase{L"C:/Program Files/Tarvik/Tarvik.exe /m", L"/m"},
        // Only the whole path counts: not a name running on past it without a blank, nor another
        // program, nor a relative path.
        TailCase{L"C:\\Program Files\\Tarvik\\Tarvik.exe/m", L"Files\\Tarvik\\Tarvik.exe/m"},
        TailCase{L"C:\\Program Files\\Other\\Tarvik.exe /m", L"Files\\Other\\Tarvik.exe /m"},
        TailCase{L"Program Files\\Tarvik\\Tarvik.exe /m", L"Files\\Tarvik\\Tarvik.exe /m"},
        // The shortest name that is the program wins, as CreateProcess tries them.
        TailCase{L"C:\\A B\\Tarvik.exe C:\\A B\\Tarvik.exe /m", L"C:\\A B\\Tarvik.exe /m",
                 L"C:\\A B\\Tarvik.exe"}));

}  // namespace
}  // namespace tarvik::win32
