// Reads a text file line by line: detects the encoding from its byte order mark, splits lines at
// CR LF, LF or a lone CR, and never includes the mark or a line end in a line.
#pragma once

#include <string>
#include <vector>

#include "byte_order_mark.hpp"
#include "byte_reader.hpp"
#include "legacy_code_page.hpp"
#include "sourced_text.hpp"

namespace tarvik {

class LineReader {
  public:
    // A UTF-16 line longer than `maxChars` characters comes in pieces of at most that many; lines
    // of byte-encoded files come whole (the block search of a file reads long ones as a stream).
    LineReader(ByteReader& reader, const LegacyCodePage& legacy, std::size_t maxChars = Text::npos);

    // The next line or piece of a line, or false at the end of the file. Throws GeneralFailure on
    // a UTF-16 file that is not valid UTF-16.
    bool Next(SourcedText& line);
    // True when the line read last goes on in the next piece.
    bool LineGoesOn() const { return goesOn_; }

  private:
    bool Fill();
    bool HasUnit();
    bool PeekUnit(char32_t& unit);
    bool NextUnit(char32_t& unit);
    bool NextBytesLine(std::string& bytes);
    void TakePlainUnits(Text& chars);
    bool NextUtf16Line(Text& chars);

    ByteReader& reader_;
    const LegacyCodePage& legacy_;
    std::size_t maxChars_;
    bool goesOn_ = false;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool started_ = false;
    FileEncoding encoding_ = FileEncoding::Bytes;
};

// A line of a byte-encoded file: valid UTF-8 reads as UTF-8, anything else in the legacy code page.
SourcedText DecodeBytesLine(std::string bytes, const LegacyCodePage& legacy);

}  // namespace tarvik
