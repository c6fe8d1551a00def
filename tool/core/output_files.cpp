// Encoding of written files, one encoding per line: the whole line in the legacy (ANSI) code page
// when the encoding can write all of it there exactly, else all of it in UTF-8. A value keeps the
// bytes it had in its file when the line is in the encoding they came in.
#include "output_files.hpp"

#include <algorithm>

#include "batch_escape.hpp"
#include "general_failure.hpp"

namespace tarvik {
namespace {

// cmd may take the byte after a lead byte as its trail byte whatever it is, so a lead byte that
// formed no character could swallow the next byte: a caret, a quote, "=" or the first byte of the
// next character, leaving its trail byte bare. Such bytes come from a legacy line's broken
// character, or from typed text carrying undecodable bytes (U+DC80..U+DCFF), which is written as
// those bytes.
bool IsLoneLeadByte(const LegacyCodePage& page, char32_t c) {
    return c >= kEscapedByteBase + 0x80 && c <= kEscapedByteBase + 0xFF &&
           page.IsLeadByte(static_cast<unsigned char>(c - kEscapedByteBase));
}

void RequireWholeCharacters(TextEncoding& encoding, const Text& name, const SourcedText& value) {
    const LegacyCodePage& page = encoding.LegacyCharacters();
    const auto lone = [&page](char32_t c) { return IsLoneLeadByte(page, c); };
    bool broken = std::any_of(name.begin(), name.end(), lone);
    if (value.source == TextSource::FileLegacy) {
        std::size_t byte = 0;
        for (const std::uint8_t width : value.legacyWidths) {
            broken =
                broken || (width == 1 &&
                           page.IsLeadByte(static_cast<unsigned char>(value.legacyBytes[byte])));
            byte += width;
        }
    } else {
        broken = broken || std::any_of(value.chars.begin(), value.chars.end(), lone);
    }
    if (broken) throw GeneralFailure("name or value holds a broken double-byte character");
}

std::string LineBytes(TextEncoding& encoding, const BatchLine& line) {
    if (line.value.source != TextSource::FileLegacy) {
        // A UTF-8 value re-encodes to its own bytes when the line is UTF-8.
        return encoding.EncodeText(line.head + line.value.chars).bytes;
    }
    const EncodedText head = encoding.EncodeText(line.head);
    if (head.inLegacyCodePage) return head.bytes + line.value.legacyBytes;
    // Escaped bytes stay the bytes they stand for.
    return EncodeUtf8Lossless(line.head + line.value.chars);
}

}  // namespace

std::string ResultFileBytes(TextEncoding& encoding, const Text& name, const SourcedText& value) {
    std::string bytes;
    const std::vector<BatchLine> lines = SetVariableLines(name, value);
    RequireWholeCharacters(encoding, name, value);
    for (const BatchLine& line : lines) {
        const std::string encoded = LineBytes(encoding, line);
        if (encoded.size() > kMaxBatchLineLength) {
            throw GeneralFailure("result line too long for a batch file");
        }
        bytes += encoded + "\r\n";
    }
    return bytes;
}

std::string ReportFileBytes(TextEncoding& encoding, const std::vector<Text>& lines) {
    std::string bytes;
    for (const Text& line : lines) bytes += encoding.EncodeText(line).bytes + "\r\n";
    return bytes;
}

}  // namespace tarvik
