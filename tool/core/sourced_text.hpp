// Text that remembers where it came from, so that a value cut from a file is written back with
// the bytes it had there, while typed text is encoded the platform's way.
#pragma once

#include <string>

#include "text.hpp"

namespace tarvik {

enum class TextSource {
    Typed,       // command line, fixed texts, and lines of UTF-16 files
    FileUtf8,    // a valid UTF-8 line of a file: its code points re-encode to the same bytes
    FileLegacy,  // any other line of a file: one byte per character, bytes kept as read
};

struct SourcedText {
    Text chars;
    TextSource source = TextSource::Typed;
    std::string legacyBytes;  // FileLegacy only: legacyBytes[i] is the byte of chars[i]

    // Characters [pos, pos + count), with their bytes.
    SourcedText Substr(std::size_t pos, std::size_t count = Text::npos) const;
};

}  // namespace tarvik
