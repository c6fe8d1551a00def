// Reading the cases, and the input Tarvik.exe gets for each.
#include "roundtrip_case.hpp"

#include <windows.h>

#include <stdexcept>

#include "win32/scratch_dir.hpp"

namespace roundtrip {
namespace {

// Every value is prefixed so that the compare string finds it, also where it is empty.
constexpr wchar_t kMark[] = L"Q7Z";

Expect ExpectOf(const std::string& word) {
    if (word == "exact") return Expect::Exact;
    if (word == "safe") return Expect::Safe;
    if (word == "refused") return Expect::Refused;
    throw std::runtime_error("unknown expectation " + word);
}

Case ParseCase(const std::string& line) {
    const std::size_t first = line.find(' ');
    const std::size_t second = line.find(' ', first + 1);
    if (first == std::string::npos || second == std::string::npos)
        throw std::runtime_error("bad case line: " + line);
    Case c{ExpectOf(line.substr(0, first)), line.substr(first + 1, second - first - 1), 0, {}};
    if (const std::size_t at = c.source.find('@'); at != std::string::npos) {
        c.chcp = static_cast<unsigned>(std::stoul(c.source.substr(at + 1)));
        c.source.resize(at);
    }
    c.value = Wide(line.substr(second + 1));
    return c;
}

}  // namespace

std::vector<Case> ReadCases(const std::wstring& path) {
    const std::string text = test_support::ReadBytes(path);
    if (text.empty()) throw std::runtime_error("no cases in " + Utf8(path));
    std::vector<Case> cases;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) cases.push_back(ParseCase(line));
        start = end + 1;
    }
    return cases;
}

std::string InputFileBytes(const Case& c) {
    const std::wstring line = kMark + c.value + L"\r\n";
    std::string bytes;
    if (c.source == "utf8") return Utf8(line);
    if (c.source == "ansi" && Encode(line, CP_ACP, bytes)) return bytes;
    if (c.source == "utf16") {
        bytes = "\xFF\xFE";
        for (const wchar_t unit : line)
            bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        return bytes;
    }
    if (c.source == "typed") return {};
    throw std::runtime_error("no input for source " + c.source + " of " + Utf8(c.value));
}

std::wstring Switches(const Case& c) {
    const std::wstring where =
        c.source == "typed" ? L"/t:\"" + std::wstring(kMark) + c.value + L"\"" : L"/f:in.txt";
    return where + L" /c:\"" + kMark + L"\" /e:TARVIKVALUE /o:v.cmd";
}

std::wstring Wide(const std::string& utf8) {
    const int units =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    return wide;
}

std::string Utf8(const std::wstring& text) {
    std::string bytes;
    Encode(text, CP_UTF8, bytes);
    return bytes;
}

bool Encode(const std::wstring& text, unsigned codePage, std::string& bytes) {
    const int length = static_cast<int>(text.size());
    // UTF-8 refuses the flags that ask for exact forms; it has them for everything.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL defaulted = FALSE;
    BOOL* usedDefault = codePage == CP_UTF8 ? nullptr : &defaulted;
    const int size =
        WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, usedDefault);
    bytes.assign(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), length, bytes.data(), size, nullptr,
                        usedDefault);
    return !defaulted && (size > 0 || text.empty());
}

}  // namespace roundtrip
