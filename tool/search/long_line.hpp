// A line of a byte-encoded file too long to keep whole. Whether it reads as UTF-8 or in the code
// page is known only at its end, so the stretches where a match may lie are searched both ways as
// they pass, and only the line's first bytes are kept. Reading may stop before the end once both
// readings would give the run the same line.
#pragma once

#include <optional>
#include <string>

#include "find.hpp"
#include "legacy_code_page.hpp"
#include "sourced_text.hpp"

namespace tarvik {

// Whether bytes taken in order, in pieces, are valid UTF-8.
class Utf8Check {
  public:
    // Takes the bytes from `begin` up to the first line end or `end`; returns where it stopped.
    // One scan finds both the line end and the bytes that need checking.
    const char* TakeLine(const char* begin, const char* end);
    bool ValidSoFar() const { return valid_; }
    bool Valid() const { return valid_ && need_ == 0; }

  private:
    bool valid_ = true;
    unsigned need_ = 0;                       // continuation bytes still to come
    unsigned char low_ = 0x80, high_ = 0xBF;  // the range of the next one
};

class LongLine {
  public:
    // `head`: the line's first kMaxCharBytes * keptChars bytes. `presence`: the run needs only to
    // know that the kept characters hold a match.
    LongLine(TextView compare, CompareMode mode, const LegacyCodePage& legacy,
             std::size_t keptChars, bool presence, std::string head);

    // Takes the line's bytes after the head, in order, up to its end or `end`; returns where it
    // stopped: at its line end, or at `end` when the line goes on.
    const char* Take(const char* begin, const char* end) { return utf8_.TakeLine(begin, end); }
    // Looks for a match lying wholly in [begin, end), a stretch of the line, in both readings.
    void Search(const char* begin, const char* end);
    // True once searching can tell no more: every reading that may still apply holds a match.
    bool Decided() const { return inLegacy_ && (inUtf8_ || !utf8_.ValidSoFar()); }
    // True once the rest of the line can change nothing the run takes from it: it is Decided, and
    // the readings that may still apply cut it to the same characters or, for a presence test,
    // agree on whether the kept characters hold a match.
    bool Settled();
    // At the line's end, or once Settled: the line cut to its kept characters if they hold a match
    // (for a presence test, as few of them as hold it), nothing if the line holds none; throws
    // GeneralFailure when its first match lies beyond them. A line settled before its end takes
    // the reading of the bytes so far.
    std::optional<SourcedText> Finish();

  private:
    // The line's first `bytes` bytes of the head as UTF-8 or in the code page, without a
    // character that the end of fewer bytes than the head may cut.
    SourcedText Read(bool utf8, std::size_t bytes) const;
    // The head in one reading, cut to the kept characters.
    SourcedText Cut(bool utf8) const;
    bool Holds(const SourcedText& line) const;
    // A presence test: whether as many bytes as characters are kept (all kept whole, whatever the
    // reading) hold a match in both readings, or else the cut lines agree on holding one.
    bool AgreeOnPresence() const;

    TextView compare_;
    CompareMode mode_;
    const LegacyCodePage& legacy_;
    std::size_t keptChars_;
    bool presence_;
    std::string head_;
    Utf8Check utf8_;
    bool inUtf8_ = false;
    bool inLegacy_ = false;
    std::optional<bool> readingsAgree_;  // once Decided while the line may be UTF-8
};

// The line, cut to `keptChars` characters, if it holds a match there; nothing if it holds none.
// Throws GeneralFailure when its first match does not lie wholly in the kept part.
std::optional<SourcedText> CutMatchingLine(const SourcedText& line, TextView compare,
                                           CompareMode mode, std::size_t keptChars);

}  // namespace tarvik
