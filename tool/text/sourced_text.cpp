// Decoding legacy lines.
#include "sourced_text.hpp"

namespace tarvik {

// Written in place: a byte makes at most one character, and exactly one in a single-byte code page.
SourcedText FromLegacyBytes(std::string_view bytes, const LegacyCodePage& page) {
    SourcedText text{Text(bytes.size(), U'\0'), TextSource::FileLegacy};
    if (!page.HasLeadBytes()) {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            text.chars[i] = page.Single(static_cast<unsigned char>(bytes[i]));
        return text;
    }
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < bytes.size();)
        pos += page.Decode(bytes, pos, text.chars[count++]);
    text.chars.resize(count);
    return text;
}

}  // namespace tarvik
