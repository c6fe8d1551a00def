// The byte-to-character table of a legacy (ANSI) code page, kept one-to-one.
#pragma once

#include <functional>
#include <optional>

#include "platform.hpp"

namespace tarvik::win32 {

// The character each byte stands for when it is decoded alone. A byte that does not decode alone
// (a lead byte of a double-byte code page), or that would repeat an earlier byte's character,
// stands for U+DC00 + byte instead, so that no two bytes share a character.
LegacyCodePage LegacyTableFrom(const std::function<std::optional<char32_t>(unsigned char)>& decodeByte);

}  // namespace tarvik::win32
