// Program-name skipping by the rules CreateProcess and CommandLineToArgvW apply to the first word.
#include "command_line.hpp"

namespace tarvik::win32 {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::wstring_view CommandLineTail(std::wstring_view commandLine) {
    std::size_t pos = 0;
    if (!commandLine.empty() && commandLine.front() == L'"') {
        // No escapes in a program name: the next quote closes it, whatever stands before it.
        const std::size_t close = commandLine.find(L'"', 1);
        pos = close == std::wstring_view::npos ? commandLine.size() : close + 1;
    } else {
        while (pos < commandLine.size() && !IsBlank(commandLine[pos])) ++pos;
    }
    while (pos < commandLine.size() && IsBlank(commandLine[pos])) ++pos;
    return commandLine.substr(pos);
}

}  // namespace tarvik::win32
