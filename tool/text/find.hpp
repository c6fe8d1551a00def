// Searching for the compare string, exactly or ignoring letter case.
#pragma once

#include <cstddef>

#include "text.hpp"

namespace tarvik {

enum class CompareMode { Exact, IgnoreCase };

// 0-based index of the first occurrence of `needle` in `haystack`, or TextView::npos.
// An empty needle is found at 0.
std::size_t FindText(TextView haystack, TextView needle, CompareMode mode);

}  // namespace tarvik
