// Text that remembers where it came from, so that a value cut from a file is written back with
// the bytes it had there, while typed text is encoded the platform's way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "legacy_code_page.hpp"
#include "text.hpp"

namespace tarvik {

enum class TextSource {
    Typed,       // command line, fixed texts, and lines of UTF-16 files
    FileUtf8,    // a valid UTF-8 line of a file: its code points re-encode to the same bytes
    FileLegacy,  // any other line of a file: characters of the legacy code page, bytes kept as read
};

struct SourcedText {
    Text chars;
    TextSource source = TextSource::Typed;
    // FileLegacy only: the bytes of `chars` in order, and how many of them each character has.
    std::string legacyBytes{};
    std::vector<std::uint8_t> legacyWidths{};

    // Characters [pos, pos + count), with their bytes.
    SourcedText Substr(std::size_t pos, std::size_t count = Text::npos) const;
};

// Legacy bytes read as characters of `page`, a lead byte and its trail byte together.
SourcedText FromLegacyBytes(std::string bytes, const LegacyCodePage& page);

}  // namespace tarvik
