// Expected report texts from the tool's message table.
#include "expected_reports.hpp"

#include <stdexcept>

#include "wine_text.hpp"

namespace wine_driver {

std::string Ansi(std::u32string_view text) {
    std::string bytes;
    for (const char32_t c : text) {
        // Code page 1252 differs from Latin-1 only at 0x80..0x9F; the cases keep clear of them.
        if (c > 0xFF || (c >= 0x80 && c < 0xA0)) throw std::invalid_argument("not a code page 1252 letter");
        bytes += static_cast<char>(static_cast<unsigned char>(c));
    }
    return bytes;
}

File ErrorFile(const std::vector<tarvik::Text>& lines) {
    std::string bytes;
    for (const tarvik::Text& line : lines) bytes += Ansi(line) + "\r\n";
    return {L"error.txt", bytes};
}

ExpectedMessageBox FailureBox(tarvik::ErrorKind kind, const tarvik::MessageValues& values, Close close) {
    return {Wide(tarvik::JoinLines(tarvik::FailureMessageLines(kind, values))), close};
}

File FailureFile(tarvik::ErrorKind kind, const tarvik::MessageValues& values) {
    return ErrorFile(tarvik::FailureMessageLines(kind, values));
}

}  // namespace wine_driver
