// Text conversions and escaping for the driver's messages.
#include "wine_text.hpp"

#include <windows.h>

#include <cstdio>

namespace wine_driver {

std::string Utf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

namespace {

std::string Escaped(unsigned value, const char* format) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// The escape for a character with a short form, or nothing.
const char* ShortEscape(unsigned c) {
    switch (c) {
        case '\r':
            return "\\r";
        case '\n':
            return "\\n";
        case '\t':
            return "\\t";
        case '"':
            return "\\\"";
        case '\\':
            return "\\\\";
        default:
            return nullptr;
    }
}

}  // namespace

std::string Show(std::wstring_view text) {
    std::string shown = "\"";
    for (const wchar_t wc : text) {
        const auto c = static_cast<unsigned>(wc);
        if (const char* escape = ShortEscape(c)) {
            shown += escape;
        } else if (c >= 0x20 && c < 0x7F) {
            shown += static_cast<char>(c);
        } else {
            shown += Escaped(c, "\\u{%x}");
        }
    }
    return shown + "\"";
}

std::string ShowBytes(std::string_view bytes) {
    std::string shown = "\"";
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (const char* escape = ShortEscape(c)) {
            shown += escape;
        } else if (c >= 0x20 && c < 0x7F) {
            shown += static_cast<char>(c);
        } else {
            shown += Escaped(c, "\\x%02X");
        }
    }
    return shown + "\"";
}

}  // namespace wine_driver
