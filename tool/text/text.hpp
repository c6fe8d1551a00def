// Text as the tool sees it: a string of Unicode code points, so that positions and lengths count
// characters and no slice can split one. Also the UTF-8 conversions every layer needs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvik {

using Text = std::u32string;
using TextView = std::u32string_view;

// Bytes that are not valid UTF-8 are carried as U+DC80..U+DCFF (one per byte) so that names and
// arguments of any bytes survive a round trip through Text unchanged.
constexpr char32_t kEscapedByteBase = 0xDC00;

// Bytes a character takes at most, in UTF-8 and in any code page.
constexpr std::size_t kMaxCharBytes = 4;

// Decodes valid UTF-8 into `out`; returns false (and leaves `out` unspecified) on any invalid,
// overlong or surrogate sequence.
bool DecodeUtf8Strict(std::string_view bytes, Text& out);

// Decodes UTF-8, carrying each byte of an invalid sequence as an escaped byte.
Text DecodeUtf8Lossless(std::string_view bytes);

// Encodes as UTF-8; escaped bytes are written back as the bytes they stand for.
std::string EncodeUtf8Lossless(TextView text);

// ASCII text (fixed messages, switch keys) as Text.
Text FromAscii(std::string_view ascii);

// Removes the space characters (U+0020 only) at both ends.
Text TrimSpaces(TextView text);

}  // namespace tarvik
