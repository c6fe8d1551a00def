// Builds the legacy byte table from a per-byte decoder.
#include "legacy_table.hpp"

#include <set>

namespace tarvik::win32 {

LegacyCodePage LegacyTableFrom(const std::function<std::optional<char32_t>(unsigned char)>& decodeByte) {
    LegacyCodePage table{};
    std::set<char32_t> taken;
    for (std::size_t byte = 0; byte < table.size(); ++byte) {
        const std::optional<char32_t> decoded = decodeByte(static_cast<unsigned char>(byte));
        const bool usable = decoded && taken.insert(*decoded).second;
        table[byte] = usable ? *decoded : kEscapedByteBase + static_cast<char32_t>(byte);
    }
    return table;
}

}  // namespace tarvik::win32
