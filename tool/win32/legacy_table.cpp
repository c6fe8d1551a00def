// Builds the legacy code page from its decoders.
#include "legacy_table.hpp"

#include <set>

namespace tarvik::win32 {

LegacyCodePage LegacyTableFrom(const ByteDecoder& decodeByte, const std::bitset<256>& leadBytes,
                               const PairDecoder& decodePair) {
    std::array<char32_t, 256> singles{};
    std::set<char32_t> taken;
    for (std::size_t byte = 0; byte < singles.size(); ++byte) {
        const std::optional<char32_t> decoded = decodeByte(static_cast<unsigned char>(byte));
        const bool usable = decoded && taken.insert(*decoded).second;
        singles[byte] = usable ? *decoded : kEscapedByteBase + static_cast<char32_t>(byte);
    }
    LegacyCodePage page(singles);
    for (unsigned lead = 0; lead < 256; ++lead) {
        if (!leadBytes[lead]) continue;
        const auto l = static_cast<unsigned char>(lead);
        page.AddLeadByte(l);
        for (unsigned trail = 0; trail < 256; ++trail) {
            if (trail == '\n' || trail == '\r') continue;
            const auto t = static_cast<unsigned char>(trail);
            if (const std::optional<char32_t> decoded = decodePair(l, t))
                page.AddPair(l, t, *decoded);
        }
    }
    return page;
}

}  // namespace tarvik::win32
