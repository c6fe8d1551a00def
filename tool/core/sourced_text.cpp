// Slicing keeps characters and bytes in step.
#include "sourced_text.hpp"

namespace tarvik {

SourcedText SourcedText::Substr(std::size_t pos, std::size_t count) const {
    SourcedText part{chars.substr(pos, count), source, {}};
    if (source == TextSource::FileLegacy) part.legacyBytes = legacyBytes.substr(pos, count);
    return part;
}

}  // namespace tarvik
