// UTF-16 code units: surrogate pairs, units read in either byte order, and the characters that end
// a line (the same in UTF-16 and in byte-encoded files).
#pragma once

namespace tarvik {

constexpr bool IsLineEnd(char32_t c) {
    return c == U'\n' || c == U'\r';
}

// A byte of a byte-encoded file; a line-end byte is never part of a multi-byte character.
constexpr bool IsLineEndByte(char c) {
    return c == '\n' || c == '\r';
}

constexpr bool IsSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

constexpr bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

constexpr bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Characters from U+10000 on take two units.
constexpr bool NeedsSurrogatePair(char32_t c) {
    return c >= 0x10000;
}

constexpr char32_t FromSurrogatePair(char32_t high, char32_t low) {
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

constexpr char32_t HighSurrogateOf(char32_t c) {
    return 0xD800 + ((c - 0x10000) >> 10);
}

constexpr char32_t LowSurrogateOf(char32_t c) {
    return 0xDC00 + ((c - 0x10000) & 0x3FF);
}

// The code unit stored at p, two bytes in little- or big-endian order.
inline char32_t ReadUnit(const char* p, bool little) {
    const auto lo = static_cast<unsigned char>(p[little ? 0 : 1]);
    const auto hi = static_cast<unsigned char>(p[little ? 1 : 0]);
    return static_cast<char32_t>(hi << 8 | lo);
}

}  // namespace tarvik
