// Decoding legacy lines.
#include "sourced_text.hpp"

namespace tarvik {

SourcedText FromLegacyBytes(std::string_view bytes, const LegacyCodePage& page) {
    SourcedText text{{}, TextSource::FileLegacy};
    text.chars.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        char32_t c = 0;
        pos += page.Decode(bytes, pos, c);
        text.chars += c;
    }
    return text;
}

}  // namespace tarvik
