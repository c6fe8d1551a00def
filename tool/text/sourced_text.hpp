// Text that remembers how it was read from its file, so that tests and callers can tell which
// decoding a line took.
#pragma once

#include <string>
#include <string_view>

#include "legacy_code_page.hpp"
#include "text.hpp"

namespace tarvik {

enum class TextSource {
    Typed,       // command line, fixed texts, and lines of UTF-16 files
    FileUtf8,    // a valid UTF-8 line of a file
    FileLegacy,  // any other line of a file, read as characters of the legacy code page
};

struct SourcedText {
    Text chars;
    TextSource source = TextSource::Typed;

    // Characters [pos, pos + count).
    SourcedText Substr(std::size_t pos, std::size_t count = Text::npos) const {
        return {chars.substr(pos, count), source};
    }
};

// Legacy bytes read as characters of `page`, a lead byte and its trail byte together.
SourcedText FromLegacyBytes(std::string_view bytes, const LegacyCodePage& page);

}  // namespace tarvik
