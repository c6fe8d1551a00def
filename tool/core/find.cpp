// Plain first-occurrence search; the case-ignoring mode compares simple upper-case mappings.
#include "find.hpp"

#include <algorithm>
#include <functional>

#include "case_mapping.hpp"

namespace tarvik {

std::size_t FindText(TextView haystack, TextView needle, CompareMode mode) {
    if (mode == CompareMode::Exact) return haystack.find(needle);
    const auto same = [](char32_t a, char32_t b) { return a == b || SimpleUpper(a) == SimpleUpper(b); };
    const auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(), same);
    if (it == haystack.end() && !needle.empty()) return TextView::npos;
    return static_cast<std::size_t>(it - haystack.begin());
}

}  // namespace tarvik
