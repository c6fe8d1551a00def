// Stretches are cut to whole UTF-8 characters before decoding, so that a cut character never
// reads as escaped bytes that a compare string typed as such could match.
#include "long_line.hpp"

#include "general_failure.hpp"
#include "line_reader.hpp"
#include "vector_scan.hpp"

namespace tarvik {
namespace {

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}

std::size_t SequenceLength(char lead) {
    const auto b = static_cast<unsigned char>(lead);
    return b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
}

// [begin, end) without the bytes of characters that start before it or end after it.
std::string_view WholeCharacters(const char* begin, const char* end) {
    for (std::size_t i = 0; i < kMaxCharBytes - 1 && begin != end && IsContinuation(*begin); ++i)
        ++begin;
    const char* lead = end;
    for (std::size_t i = 0; i < kMaxCharBytes - 1 && lead != begin && IsContinuation(lead[-1]); ++i)
        --lead;
    if (lead != begin && SequenceLength(lead[-1]) > static_cast<std::size_t>(end - lead) + 1)
        end = lead - 1;
    return {begin, static_cast<std::size_t>(end - begin)};
}

}  // namespace

void Utf8Check::Take(const char* p, const char* end) {
    while (valid_ && p != end) {
        if (need_ == 0) {
            p = FindNonAscii(p, end);
            if (p == end) break;
            const auto b = static_cast<unsigned char>(*p++);
            if (b < 0x80) continue;
            low_ = 0x80, high_ = 0xBF;
            if (b >= 0xC2 && b <= 0xDF) {
                need_ = 1;
            } else if (b >= 0xE0 && b <= 0xEF) {
                need_ = 2;
                if (b == 0xE0) low_ = 0xA0;   // overlong
                if (b == 0xED) high_ = 0x9F;  // surrogates
            } else if (b >= 0xF0 && b <= 0xF4) {
                need_ = 3;
                if (b == 0xF0) low_ = 0x90;   // overlong
                if (b == 0xF4) high_ = 0x8F;  // beyond U+10FFFF
            } else {
                valid_ = false;
            }
        } else {
            const auto b = static_cast<unsigned char>(*p++);
            valid_ = b >= low_ && b <= high_;
            --need_, low_ = 0x80, high_ = 0xBF;
        }
    }
}

LongLine::LongLine(TextView compare, CompareMode mode, const LegacyCodePage& legacy,
                   std::size_t keptChars, std::string head)
    : compare_(compare),
      mode_(mode),
      legacy_(legacy),
      keptChars_(keptChars),
      head_(std::move(head)) {
    utf8_.Take(head_.data(), head_.data() + head_.size());
}

void LongLine::Search(const char* begin, const char* end) {
    if (!inUtf8_ && utf8_.ValidSoFar()) {
        inUtf8_ = FindText(DecodeUtf8Lossless(WholeCharacters(begin, end)), compare_, mode_) !=
                  TextView::npos;
    }
    if (!inLegacy_) {
        inLegacy_ = FindText(FromLegacyBytes(std::string_view(begin, end), legacy_).chars, compare_,
                             mode_) != TextView::npos;
    }
}

std::optional<SourcedText> LongLine::Finish() {
    const bool utf8 = utf8_.Valid();
    const char* const begin = head_.data();
    SourcedText line =
        utf8 ? DecodeBytesLine(std::string(WholeCharacters(begin, begin + head_.size())), legacy_)
             : FromLegacyBytes(head_, legacy_);
    if (line.chars.size() > keptChars_) line = line.Substr(0, keptChars_);
    if (FindText(line.chars, compare_, mode_) != TextView::npos) return line;
    if (utf8 ? inUtf8_ : inLegacy_)
        throw GeneralFailure("match beyond the kept characters of a line");
    return std::nullopt;
}

std::optional<SourcedText> CutMatchingLine(const SourcedText& line, TextView compare,
                                           CompareMode mode, std::size_t keptChars) {
    const std::size_t found = FindText(line.chars, compare, mode);
    if (found == TextView::npos) return std::nullopt;
    if (found + compare.size() > keptChars) {
        throw GeneralFailure("match beyond the kept characters of a line");
    }
    return line.chars.size() > keptChars ? line.Substr(0, keptChars) : line;
}

}  // namespace tarvik
