// Text in the system's ANSI code page, the encoding batch files and Notepad use by default.
#pragma once

#include <string>

#include "platform.hpp"

namespace tarvik::win32 {

// The ANSI code page when every character has an exact byte form there, else UTF-8.
std::string EncodeForFiles(TextView text);

// What the bytes of that code page stand for, double-byte characters included.
LegacyCodePage CodePageCharacters(unsigned codePage);

}  // namespace tarvik::win32
