// Decoding legacy bytes, and the identity table for platforms without a code page of their own.
#include "legacy_code_page.hpp"

namespace tarvik {

void LegacyCodePage::AddLeadByte(unsigned char lead) {
    leads_.set(lead);
    singles_[lead] = kEscapedByteBase + lead;
}

void LegacyCodePage::AddPair(unsigned char lead, unsigned char trail, char32_t c) {
    if (pairs_.empty()) pairs_.resize(256 * 256);
    pairs_[lead * 256u + trail] = c;
}

char32_t LegacyCodePage::Pair(unsigned char lead, unsigned char trail) const {
    return pairs_.empty() ? 0 : pairs_[lead * 256u + trail];
}

std::size_t LegacyCodePage::Decode(std::string_view bytes, std::size_t pos, char32_t& c) const {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (leads_[lead] && pos + 1 < bytes.size()) {
        c = Pair(lead, static_cast<unsigned char>(bytes[pos + 1]));
        if (c != 0) return 2;
    }
    c = singles_[lead];
    return 1;
}

const LegacyCodePage& Latin1CodePage() {
    static const LegacyCodePage page = [] {
        std::array<char32_t, 256> singles{};
        for (std::size_t b = 0; b < singles.size(); ++b) singles[b] = static_cast<char32_t>(b);
        return LegacyCodePage(singles);
    }();
    return page;
}

}  // namespace tarvik
