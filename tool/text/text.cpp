// UTF-8 decoding and encoding for Text, with byte escaping for invalid input.
#include "text.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "utf16.hpp"

namespace tarvik {
namespace {

// Length of the valid UTF-8 sequence at `pos`, with its code point in `cp`; 0 when invalid.
std::size_t DecodeOne(std::string_view bytes, std::size_t pos, char32_t& cp) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, cp = lead & 0x1Fu, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, cp = lead & 0x0Fu, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, cp = lead & 0x07u, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > bytes.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0u) != 0x80u) return 0;
        cp = (cp << 6) | (next & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || IsSurrogate(cp)) return 0;
    return length;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

// The end of the run of ASCII bytes from `pos`, eight bytes at a time.
std::size_t AsciiRunEnd(std::string_view bytes, std::size_t pos) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    for (std::uint64_t word = 0; pos + 8 <= bytes.size(); pos += 8) {
        std::memcpy(&word, bytes.data() + pos, 8);
        if ((word & kHighBits) != 0) break;
    }
    while (pos < bytes.size() && static_cast<unsigned char>(bytes[pos]) < 0x80) ++pos;
    return pos;
}

// Written in place, runs of ASCII in a loop the compiler vectorises, as a line of a file can be
// megabytes of mostly ASCII: a byte makes at most one character.
bool DecodeUtf8Strict(std::string_view bytes, Text& out) {
    out.resize(bytes.size());
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t ascii = AsciiRunEnd(bytes, pos);
        for (; pos != ascii; ++pos) out[count++] = static_cast<unsigned char>(bytes[pos]);
        if (pos == bytes.size()) break;
        char32_t cp = 0;
        const std::size_t length = DecodeOne(bytes, pos, cp);
        if (length == 0) return false;
        out[count++] = cp;
        pos += length;
    }
    out.resize(count);
    return true;
}

Text DecodeUtf8Lossless(std::string_view bytes) {
    Text out(bytes.size(), U'\0');
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t ascii = AsciiRunEnd(bytes, pos);
        for (; pos != ascii; ++pos) out[count++] = static_cast<unsigned char>(bytes[pos]);
        if (pos == bytes.size()) break;
        char32_t cp = 0;
        const std::size_t length = DecodeOne(bytes, pos, cp);
        out[count++] = length == 0 ? kEscapedByteBase + static_cast<unsigned char>(bytes[pos]) : cp;
        pos += std::max<std::size_t>(length, 1);
    }
    out.resize(count);
    return out;
}

std::string EncodeUtf8Lossless(TextView text) {
    std::string out;
    out.reserve(text.size());
    for (const char32_t cp : text) {
        if (cp >= kEscapedByteBase + 0x80 && cp <= kEscapedByteBase + 0xFF) {
            out += static_cast<char>(cp - kEscapedByteBase);
        } else {
            AppendUtf8(out, cp);
        }
    }
    return out;
}

Text FromAscii(std::string_view ascii) {
    return Text(ascii.begin(), ascii.end());
}

Text TrimSpaces(TextView text) {
    const auto first = text.find_first_not_of(U' ');
    if (first == TextView::npos) return {};
    const auto last = text.find_last_not_of(U' ');
    return Text(text.substr(first, last - first + 1));
}

}  // namespace tarvik
