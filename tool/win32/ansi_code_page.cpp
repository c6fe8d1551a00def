// WideCharToMultiByte and MultiByteToWideChar with no best-fit substitutions: a character that
// would be written as a look-alike or as "?" sends the whole text to UTF-8, and only byte
// sequences the code page really defines become characters.
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
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr,
                                         0, nullptr, &usedDefault);
    if (size == 0) ThrowLastError("WideCharToMultiByte");
    if (usedDefault) return false;
    bytes.assign(static_cast<std::size_t>(size), '\0');
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, bytes.data(), size,
                            nullptr, &usedDefault) != size) {
        ThrowLastError("WideCharToMultiByte");
    }
    return !usedDefault;
}

// The one character `bytes` stand for in the code page, if they are exactly one.
std::optional<char32_t> DecodeExactly(unsigned codePage, const char* bytes, int size) {
    wchar_t output[4] = {};
    const int units = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, size, output, 4);
    const Text decoded = FromWide(std::wstring_view(output, static_cast<std::size_t>(units)));
    if (decoded.size() != 1) return std::nullopt;
    return decoded.front();
}

}  // namespace

std::string EncodeForFiles(TextView text) {
    // With UTF-8 as the ANSI code page the API refuses the no-best-fit flags; both ways agree then.
    if (text.empty() || GetACP() == CP_UTF8) return EncodeUtf8Lossless(text);
    std::string bytes;
    if (ToAnsiExactly(ToWide(text), bytes)) return bytes;
    return EncodeUtf8Lossless(text);
}

LegacyCodePage CodePageCharacters(unsigned codePage) {
    CPINFOEXW info{};
    if (!GetCPInfoExW(codePage, 0, &info)) ThrowLastError("GetCPInfoExW");
    // LeadByte holds pairs of bounds, ended by a pair of zeros.
    std::bitset<256> leadBytes;
    for (std::size_t i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        for (unsigned b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) leadBytes.set(b);
    }
    return LegacyTableFrom(
        [codePage](unsigned char byte) {
            const char input = static_cast<char>(byte);
            return DecodeExactly(codePage, &input, 1);
        },
        leadBytes,
        [codePage](unsigned char lead, unsigned char trail) {
            const char input[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            return DecodeExactly(codePage, input, 2);
        });
}

}  // namespace tarvik::win32
