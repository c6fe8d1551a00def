// Slicing and decoding keep characters and bytes in step.
#include "sourced_text.hpp"

#include <algorithm>
#include <numeric>

namespace tarvik {

SourcedText SourcedText::Substr(std::size_t pos, std::size_t count) const {
    SourcedText part{chars.substr(pos, count), source, {}, {}};
    if (source != TextSource::FileLegacy) return part;
    const auto first =
        legacyWidths.begin() + static_cast<std::ptrdiff_t>(std::min(pos, legacyWidths.size()));
    const auto last = first + static_cast<std::ptrdiff_t>(part.chars.size());
    const std::size_t begin = std::accumulate(legacyWidths.begin(), first, std::size_t{0});
    const std::size_t size = std::accumulate(first, last, std::size_t{0});
    part.legacyBytes = legacyBytes.substr(begin, size);
    part.legacyWidths.assign(first, last);
    return part;
}

SourcedText FromLegacyBytes(std::string bytes, const LegacyCodePage& page) {
    SourcedText text{{}, TextSource::FileLegacy, {}, {}};
    text.chars.reserve(bytes.size());
    text.legacyWidths.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        char32_t c = 0;
        const std::size_t width = page.Decode(bytes, pos, c);
        text.chars += c;
        text.legacyWidths.push_back(static_cast<std::uint8_t>(width));
        pos += width;
    }
    text.legacyBytes = std::move(bytes);
    return text;
}

}  // namespace tarvik
