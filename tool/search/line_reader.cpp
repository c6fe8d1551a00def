// Streaming line reader over a ByteReader, with a fixed-size buffer.
#include "line_reader.hpp"

#include <algorithm>
#include <cstring>

#include "general_failure.hpp"
#include "utf16.hpp"

namespace tarvik {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

LineReader::LineReader(ByteReader& reader, const LegacyCodePage& legacy, std::size_t maxChars)
    : reader_(reader), legacy_(legacy), maxChars_(maxChars), buffer_(kBufferSize) {}

// Moves unread bytes to the front and reads more; false when nothing is left to read.
bool LineReader::Fill() {
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) return true;
    const std::size_t got =
        reader_.Read(std::span<char>(buffer_.data() + end_, buffer_.size() - end_));
    end_ += got;
    return got > 0;
}

bool LineReader::Next(SourcedText& line) {
    if (!started_) {
        started_ = true;
        while (end_ < 3 && Fill()) {
        }
        const ByteOrderMark mark = DetectByteOrderMark(std::string_view(buffer_.data(), end_));
        begin_ = mark.size;
        encoding_ = mark.encoding;
    }
    if (encoding_ == FileEncoding::Bytes) {
        std::string bytes;
        if (!NextBytesLine(bytes)) return false;
        line = DecodeBytesLine(std::move(bytes), legacy_);
        return true;
    }
    line = SourcedText{};
    return NextUtf16Line(line.chars);
}

bool LineReader::NextBytesLine(std::string& bytes) {
    bytes.clear();
    bool any = false;
    for (;;) {
        if (begin_ == end_ && !Fill()) return any;
        any = true;
        const char* start = buffer_.data() + begin_;
        const char* stop = buffer_.data() + end_;
        const char* eol = std::find_if(start, stop, IsLineEndByte);
        bytes.append(start, eol);
        begin_ += static_cast<std::size_t>(eol - start);
        if (eol == stop) continue;
        ++begin_;
        if (*eol == '\r') {
            if (begin_ == end_) Fill();
            if (begin_ < end_ && buffer_[begin_] == '\n') ++begin_;
        }
        return true;
    }
}

// Reads until a whole UTF-16 code unit is buffered; false when the file ends first.
bool LineReader::HasUnit() {
    while (end_ - begin_ < 2) {
        if (!Fill()) return false;
    }
    return true;
}

// The next UTF-16 code unit without taking it; false at the end. An odd byte at the end is not
// UTF-16.
bool LineReader::PeekUnit(char32_t& unit) {
    if (!HasUnit()) {
        if (begin_ != end_) throw GeneralFailure("UTF-16 file with an odd number of bytes");
        return false;
    }
    unit = ReadUnit(buffer_.data() + begin_, encoding_ == FileEncoding::Utf16LE);
    return true;
}

bool LineReader::NextUnit(char32_t& unit) {
    if (!PeekUnit(unit)) return false;
    begin_ += 2;
    return true;
}

// Appends the units already read that need no care (no line end, no surrogate), up to the cap of
// a piece: the bulk of a line, without a call per unit.
void LineReader::TakePlainUnits(Text& chars) {
    const bool little = encoding_ == FileEncoding::Utf16LE;
    const std::size_t units = std::min((end_ - begin_) / 2, maxChars_ - chars.size());
    std::size_t i = begin_;
    for (const std::size_t stop = begin_ + 2 * units; i != stop; i += 2) {
        const char32_t unit = ReadUnit(buffer_.data() + i, little);
        if (IsLineEnd(unit) || IsSurrogate(unit)) break;
        chars += unit;
    }
    begin_ = i;
}

bool LineReader::NextUtf16Line(Text& chars) {
    chars.clear();
    const bool continuing = goesOn_;
    goesOn_ = false;
    char32_t unit = 0;
    if (!NextUnit(unit)) return continuing;
    for (;;) {
        if (unit == U'\n') return true;
        if (unit == U'\r') {
            char32_t next = 0;
            // Only a LF directly after the CR belongs to this line end; whatever else follows is
            // the next line's, and a stray last byte must not fail a line that is already whole.
            if (HasUnit() && PeekUnit(next) && next == U'\n') begin_ += 2;
            return true;
        }
        if (IsHighSurrogate(unit)) {
            char32_t low = 0;
            if (!NextUnit(low) || !IsLowSurrogate(low))
                throw GeneralFailure("unpaired UTF-16 surrogate");
            unit = FromSurrogatePair(unit, low);
        } else if (IsLowSurrogate(unit)) {
            throw GeneralFailure("unpaired UTF-16 surrogate");
        }
        chars += unit;
        TakePlainUnits(chars);
        if (chars.size() == maxChars_) {
            goesOn_ = true;
            return true;
        }
        if (!NextUnit(unit)) return true;
    }
}

SourcedText DecodeBytesLine(std::string bytes, const LegacyCodePage& legacy) {
    SourcedText line;
    if (DecodeUtf8Strict(bytes, line.chars)) {
        line.source = TextSource::FileUtf8;
        return line;
    }
    return FromLegacyBytes(bytes, legacy);
}

}  // namespace tarvik
