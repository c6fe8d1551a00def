// A matching line of a byte-encoded file is either valid UTF-8, where each character of a match
// is its UTF-8 encoding, or a legacy line, where each character is one byte of the code page or,
// in a double-byte code page, a lead and a trail byte; a line of a UTF-16 file holds code units.
// For every character of the compare string this collects the byte strings its matches can
// consist of in each kind of line that can match at all.
//
// The search scans for the compare string as each kind of line spells it with each character's
// narrowest spellings, and for each wider spelling (ignoring case, `s` also matches the two-byte
// `ſ`): a match holds the first at a known place, or one of the others. A hit of the first is
// checked where it lies against the spellings, without decoding its line.
//
// Where that gives too many parts, it scans for runs: where a character's matches all have one
// length, consecutive characters give consecutive byte sets; a character whose matches differ in
// length (a legacy line spells `x` in one byte and `ポ` in two) ends a run with the set of its
// first bytes and starts the next with the set of its last bytes. The least likely run is scanned
// for, and the others checked in a hit's line.
#include "line_pattern.hpp"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>
#include <unordered_map>

#include "case_mapping.hpp"
#include "text.hpp"
#include "utf16.hpp"

namespace tarvik {
namespace {

// Longer patterns check no better; a bound keeps the pattern small whatever the compare string.
constexpr std::size_t kMaxPatternSize = 64;
// Roughly ByteCommonness summed over the bytes of ordinary text: a set's share of it estimates how
// likely a byte of text is in the set.
constexpr double kCommonnessOfAllText = 640;

// Parts checked in a hit's line besides the one searched for.
constexpr std::size_t kMaxChecks = 8;

// Longer compare strings are not checked at each hit, which would cost a pass over the compare
// string per hit; their lines are decoded and searched, in time linear in the line.
constexpr std::size_t kMaxSpelledChars = 64;

// The byte strings a match of one compare character can consist of, in each kind of line. Only
// the kinds of the file's encoding are filled.
struct CharacterBytes {
    std::vector<std::string> utf8;    // valid UTF-8 lines of a byte-encoded file
    std::vector<std::string> legacy;  // its other lines
    std::vector<std::string> utf16;   // lines of a UTF-16 file
};

using LineKind = std::vector<std::string> CharacterBytes::*;
constexpr std::array<LineKind, 3> kLineKinds = {&CharacterBytes::utf8, &CharacterBytes::legacy,
                                                &CharacterBytes::utf16};

// The kinds of line that can match: those with a spelling for every character.
std::vector<LineKind> KindsThatCanMatch(const std::vector<const CharacterBytes*>& chars) {
    std::vector<LineKind> kinds;
    for (const LineKind kind : kLineKinds) {
        if (std::none_of(chars.begin(), chars.end(),
                         [kind](const CharacterBytes* c) { return (c->*kind).empty(); }))
            kinds.push_back(kind);
    }
    return kinds;
}

// The characters each distinct character of the compare string matches, worked out once each: a
// compare string may be as long as a command line.
using VariantsOf = std::map<char32_t, Text>;

VariantsOf Variants(TextView compare, CompareMode mode) {
    VariantsOf variants;
    for (const char32_t c : compare) {
        if (!variants.contains(c))
            variants.emplace(c, mode == CompareMode::Exact ? Text(1, c) : CaseVariants(c));
    }
    return variants;
}

// How the legacy code page spells each character the compare string can match: single bytes, and
// the lead and trail bytes of double-byte characters. One pass over the code page for all.
std::map<char32_t, std::vector<std::string>> LegacySpellings(const VariantsOf& variants,
                                                             const LegacyCodePage& legacy) {
    std::map<char32_t, std::vector<std::string>> spellings;
    for (const auto& [c, matched] : variants) {
        for (const char32_t v : matched) spellings[v];
    }
    const auto add = [&spellings](char32_t c, std::string bytes) {
        if (const auto found = spellings.find(c); found != spellings.end())
            found->second.push_back(std::move(bytes));
    };
    for (unsigned lead = 0; lead < 256; ++lead) {
        const auto l = static_cast<unsigned char>(lead);
        // Lines never hold a line end.
        if (!IsLineEnd(lead)) add(legacy.Single(l), std::string(1, static_cast<char>(l)));
        if (!legacy.IsLeadByte(l)) continue;
        for (unsigned trail = 0; trail < 256; ++trail) {
            const auto t = static_cast<unsigned char>(trail);
            if (const char32_t pair = legacy.Pair(l, t); pair != 0 && !IsLineEnd(trail)) {
                add(pair, std::string{static_cast<char>(l), static_cast<char>(t)});
            }
        }
    }
    return spellings;
}

// The character's UTF-16 code units, in the file's byte order.
std::string Utf16Bytes(char32_t c, FileEncoding encoding) {
    std::string bytes;
    const auto unit = [&](char32_t u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        bytes += encoding == FileEncoding::Utf16LE ? std::string{lo, hi} : std::string{hi, lo};
    };
    if (NeedsSurrogatePair(c)) {
        unit(HighSurrogateOf(c));
        unit(LowSurrogateOf(c));
    } else {
        unit(c);
    }
    return bytes;
}

CharacterBytes BytesOf(const Text& variants, FileEncoding encoding,
                       const std::map<char32_t, std::vector<std::string>>& legacy) {
    CharacterBytes bytes;
    for (const char32_t v : variants) {
        // Lines never hold a line end, nor (being valid UTF-8 or UTF-16) a surrogate.
        const bool canBeInLine = !IsLineEnd(v) && !IsSurrogate(v);
        if (encoding != FileEncoding::Bytes) {
            if (canBeInLine) bytes.utf16.push_back(Utf16Bytes(v, encoding));
            continue;
        }
        const auto& spelled = legacy.at(v);
        bytes.legacy.insert(bytes.legacy.end(), spelled.begin(), spelled.end());
        if (canBeInLine) bytes.utf8.push_back(EncodeUtf8Lossless(TextView(&v, 1)));
    }
    return bytes;
}

// The bytes of each character of the compare string, worked out once per distinct character and
// shared by its repeats.
struct CompareBytes {
    std::map<char32_t, CharacterBytes> distinct;
    std::vector<const CharacterBytes*> chars;
};

CompareBytes BytesOfEach(TextView compare, CompareMode mode, FileEncoding encoding,
                         const LegacyCodePage& legacy) {
    const VariantsOf variants = Variants(compare, mode);
    const auto spellings = encoding == FileEncoding::Bytes
                               ? LegacySpellings(variants, legacy)
                               : std::map<char32_t, std::vector<std::string>>{};
    CompareBytes bytes;
    for (const auto& [c, matched] : variants)
        bytes.distinct.emplace(c, BytesOf(matched, encoding, spellings));
    bytes.chars.reserve(compare.size());
    for (const char32_t c : compare) bytes.chars.push_back(&bytes.distinct.at(c));
    return bytes;
}

// A character's byte strings in the kinds of line taken together: their lengths, and the set of
// each byte where they are all one length, else the sets of their first and last bytes.
struct Shape {
    std::vector<std::size_t> widths;  // rising
    std::vector<ByteSet> sets;        // one length only
    ByteSet first, last;
};

Shape ShapeOf(const CharacterBytes& c, const std::vector<LineKind>& kinds) {
    Shape shape;
    for (const LineKind kind : kinds) {
        for (const std::string& m : c.*kind) shape.widths.push_back(m.size());
    }
    std::sort(shape.widths.begin(), shape.widths.end());
    shape.widths.erase(std::unique(shape.widths.begin(), shape.widths.end()), shape.widths.end());
    if (shape.widths.size() == 1) shape.sets.resize(shape.widths.front());
    for (const LineKind kind : kinds) {
        for (const std::string& m : c.*kind) {
            for (std::size_t i = 0; i < shape.sets.size(); ++i)
                shape.sets[i].set(static_cast<unsigned char>(m[i]));
            shape.first.set(static_cast<unsigned char>(m.front()));
            shape.last.set(static_cast<unsigned char>(m.back()));
        }
    }
    return shape;
}

// The shape of each distinct character in `kinds`.
std::map<const CharacterBytes*, Shape> ShapesOf(const CompareBytes& bytes,
                                                const std::vector<LineKind>& kinds) {
    std::map<const CharacterBytes*, Shape> shapes;
    for (const auto& [c, characterBytes] : bytes.distinct)
        shapes.emplace(&characterBytes, ShapeOf(characterBytes, kinds));
    return shapes;
}

// A run of consecutive byte sets present in every matching line, with the byte offsets from the
// start of a match at which its first set can lie (empty when there are too many to check).
struct Run {
    std::vector<ByteSet> sets;
    std::vector<std::size_t> offsets;
};

// More offsets than this make checking a hit at each of them cost more than it saves.
constexpr std::size_t kMaxOffsets = 4;

std::vector<Run> Runs(const CompareBytes& bytes) {
    const std::vector<LineKind> kinds = KindsThatCanMatch(bytes.chars);
    if (kinds.empty()) return {};
    const auto shapes = ShapesOf(bytes, kinds);

    std::vector<Run> runs{{{}, {0}}};
    runs.back().sets.reserve(bytes.chars.size());
    // Where the character at hand can start in a match; empty once there are too many places.
    std::vector<std::size_t> starts{0}, next;
    for (const CharacterBytes* c : bytes.chars) {
        const Shape& shape = shapes.at(c);
        next.clear();
        for (const std::size_t start : starts) {
            for (const std::size_t w : shape.widths) next.push_back(start + w);
        }
        std::sort(next.begin(), next.end());
        next.erase(std::unique(next.begin(), next.end()), next.end());
        if (next.size() > kMaxOffsets) next.clear();
        if (!shape.sets.empty()) {
            runs.back().sets.insert(runs.back().sets.end(), shape.sets.begin(), shape.sets.end());
        } else {
            runs.back().sets.push_back(shape.first);
            std::vector<std::size_t> lastAt = next;
            for (std::size_t& at : lastAt) --at;
            runs.push_back({{shape.last}, std::move(lastAt)});
        }
        starts.swap(next);
    }
    return runs;
}

// The part of a run around its rarest set that a scan can look for, and where it begins in the
// run, or nothing.
std::optional<std::pair<std::vector<ByteSet>, std::size_t>> ScannablePart(
    const std::vector<ByteSet>& run) {
    std::optional<std::size_t> anchor;
    unsigned anchorCommonness = 0;
    // Runs of long compare strings repeat their sets: each is weighed once, and a set like the one
    // before it cannot be an anchor before that one.
    std::unordered_map<ByteSet, std::optional<unsigned>> known;
    for (std::size_t j = 0; j < run.size(); ++j) {
        if (j > 0 && run[j] == run[j - 1]) continue;
        auto it = known.find(run[j]);
        if (it == known.end()) {
            std::optional<unsigned> commonness;
            if (CanScanFor(run[j])) commonness = ByteCommonness(run[j]);
            it = known.emplace(run[j], commonness).first;
        }
        const std::optional<unsigned> commonness = it->second;
        if (commonness && (!anchor || *commonness < anchorCommonness))
            anchor = j, anchorCommonness = *commonness;
    }
    if (!anchor) return std::nullopt;
    const std::size_t size = std::min(run.size(), kMaxPatternSize);
    const std::size_t begin = std::min(*anchor - std::min(*anchor, size / 2), run.size() - size);
    return std::pair{std::vector<ByteSet>(run.begin() + static_cast<std::ptrdiff_t>(begin),
                                          run.begin() + static_cast<std::ptrdiff_t>(begin + size)),
                     begin};
}

// Each kind of line that can match, as SpelledMatch; nothing when one of them cannot be checked
// that way. A kind whose every spelling the other kind has too is left out: where it matches,
// the other's check (which never branches) finds the same bytes.
std::vector<SpelledMatch> SpelledMatches(const CompareBytes& bytes) {
    using Spellings = std::vector<std::set<std::string>>;
    std::vector<Spellings> kinds;
    for (const LineKind kind : KindsThatCanMatch(bytes.chars)) {
        Spellings spellings;
        for (const CharacterBytes* c : bytes.chars)
            spellings.emplace_back((c->*kind).begin(), (c->*kind).end());
        kinds.push_back(std::move(spellings));
    }
    const auto within = [](const Spellings& a, const Spellings& b) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (!std::includes(b[i].begin(), b[i].end(), a[i].begin(), a[i].end())) return false;
        }
        return true;
    };
    if (kinds.size() == 2 && within(kinds[1], kinds[0])) kinds.pop_back();
    if (kinds.size() == 2 && within(kinds[0], kinds[1])) kinds.erase(kinds.begin());
    std::vector<SpelledMatch> matches;
    for (const Spellings& kind : kinds) {
        std::vector<std::vector<std::string>> spellings;
        for (const auto& c : kind) spellings.emplace_back(c.begin(), c.end());
        std::optional<SpelledMatch> match = SpelledMatch::From(spellings);
        if (!match) return {};
        matches.push_back(std::move(*match));
    }
    return matches;
}

std::size_t LongestMatch(const CompareBytes& bytes) {
    std::map<const CharacterBytes*, std::size_t> longest;
    for (const auto& [c, spelled] : bytes.distinct) {
        std::size_t& most = longest[&spelled];
        for (const LineKind kind : kLineKinds) {
            for (const std::string& m : spelled.*kind) most = std::max(most, m.size());
        }
    }
    std::size_t sum = 0;
    for (const CharacterBytes* c : bytes.chars) sum += longest[c];
    return sum;
}

// More parts than this to scan for cost more than the runs' hits do.
constexpr std::size_t kMaxScannedParts = 4;

// Parts that every match holds one of, where it says: for each kind of line that can match, the
// compare string spelled with each character's narrowest spellings, which a match using only such
// spellings holds at a known place; and each wider spelling, which any other match holds somewhere.
// Nothing when there would be too many or one cannot be scanned for.
// The compare string as lines of this kind spell it with each character's narrowest spellings;
// the wider spellings are added to `wider`.
std::vector<ByteSet> NarrowestSpelling(const CompareBytes& bytes, LineKind kind,
                                       std::set<std::string>& wider) {
    std::vector<ByteSet> narrow;
    narrow.reserve(bytes.chars.size());  // a byte a character is the most common by far
    for (const CharacterBytes* c : bytes.chars) {
        const std::vector<std::string>& spellings = c->*kind;
        std::size_t width = spellings.front().size();
        for (const std::string& m : spellings) width = std::min(width, m.size());
        const std::size_t at = narrow.size();
        narrow.resize(at + width);
        for (const std::string& m : spellings) {
            if (m.size() > width) {
                wider.insert(m);
                continue;
            }
            for (std::size_t i = 0; i < width; ++i)
                narrow[at + i].set(static_cast<unsigned char>(m[i]));
        }
    }
    return narrow;
}

// The wider spellings are scanned for together, by as many first bytes as all have: one pass
// over the data, where they are rare, for all of them; else each on its own.
std::vector<std::vector<ByteSet>> WiderParts(const std::set<std::string>& wider) {
    std::size_t length = kMaxCharBytes;
    for (const std::string& m : wider) length = std::min(length, m.size());
    std::vector<ByteSet> together(length);
    for (const std::string& m : wider) {
        for (std::size_t i = 0; i < length; ++i) together[i].set(static_cast<unsigned char>(m[i]));
    }
    if (ScannablePart(together)) return {std::move(together)};
    std::vector<std::vector<ByteSet>> each;
    for (const std::string& m : wider) {
        std::vector<ByteSet> sets(m.size());
        for (std::size_t i = 0; i < m.size(); ++i) sets[i].set(static_cast<unsigned char>(m[i]));
        each.push_back(std::move(sets));
    }
    return each;
}

std::vector<ScannedPart> SpellingParts(const CompareBytes& bytes) {
    std::vector<std::pair<std::vector<ByteSet>, std::vector<std::size_t>>> parts;
    const auto add = [&parts](std::vector<ByteSet> sets, std::vector<std::size_t> offsets) {
        const std::pair part{std::move(sets), std::move(offsets)};
        if (std::find(parts.begin(), parts.end(), part) == parts.end()) parts.push_back(part);
    };
    std::set<std::string> wider;
    const std::vector<LineKind> kinds = KindsThatCanMatch(bytes.chars);
    for (auto kind = kinds.begin(); kind != kinds.end(); ++kind) {
        // A kind that spells each character as one before it gives that one's part: an ASCII
        // compare string is the same bytes in UTF-8 and in the code page.
        const auto spellsAlike = [&bytes, kind](LineKind other) {
            return std::all_of(bytes.distinct.begin(), bytes.distinct.end(),
                               [&](const auto& c) { return c.second.*other == c.second.**kind; });
        };
        if (std::any_of(kinds.begin(), kind, spellsAlike)) continue;
        auto part = ScannablePart(NarrowestSpelling(bytes, *kind, wider));
        if (!part) return {};
        add(std::move(part->first), {part->second});
    }
    if (!wider.empty()) {
        for (std::vector<ByteSet>& sets : WiderParts(wider)) add(std::move(sets), {});
    }
    if (parts.size() > kMaxScannedParts) return {};
    std::vector<ScannedPart> scanned;
    for (auto& [sets, offsets] : parts) scanned.push_back({BytePattern(std::move(sets)), offsets});
    return scanned;
}

}  // namespace

std::optional<LinePattern> PatternInMatchingLines(TextView compare, CompareMode mode,
                                                  FileEncoding encoding,
                                                  const LegacyCodePage& legacy) {
    // Each run, cut to a part that can be scanned for, is scored by how likely text holds it by
    // chance; the least likely are checked in a hit's line, and the least likely of all is scanned
    // for when the spellings cannot be. Checking a bounded number of bounded parts keeps that
    // check linear in the line.
    struct Scored {
        double chance;
        std::vector<ByteSet> part;
        std::vector<std::size_t> offsets;
    };
    const CompareBytes bytes = BytesOfEach(compare, mode, encoding, legacy);
    std::vector<Scored> parts;
    for (const Run& run : Runs(bytes)) {
        auto part = ScannablePart(run.sets);
        if (!part) continue;
        double chance = 1;
        for (const ByteSet& set : part->first) {
            chance *= std::min(1.0, ByteCommonness(set) / kCommonnessOfAllText);
        }
        std::vector<std::size_t> offsets = run.offsets;
        for (std::size_t& offset : offsets) offset += part->second;
        parts.push_back({chance, std::move(part->first), std::move(offsets)});
    }
    if (parts.empty()) return std::nullopt;
    std::stable_sort(parts.begin(), parts.end(),
                     [](const Scored& a, const Scored& b) { return a.chance < b.chance; });
    LinePattern pattern;
    pattern.unitBytes = encoding == FileEncoding::Bytes ? 1 : 2;
    pattern.matchBytes = LongestMatch(bytes);
    pattern.scanned = SpellingParts(bytes);
    std::size_t checked = 0;
    if (pattern.scanned.empty()) {
        pattern.scanned.push_back({BytePattern(parts.front().part), parts.front().offsets});
        checked = 1;
    }
    for (; checked < parts.size() && pattern.checks.size() < kMaxChecks; ++checked)
        pattern.checks.emplace_back(std::move(parts[checked].part));
    if (compare.size() <= kMaxSpelledChars) pattern.spelled = SpelledMatches(bytes);
    return pattern;
}

std::size_t LinePattern::Width() const {
    std::size_t width = 0;
    for (const ScannedPart& part : scanned) width = std::max(width, part.bytes.size());
    return width;
}

const char* FindCandidate(LinePattern& pattern, const char* from, const char* end) {
    const char* first = nullptr;
    for (ScannedPart& part : pattern.scanned) {
        // A part's last answer holds while the search goes on before it in the same bytes.
        const bool known = part.end == end && part.from != nullptr && part.from <= from &&
                           (part.hit == nullptr || part.hit >= from);
        if (!known) part.from = from, part.end = end, part.hit = part.bytes.Find(from, end);
        if (part.hit != nullptr && (first == nullptr || part.hit < first)) first = part.hit;
    }
    return first;
}

HitCheck CheckHit(const LinePattern& pattern, const char* hit, const char* from, const char* end) {
    HitCheck check = HitCheck::RuledOut;
    for (const ScannedPart& part : pattern.scanned) {
        if (part.hit != hit) continue;
        if (part.offsets.empty() || pattern.spelled.empty()) {
            check = HitCheck::Unchecked;
            continue;
        }
        for (const std::size_t offset : part.offsets) {
            const auto at = static_cast<std::size_t>(hit - from);
            if (at < offset || (at - offset) % pattern.unitBytes != 0) continue;
            for (const SpelledMatch& match : pattern.spelled) {
                if (match.MayStartAt(hit - offset, end)) return HitCheck::MayMatch;
            }
        }
    }
    return check;
}

bool HoldsEveryPart(LinePattern& pattern, const char* begin, const char* end) {
    return std::all_of(
        pattern.checks.begin(), pattern.checks.end(),
        [begin, end](BytePattern& part) { return part.Find(begin, end) != nullptr; });
}

void ForgetSearchedBytes(LinePattern& pattern) {
    for (ScannedPart& part : pattern.scanned) part.from = nullptr;
}

}  // namespace tarvik
