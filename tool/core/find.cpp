// First-occurrence search, linear in both lengths whatever they hold (Knuth-Morris-Pratt), since
// a line may be long and the compare string up to a command line long. The case-ignoring mode
// compares simple upper-case mappings.
#include "find.hpp"

#include <vector>

#include "case_mapping.hpp"

namespace tarvik {

std::size_t FindText(TextView haystack, TextView needle, CompareMode mode) {
    if (needle.empty()) return 0;
    const auto fold = [mode](char32_t c) {
        return mode == CompareMode::Exact ? c : SimpleUpper(c);
    };
    Text pattern(needle);
    for (char32_t& c : pattern) c = fold(c);
    // border[i]: the length of the longest proper prefix of pattern[0, i] that also ends it.
    std::vector<std::size_t> border(pattern.size(), 0);
    for (std::size_t i = 1, k = 0; i < pattern.size(); ++i) {
        while (k > 0 && pattern[i] != pattern[k]) k = border[k - 1];
        if (pattern[i] == pattern[k]) ++k;
        border[i] = k;
    }
    for (std::size_t i = 0, k = 0; i < haystack.size(); ++i) {
        const char32_t c = fold(haystack[i]);
        while (k > 0 && c != pattern[k]) k = border[k - 1];
        if (c == pattern[k] && ++k == pattern.size()) return i + 1 - k;
    }
    return TextView::npos;
}

}  // namespace tarvik
