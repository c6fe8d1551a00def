// What the tool needs to know of the system's encodings: how text becomes the bytes of the files
// it writes, which code page its caller reads in, and what the bytes of code pages stand for.
#pragma once

#include <string>
#include <string_view>

#include "legacy_code_page.hpp"
#include "text.hpp"

namespace tarvik {

class TextEncoding {
  public:
    virtual ~TextEncoding() = default;
    // Bytes of fixed and typed text for files people read (the error file).
    virtual std::string EncodeText(TextView text) = 0;
    // The code page of file lines that are neither UTF-8 nor UTF-16.
    virtual const LegacyCodePage& LegacyCharacters() = 0;

    // The output code page of the console the tool was started from, 0 when there is none.
    virtual unsigned ConsoleCodePage() = 0;
    // The system's OEM code page, the one consoles start in.
    virtual unsigned OemCodePage() = 0;
    // The system's ANSI code page, the one cmd reads batch files in without a console.
    virtual unsigned AnsiCodePage() = 0;
    // What the bytes of a code page other than UTF-8 stand for.
    virtual const LegacyCodePage& CodePageCharacters(unsigned codePage) = 0;
    // The characters cmd reads from `bytes` in a code page, UTF-8 included: each lead byte of a
    // double-byte code page takes the byte after it, whatever that is, into one character.
    virtual Text ReadInCodePage(unsigned codePage, std::string_view bytes) = 0;
};

}  // namespace tarvik
