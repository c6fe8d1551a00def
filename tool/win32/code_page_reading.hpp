// What cmd reads from the bytes of a batch line in a given code page.
#pragma once

#include <string_view>

#include "text.hpp"

namespace tarvik::win32 {

// The system's decoding of `bytes` in `codePage`, where nothing is dropped (what it cannot decode
// becomes U+FFFD or the code page's default character), and where each lead byte of a double-byte
// code page takes the byte after it into one character, whatever that byte is.
Text ReadInCodePage(unsigned codePage, std::string_view bytes);

}  // namespace tarvik::win32
