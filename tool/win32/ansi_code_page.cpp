// WideCharToMultiByte and MultiByteToWideChar on CP_ACP, with no best-fit substitutions: a
// character that would be written as a look-alike or as "?" sends the whole text to UTF-8.
#include "ansi_code_page.hpp"

#include <windows.h>

#include "legacy_table.hpp"
#include "wide_text.hpp"
#include "win32_error.hpp"

namespace tarvik::win32 {
namespace {

// The exact ANSI bytes of `wide`, or false when some character has none.
bool ToAnsiExactly(const std::wstring& wide, std::string& bytes) {
    const int length = IntLength(wide.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0,
                                         nullptr, &usedDefault);
    if (size == 0) ThrowLastError("WideCharToMultiByte");
    if (usedDefault) return false;
    bytes.assign(static_cast<std::size_t>(size), '\0');
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, bytes.data(), size, nullptr,
                            &usedDefault) != size) {
        ThrowLastError("WideCharToMultiByte");
    }
    return !usedDefault;
}

}  // namespace

std::string EncodeForFiles(TextView text) {
    // With UTF-8 as the ANSI code page the API refuses the no-best-fit flags; both ways agree then.
    if (text.empty() || GetACP() == CP_UTF8) return EncodeUtf8Lossless(text);
    std::string bytes;
    return ToAnsiExactly(ToWide(text), bytes) ? bytes : EncodeUtf8Lossless(text);
}

LegacyCodePage AnsiLegacyCharacters() {
    return LegacyTableFrom([](unsigned char byte) -> std::optional<char32_t> {
        const char input = static_cast<char>(byte);
        wchar_t output[2] = {};
        if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &input, 1, output, 2) != 1) return std::nullopt;
        return static_cast<char16_t>(output[0]);
    });
}

}  // namespace tarvik::win32
