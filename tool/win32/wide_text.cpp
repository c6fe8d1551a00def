// UTF-16 conversions, written out rather than left to the system so that unpaired surrogates
// (which Windows allows in names and command lines) are kept instead of replaced.
#include "wide_text.hpp"

#include "utf16.hpp"

static_assert(sizeof(wchar_t) == 2, "the Win32 wide-character APIs take UTF-16");

namespace tarvik::win32 {

Text FromWide(std::wstring_view wide) {
    Text text;
    text.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char32_t unit = static_cast<char16_t>(wide[i]);
        const char32_t next = i + 1 < wide.size() ? static_cast<char16_t>(wide[i + 1]) : 0;
        if (IsHighSurrogate(unit) && IsLowSurrogate(next)) {
            text += FromSurrogatePair(unit, next);
            ++i;
        } else {
            text += unit;
        }
    }
    return text;
}

std::wstring ToWide(TextView text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (const char32_t cp : text) {
        if (NeedsSurrogatePair(cp)) {
            wide += static_cast<wchar_t>(HighSurrogateOf(cp));
            wide += static_cast<wchar_t>(LowSurrogateOf(cp));
        } else {
            wide += static_cast<wchar_t>(cp);
        }
    }
    return wide;
}

std::wstring WideFromUtf8(std::string_view utf8) {
    return ToWide(DecodeUtf8Lossless(utf8));
}

std::string Utf8FromWide(std::wstring_view wide) {
    return EncodeUtf8Lossless(FromWide(wide));
}

}  // namespace tarvik::win32
