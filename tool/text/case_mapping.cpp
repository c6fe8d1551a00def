// Lookup in the generated simple upper-case table, and the direct table built from it.
#include "case_mapping.hpp"

#include <algorithm>
#include <array>
#include <iterator>

namespace tarvik {
namespace {

struct CaseMapping {
    char32_t from;
    char32_t to;
};

constexpr CaseMapping kUpperTable[] = {
#include "case_table.inc"
};

static_assert(std::is_sorted(std::begin(kUpperTable), std::end(kUpperTable),
                             [](const CaseMapping& a, const CaseMapping& b) {
                                 return a.from < b.from;
                             }));

using case_detail::kDirectCount;

constexpr std::array<char32_t, kDirectCount> MakeDirectTable() {
    std::array<char32_t, kDirectCount> table{};
    for (char32_t cp = 0; cp < kDirectCount; ++cp) table[cp] = cp;
    for (const CaseMapping& m : kUpperTable) {
        if (m.from < kDirectCount) table[m.from] = m.to;
    }
    return table;
}

}  // namespace

namespace case_detail {

constexpr std::array<char32_t, kDirectCount> kDirectUpper = MakeDirectTable();

char32_t LookUpUpper(char32_t cp) {
    const auto it =
        std::lower_bound(std::begin(kUpperTable), std::end(kUpperTable), cp,
                         [](const CaseMapping& m, char32_t key) { return m.from < key; });
    return (it != std::end(kUpperTable) && it->from == cp) ? it->to : cp;
}

}  // namespace case_detail

Text CaseVariants(char32_t cp) {
    const char32_t upper = SimpleUpper(cp);
    Text variants(1, cp);
    if (upper != cp && SimpleUpper(upper) == upper) variants += upper;
    for (const CaseMapping& m : kUpperTable) {
        if (m.to == upper && m.from != cp) variants += m.from;
    }
    return variants;
}

Text ToUpper(TextView text) {
    Text out(text);
    for (char32_t& cp : out) cp = SimpleUpper(cp);
    return out;
}

}  // namespace tarvik
