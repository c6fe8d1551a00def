// The legacy code page built from decoders of single bytes and of lead-and-trail pairs.
#pragma once

#include <bitset>
#include <functional>
#include <optional>

#include "platform.hpp"

namespace tarvik::win32 {

using ByteDecoder = std::function<std::optional<char32_t>(unsigned char)>;
using PairDecoder = std::function<std::optional<char32_t>(unsigned char lead, unsigned char trail)>;

// Each byte stands for what it decodes to alone. A byte that does not decode alone, or that would
// repeat an earlier byte's character, stands for U+DC00 + byte instead, so that no two single
// bytes share a character. Each of `leadBytes` stands with each trail byte for what the pair
// decodes to; no pair ends in CR or LF, which always end a line.
LegacyCodePage LegacyTableFrom(const ByteDecoder& decodeByte, const std::bitset<256>& leadBytes,
                               const PairDecoder& decodePair);

}  // namespace tarvik::win32
