// Choosing the encoding of a result line for its reader.
#include "result_encoding.hpp"

#include "general_failure.hpp"
#include "utf16.hpp"

namespace tarvik {

unsigned ReadingCodePage(unsigned consoleCodePage, unsigned oemCodePage) {
    return consoleCodePage != 0 ? consoleCodePage : oemCodePage;
}

// Lead bytes and undecodable bytes stand for escaped bytes (U+DC00 + byte) alone: they are no
// character's spelling.
CodePageSpellings::CodePageSpellings(const LegacyCodePage& page) {
    for (unsigned b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (!page.IsLeadByte(byte)) {
            if (!IsSurrogate(page.Single(byte)))
                spellings_.try_emplace(page.Single(byte), 1, static_cast<char>(byte));
            continue;
        }
        for (unsigned t = 0; t < 256; ++t) {
            const auto trail = static_cast<unsigned char>(t);
            const char32_t c = page.Pair(byte, trail);
            if (c != 0 && !IsSurrogate(c))
                spellings_.try_emplace(c,
                                       std::string{static_cast<char>(byte), static_cast<char>(t)});
        }
    }
}

std::optional<std::string> CodePageSpellings::Spell(TextView text) const {
    std::string bytes;
    bytes.reserve(text.size());
    for (const char32_t c : text) {
        const auto found = spellings_.find(c);
        if (found == spellings_.end()) return std::nullopt;
        bytes += found->second;
    }
    return bytes;
}

bool KeepsAsciiApart(std::string_view bytes, const LegacyCodePage& page) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!page.IsLeadByte(static_cast<unsigned char>(bytes[i]))) continue;
        if (i + 1 == bytes.size() || static_cast<unsigned char>(bytes[i + 1]) < 0x80) return false;
        ++i;
    }
    return true;
}

ResultLineEncoder::ResultLineEncoder(const LegacyCodePage* page) : page_(page) {
    if (page_) spellings_.emplace(*page_);
}

std::string ResultLineEncoder::Encode(TextView line) const {
    // UTF-8 never puts an ASCII byte inside another character; escaped bytes stay the bytes they
    // stand for.
    std::string utf8 = EncodeUtf8Lossless(line);
    if (!page_) return utf8;
    if (std::optional<std::string> exact = spellings_->Spell(line)) return std::move(*exact);
    // The line end follows, and a lead byte before it would take the CR.
    if (KeepsAsciiApart(utf8 + '\r', *page_)) return utf8;
    throw GeneralFailure("result line has no encoding its reader's code page keeps apart");
}

}  // namespace tarvik
