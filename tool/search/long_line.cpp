// Stretches are cut to whole UTF-8 characters before decoding, so that a cut character never
// reads as escaped bytes that a compare string typed as such could match.
#include "long_line.hpp"

#include <algorithm>

#include "general_failure.hpp"
#include "line_reader.hpp"
#include "utf16.hpp"
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

const char* Utf8Check::TakeLine(const char* p, const char* end) {
    while (valid_ && p != end) {
        if (need_ == 0) {
            p = FindEitherByteOrNonAscii(p, end, '\n', '\r');
            if (p == end || IsLineEndByte(*p)) return p;
            const auto b = static_cast<unsigned char>(*p++);
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
            // A line end is no continuation byte: it is left for the scan below.
            const auto b = static_cast<unsigned char>(*p);
            valid_ = b >= low_ && b <= high_;
            if (valid_) ++p, --need_, low_ = 0x80, high_ = 0xBF;
        }
    }
    return FindEitherByte(p, end, '\n', '\r');
}

LongLine::LongLine(TextView compare, CompareMode mode, const LegacyCodePage& legacy,
                   std::size_t keptChars, bool presence, std::string head)
    : compare_(compare),
      mode_(mode),
      legacy_(legacy),
      keptChars_(keptChars),
      presence_(presence),
      head_(std::move(head)) {
    utf8_.TakeLine(head_.data(), head_.data() + head_.size());
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

SourcedText LongLine::Read(bool utf8, std::size_t bytes) const {
    const char* const begin = head_.data();
    if (utf8) return DecodeBytesLine(std::string(WholeCharacters(begin, begin + bytes)), legacy_);
    SourcedText line = FromLegacyBytes(std::string_view(begin, bytes), legacy_);
    // The last byte may lead a double-byte character.
    if (bytes < head_.size() && !line.chars.empty()) line.chars.pop_back();
    return line;
}

SourcedText LongLine::Cut(bool utf8) const {
    SourcedText line = Read(utf8, head_.size());
    if (line.chars.size() > keptChars_) line = line.Substr(0, keptChars_);
    return line;
}

bool LongLine::Holds(const SourcedText& line) const {
    return FindText(line.chars, compare_, mode_) != TextView::npos;
}

bool LongLine::AgreeOnPresence() const {
    const std::size_t bytes = std::min(keptChars_, head_.size());
    if (Holds(Read(true, bytes)) && Holds(Read(false, bytes))) return true;
    return Holds(Cut(true)) == Holds(Cut(false));
}

bool LongLine::Settled() {
    if (!Decided()) return false;
    if (!utf8_.ValidSoFar()) return true;
    if (!readingsAgree_)
        readingsAgree_ = presence_ ? AgreeOnPresence() : Cut(true).chars == Cut(false).chars;
    return *readingsAgree_;
}

std::optional<SourcedText> LongLine::Finish() {
    const bool utf8 = utf8_.Valid();
    if (presence_) {
        SourcedText few = Read(utf8, std::min(keptChars_, head_.size()));
        if (Holds(few)) return few;
    }
    SourcedText line = Cut(utf8);
    if (Holds(line)) return line;
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
