// First-occurrence search, linear in both lengths whatever they hold (Knuth-Morris-Pratt), since
// a line may be long and the compare string up to a command line long. The case-ignoring mode
// compares simple upper-case mappings.
#include "find.hpp"

#include <array>
#include <vector>

#include "case_mapping.hpp"

namespace tarvik {
namespace {

// Needles up to this long need no memory from the heap: the search runs once per candidate line.
constexpr std::size_t kShortNeedle = 64;

template <typename Fold>
std::size_t Search(TextView haystack, TextView needle, Fold fold) {
    const std::size_t m = needle.size();
    std::array<char32_t, kShortNeedle> shortPattern;
    std::array<std::size_t, kShortNeedle> shortBorder;
    std::vector<char32_t> longPattern;
    std::vector<std::size_t> longBorder;
    if (m > kShortNeedle) longPattern.resize(m), longBorder.resize(m);
    char32_t* const pattern = m > kShortNeedle ? longPattern.data() : shortPattern.data();
    // border[i]: the length of the longest proper prefix of pattern[0, i] that also ends it.
    std::size_t* const border = m > kShortNeedle ? longBorder.data() : shortBorder.data();
    for (std::size_t i = 0; i < m; ++i) pattern[i] = fold(needle[i]);
    border[0] = 0;
    for (std::size_t i = 1, k = 0; i < m; ++i) {
        while (k > 0 && pattern[i] != pattern[k]) k = border[k - 1];
        if (pattern[i] == pattern[k]) ++k;
        border[i] = k;
    }
    for (std::size_t i = 0, k = 0; i < haystack.size(); ++i) {
        const char32_t c = fold(haystack[i]);
        while (k > 0 && c != pattern[k]) k = border[k - 1];
        if (c == pattern[k] && ++k == m) return i + 1 - m;
    }
    return TextView::npos;
}

}  // namespace

std::size_t FindText(TextView haystack, TextView needle, CompareMode mode) {
    if (needle.empty()) return 0;
    if (mode == CompareMode::Exact) return Search(haystack, needle, [](char32_t c) { return c; });
    return Search(haystack, needle, [](char32_t c) { return SimpleUpper(c); });
}

}  // namespace tarvik
