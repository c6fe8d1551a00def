// A case of the console round trip: a value, where Tarvik.exe gets it from, the code page the
// console is switched to around the run, and what the caller must get back.
#pragma once

#include <string>
#include <vector>

namespace roundtrip {

enum class Expect {
    Exact,    // the caller's variable holds exactly the value
    Safe,     // it holds something, and nothing else happens
    Refused,  // the general failure, and no result file
};

struct Case {
    Expect expect;
    std::string source;  // typed, utf8, ansi or utf16
    unsigned chcp = 0;   // 0: the console stays as it is
    std::wstring value;

    bool Holds(wchar_t c) const { return value.find(c) != std::wstring::npos; }
};

// Lines "EXPECT SOURCE[@CHCP] VALUE" of a UTF-8 file; throws std::runtime_error on a bad line.
std::vector<Case> ReadCases(const std::wstring& path);

// What Tarvik.exe is given: the bytes of in.txt (empty for a typed value) and the switches.
std::string InputFileBytes(const Case& c);
std::wstring Switches(const Case& c);

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& text);
// The bytes of `text` in a code page, or nothing when some character has no exact form there.
bool Encode(const std::wstring& text, unsigned codePage, std::string& bytes);

}  // namespace roundtrip
