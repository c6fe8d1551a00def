// A long UTF-16 line comes from the line reader in pieces: the first is cut and searched, the rest
// only looked through for a match the cut would lose.
#include "by_lines_search.hpp"

#include <algorithm>

#include "general_failure.hpp"
#include "line_reader.hpp"
#include "long_line.hpp"

namespace tarvik {

std::optional<SourcedText> FindFirstMatchingLineByLines(ByteReader& reader, TextView compare,
                                                        CompareMode mode,
                                                        const LegacyCodePage& legacy,
                                                        std::size_t keptChars) {
    const std::size_t kept = keptChars + compare.size();
    LineReader lines(reader, legacy, kept);
    SourcedText line, piece;
    while (lines.Next(line)) {
        const std::optional<SourcedText> found = CutMatchingLine(line, compare, mode, kept);
        // The rest of a long line is searched with the end of what came before, so that no match
        // is missed.
        bool foundBeyond = false;
        Text window;
        if (lines.LineGoesOn())
            window = line.chars.substr(line.chars.size() - (compare.size() - 1));
        while (lines.LineGoesOn() && lines.Next(piece)) {
            if (found || foundBeyond) continue;
            window.erase(0, window.size() - std::min(window.size(), compare.size() - 1));
            window += piece.chars;
            foundBeyond = FindText(window, compare, mode) != TextView::npos;
        }
        if (foundBeyond) throw GeneralFailure("match beyond the kept characters of a line");
        if (found) return found;
    }
    return std::nullopt;
}

}  // namespace tarvik
