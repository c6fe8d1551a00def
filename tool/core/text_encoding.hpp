// How text becomes the bytes of the files the tool writes, and what the bytes of file lines that
// are not UTF-8 stand for: all that writing the result and error files needs of the platform.
#pragma once

#include <string>

#include "legacy_code_page.hpp"
#include "text.hpp"

namespace tarvik {

// Typed text as the files the tool writes hold it.
struct EncodedText {
    std::string bytes;
    // True when `bytes` spell the text in the legacy code page too, so that bytes from a legacy
    // line may share a line with them; else they are UTF-8.
    bool inLegacyCodePage = false;
};

class TextEncoding {
  public:
    virtual ~TextEncoding() = default;
    // Bytes for typed and fixed text in the files the tool writes.
    virtual EncodedText EncodeText(TextView text) = 0;
    // The code page of file lines that are not UTF-8.
    virtual const LegacyCodePage& LegacyCharacters() = 0;
};

}  // namespace tarvik
