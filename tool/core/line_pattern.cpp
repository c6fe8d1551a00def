// A matching line is either valid UTF-8, where each character of a match is its UTF-8 encoding,
// or a legacy line, where each character is one byte of the code page. For every character of the
// compare string this collects the bytes its matches can consist of in both kinds of line; where
// the two kinds agree on one byte per character, or only one kind can match at all, consecutive
// characters give consecutive byte sets. A character whose matches differ in byte count (`i`
// ignoring case also matches the two-byte `ı`) ends a run with the set of its first bytes and
// starts the next with the set of its last bytes. The search scans for one run and looks for the
// others only in a hit's line.
#include "line_pattern.hpp"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "case_mapping.hpp"

namespace tarvik {
namespace {

// Longer patterns check no better; a bound keeps the pattern small whatever the compare string.
constexpr std::size_t kMaxPatternSize = 32;
// Parts checked in a hit's line besides the one searched for.
constexpr std::size_t kMaxChecks = 8;
// Roughly ByteCommonness summed over the bytes of ordinary text: a set's share of it estimates how
// likely a byte of text is in the set.
constexpr double kCommonnessOfAllText = 640;

// The bytes a match of one compare character can consist of.
struct CharacterBytes {
    // Valid UTF-8 lines: one set per byte of the encoding; empty when the matching characters'
    // encodings differ in length, or when no matching character can occur in a UTF-8 line.
    std::vector<ByteSet> utf8;
    bool inUtf8 = false;  // some matching character can occur in a UTF-8 line
    // Valid UTF-8 lines: the first and the last bytes of the encodings, whatever their lengths.
    ByteSet first, last;
    // Legacy lines: the bytes the code page turns into a matching character.
    ByteSet legacy;
};

bool IsLineEnd(char32_t cp) {
    return cp == U'\n' || cp == U'\r';
}

CharacterBytes BytesOf(char32_t c, CompareMode mode, const LegacyCodePage& legacy) {
    const Text variants = mode == CompareMode::Exact ? Text(1, c) : CaseVariants(c);
    CharacterBytes bytes;
    std::size_t width = 0;
    bool sameWidth = true;
    for (const char32_t v : variants) {
        // Lines never hold a line end, nor (being valid UTF-8) a surrogate.
        if (IsLineEnd(v) || (v >= 0xD800 && v <= 0xDFFF)) continue;
        const std::string encoded = EncodeUtf8Lossless(TextView(&v, 1));
        if (!bytes.inUtf8) width = encoded.size(), bytes.utf8.resize(width);
        bytes.inUtf8 = true;
        bytes.first.set(static_cast<unsigned char>(encoded.front()));
        bytes.last.set(static_cast<unsigned char>(encoded.back()));
        if (encoded.size() != width) {
            sameWidth = false;
            continue;
        }
        for (std::size_t i = 0; i < width; ++i)
            bytes.utf8[i].set(static_cast<unsigned char>(encoded[i]));
    }
    if (!sameWidth) bytes.utf8.clear();
    for (std::size_t b = 0; b < legacy.size(); ++b) {
        if (b == '\n' || b == '\r') continue;
        if (variants.find(legacy[b]) != Text::npos) bytes.legacy.set(b);
    }
    return bytes;
}

// BytesOf for each character, worked out once per distinct character: a compare string may be as
// long as a command line.
std::vector<CharacterBytes> BytesOfEach(TextView compare, CompareMode mode,
                                        const LegacyCodePage& legacy) {
    std::map<char32_t, CharacterBytes> known;
    std::vector<CharacterBytes> chars;
    for (const char32_t c : compare) {
        auto it = known.find(c);
        if (it == known.end()) it = known.emplace(c, BytesOf(c, mode, legacy)).first;
        chars.push_back(it->second);
    }
    return chars;
}

// Runs of consecutive byte sets, each present in every matching line.
std::vector<std::vector<ByteSet>> Runs(TextView compare, CompareMode mode,
                                       const LegacyCodePage& legacy) {
    const std::vector<CharacterBytes> chars = BytesOfEach(compare, mode, legacy);
    const bool utf8Lines =
        std::all_of(chars.begin(), chars.end(), [](const CharacterBytes& c) { return c.inUtf8; });
    const bool legacyLines = std::all_of(chars.begin(), chars.end(),
                                         [](const CharacterBytes& c) { return c.legacy.any(); });

    std::vector<std::vector<ByteSet>> runs(1);
    const auto breakAt = [&runs](const ByteSet& first, const ByteSet& last) {
        runs.back().push_back(first);
        runs.push_back({last});
    };
    for (const CharacterBytes& c : chars) {
        if (utf8Lines && legacyLines) {
            if (c.utf8.size() == 1) {
                runs.back().push_back(c.utf8[0] | c.legacy);
            } else {
                breakAt(c.first | c.legacy, c.last | c.legacy);
            }
        } else if (utf8Lines) {
            if (c.utf8.empty()) {
                breakAt(c.first, c.last);
            } else {
                runs.back().insert(runs.back().end(), c.utf8.begin(), c.utf8.end());
            }
        } else if (legacyLines) {
            runs.back().push_back(c.legacy);
        }
    }
    if (!utf8Lines && !legacyLines) runs.clear();
    return runs;
}

// The compare string spelled in each kind of line that can match it: a matching line holds one of
// them. Nothing when a kind of line can match without one spelling (matches of a character differ
// in length there).
std::vector<std::vector<ByteSet>> Spellings(TextView compare, CompareMode mode,
                                            const LegacyCodePage& legacy) {
    std::vector<ByteSet> utf8, code;
    bool inUtf8 = true, utf8Spelled = true, inLegacy = true;
    for (const CharacterBytes& bytes : BytesOfEach(compare, mode, legacy)) {
        inUtf8 = inUtf8 && bytes.inUtf8;
        utf8Spelled = utf8Spelled && !bytes.utf8.empty();
        utf8.insert(utf8.end(), bytes.utf8.begin(), bytes.utf8.end());
        inLegacy = inLegacy && bytes.legacy.any();
        code.push_back(bytes.legacy);
    }
    std::vector<std::vector<ByteSet>> spellings;
    if (inUtf8 && !utf8Spelled) return spellings;
    if (inUtf8) spellings.push_back(std::move(utf8));
    if (inLegacy) spellings.push_back(std::move(code));
    return spellings;
}

// The part of a run around its rarest set that memchr can scan for, or nothing.
std::optional<std::vector<ByteSet>> ScannablePart(const std::vector<ByteSet>& run) {
    std::optional<std::size_t> anchor;
    unsigned anchorCommonness = 0;
    std::unordered_map<ByteSet, unsigned> known;  // runs of long compare strings repeat their sets
    for (std::size_t j = 0; j < run.size(); ++j) {
        if (run[j].count() > BytePattern::kMaxAnchorBytes) continue;
        auto it = known.find(run[j]);
        if (it == known.end()) it = known.emplace(run[j], ByteCommonness(run[j])).first;
        const unsigned commonness = it->second;
        if (!anchor || commonness < anchorCommonness) anchor = j, anchorCommonness = commonness;
    }
    if (!anchor) return std::nullopt;
    const std::size_t size = std::min(run.size(), kMaxPatternSize);
    const std::size_t begin = std::min(*anchor - std::min(*anchor, size / 2), run.size() - size);
    return std::vector<ByteSet>(run.begin() + static_cast<std::ptrdiff_t>(begin),
                                run.begin() + static_cast<std::ptrdiff_t>(begin + size));
}

}  // namespace

std::optional<LinePattern> PatternInMatchingLines(TextView compare, CompareMode mode,
                                                  const LegacyCodePage& legacy) {
    // Each run, cut to a part that can be scanned for, is scored by how likely text holds it by
    // chance; the least likely is searched for, the next few checked in a hit's line. Checking a
    // bounded number of bounded parts keeps that check linear in the line.
    struct Scored {
        double chance;
        std::vector<ByteSet> part;
    };
    std::vector<Scored> parts;
    for (const auto& run : Runs(compare, mode, legacy)) {
        std::optional<std::vector<ByteSet>> part = ScannablePart(run);
        if (!part) continue;
        double chance = 1;
        for (const ByteSet& set : *part) {
            chance *= std::min(1.0, ByteCommonness(set) / kCommonnessOfAllText);
        }
        parts.push_back({chance, std::move(*part)});
    }
    if (parts.empty()) return std::nullopt;
    std::stable_sort(parts.begin(), parts.end(),
                     [](const Scored& a, const Scored& b) { return a.chance < b.chance; });
    LinePattern pattern{BytePattern(std::move(parts.front().part)), {}, {}};
    for (std::size_t i = 1; i < parts.size() && i <= kMaxChecks; ++i) {
        pattern.checks.emplace_back(std::move(parts[i].part));
    }
    for (const auto& spelling : Spellings(compare, mode, legacy)) {
        std::optional<std::vector<ByteSet>> part = ScannablePart(spelling);
        if (!part) {
            pattern.spellings.clear();
            break;
        }
        pattern.spellings.emplace_back(std::move(*part));
    }
    return pattern;
}

bool HoldsEveryPart(LinePattern& pattern, const char* begin, const char* end) {
    const auto holds = [begin, end](BytePattern& part) { return part.Find(begin, end) != nullptr; };
    return std::all_of(pattern.checks.begin(), pattern.checks.end(), holds) &&
           (pattern.spellings.empty() ||
            std::any_of(pattern.spellings.begin(), pattern.spellings.end(), holds));
}

void ForgetSearchedBytes(LinePattern& pattern) {
    pattern.search.Forget();
    for (BytePattern& part : pattern.checks) part.Forget();
    for (BytePattern& part : pattern.spellings) part.Forget();
}

}  // namespace tarvik
