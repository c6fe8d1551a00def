// Line by line: decode each line and search it.
#include "file_search.hpp"

#include "line_reader.hpp"

namespace tarvik {

std::optional<SourcedText> FindFirstMatchingLine(ByteReader& reader, TextView compare, CompareMode mode,
                                                 const LegacyCodePage& legacy) {
    LineReader lines(reader, legacy);
    SourcedText line;
    while (lines.Next(line)) {
        if (FindText(line.chars, compare, mode) != TextView::npos) return line;
    }
    return std::nullopt;
}

}  // namespace tarvik
