// The identity byte table, for platforms without a code page of their own.
#include "platform.hpp"

namespace tarvik {

const LegacyCodePage& Latin1CodePage() {
    static const LegacyCodePage page = [] {
        LegacyCodePage bytes{};
        for (std::size_t b = 0; b < bytes.size(); ++b) bytes[b] = static_cast<char32_t>(b);
        return bytes;
    }();
    return page;
}

}  // namespace tarvik
