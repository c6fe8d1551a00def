// Message box texts and error files from the lines a case expects.
#include "expected_reports.hpp"

#include <map>
#include <stdexcept>

namespace wine_driver {

std::string Ansi(std::wstring_view text) {
    std::string bytes;
    for (const wchar_t c : text) {
        // Code page 1252 differs from Latin-1 only at 0x80..0x9F; the cases keep clear of them.
        if (c > 0xFF || (c >= 0x80 && c < 0xA0)) {
            throw std::invalid_argument("not a code page 1252 letter");
        }
        bytes += static_cast<char>(static_cast<unsigned char>(c));
    }
    return bytes;
}

std::string Oem437(std::wstring_view text) {
    static const std::map<wchar_t, char> kLetters{
        {L'é', '\x82'}, {L'ö', '\x94'}, {L'ÿ', '\x98'}, {L'ß', '\xE1'}};
    std::string bytes;
    for (const wchar_t c : text) {
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (const auto found = kLetters.find(c); found != kLetters.end()) {
            bytes += found->second;
        } else {
            throw std::invalid_argument("not a letter of the cases in code page 437");
        }
    }
    return bytes;
}

File ErrorFile(std::wstring_view text) {
    return {L"error.txt", Ansi(text) + "\r\n"};
}

}  // namespace wine_driver
