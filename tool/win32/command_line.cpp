// Program-name skipping by the rules CreateProcess and CommandLineToArgvW apply to the first word.
#include "command_line.hpp"

#include <windows.h>

#include <algorithm>
#include <string>

#include "win32_error.hpp"

namespace tarvik::win32 {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// Equal as file names: letter case ignored the way the file system ignores it, "/" read as "\".
bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    std::wstring left(a);
    std::wstring right(b);
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (left[i] == L'/') left[i] = L'\\';
        if (right[i] == L'/') right[i] = L'\\';
    }
    return CompareStringOrdinal(left.data(), IntLength(left.size()), right.data(),
                                IntLength(right.size()), TRUE) == CSTR_EQUAL;
}

bool NamesModule(std::wstring_view name, std::wstring_view modulePath) {
    if (SameName(name, modulePath)) return true;
    constexpr std::wstring_view kExe = L".exe";
    return modulePath.size() > kExe.size() &&
           SameName(modulePath.substr(modulePath.size() - kExe.size()), kExe) &&
           SameName(name, modulePath.substr(0, modulePath.size() - kExe.size()));
}

// The end of an unquoted program name: that of the shortest start of the line, ending at a blank
// or at the end, that names the module (CreateProcess tries them in that order), else the first
// blank.
std::size_t UnquotedNameEnd(std::wstring_view commandLine, std::wstring_view modulePath) {
    std::size_t firstBlank = commandLine.size();
    for (std::size_t end = 0; end <= commandLine.size(); ++end) {
        if (end < commandLine.size() && !IsBlank(commandLine[end])) continue;
        if (NamesModule(commandLine.substr(0, end), modulePath)) return end;
        firstBlank = std::min(firstBlank, end);
    }
    return firstBlank;
}

}  // namespace

std::wstring_view CommandLineTail(std::wstring_view commandLine, std::wstring_view modulePath) {
    std::size_t pos = 0;
    if (!commandLine.empty() && commandLine.front() == L'"') {
        // No escapes in a program name: the next quote closes it, whatever stands before it.
        const std::size_t close = commandLine.find(L'"', 1);
        pos = close == std::wstring_view::npos ? commandLine.size() : close + 1;
    } else {
        pos = UnquotedNameEnd(commandLine, modulePath);
    }
    while (pos < commandLine.size() && IsBlank(commandLine[pos])) ++pos;
    return commandLine.substr(pos);
}

}  // namespace tarvik::win32
