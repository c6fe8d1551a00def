// Choosing the encoding of a result line for its readers.
#include "result_encoding.hpp"

#include "cmd_reading.hpp"
#include "general_failure.hpp"
#include "utf16.hpp"

namespace tarvik {

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

ResultLineEncoder::ResultLineEncoder(TextEncoding& encoding, std::vector<unsigned> readingCodePages)
    : encoding_(encoding), readers_(std::move(readingCodePages)) {
    if (readers_.front() != kUtf8CodePage)
        spellings_.emplace(encoding_.CodePageCharacters(readers_.front()));
}

std::string ResultLineEncoder::Encode(TextView line) const {
    std::string partings;
    const auto safe = [&](std::string_view what, const std::string& bytes) {
        const std::optional<std::string> parts = ReadingThatParts(encoding_, readers_, line, bytes);
        if (parts) partings += (partings.empty() ? "" : "; ") + std::string(what) + ": " + *parts;
        return !parts;
    };
    if (spellings_) {
        std::optional<std::string> exact = spellings_->Spell(line);
        if (exact && safe("in code page " + std::to_string(readers_.front()), *exact))
            return std::move(*exact);
    }
    // Escaped bytes stay the bytes they stand for.
    std::string utf8 = EncodeUtf8Lossless(line);
    if (safe("in UTF-8", utf8)) return utf8;
    throw GeneralFailure("result line has no encoding every reader keeps apart: " + partings);
}

}  // namespace tarvik
