// The block search, one loop for any unit: scan the buffer for the pattern, check a hit where it
// lies, find its line, decode the line or keep it for the next read, refill. `Units` says how the
// file's units read (bytes, or UTF-16 code units in one byte order):
//   kBytes                       bytes of a unit
//   kStreamsLongLines            whether a line too long to keep is searched here as a stream
//   IsLineEndAt(p)               whether the unit at p ends a line
//   FirstLineEnd(begin, end)     the first line end in [begin, end), or end
//   AfterLastLineEnd(begin, end) just after the last line end in [begin, end), or begin
//   CheckValid(p, end, limit, atEnd)  checks the units [p, end) ahead of decoding; where it ended
//   CheckFileEnd(size)           checks the buffer's size when it ends the file
//   Decode(begin, end)           the line [begin, end)
//   SearchOn(at)                 without kStreamsLongLines: the search from the long line at `at`
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>

#include "block_cursor.hpp"
#include "find.hpp"
#include "legacy_code_page.hpp"
#include "line_pattern.hpp"
#include "long_line.hpp"
#include "search_block.hpp"
#include "sourced_text.hpp"
#include "text.hpp"

namespace tarvik {

// What the search looks for, how much of a line it keeps, and whether the run needs only to know
// that the kept part holds a match.
struct LineQuery {
    TextView compare;
    CompareMode mode;
    const LegacyCodePage& legacy;
    std::size_t keptChars;
    bool presence;
};

template <typename Units>
class BlockLoop {
  public:
    // Searches from `start`, a line's start in `block`, for lines holding `pattern` (without one,
    // every line is decoded).
    BlockLoop(Block& block, const Units& units, const LineQuery& query, LinePattern* pattern,
              std::size_t start)
        : block_(block),
          units_(units),
          query_(query),
          pattern_(pattern),
          kept_(query.keptChars + query.compare.size()),
          reach_(pattern ? pattern->Width() - 1 : 0),
          headBytes_(kMaxCharBytes * kept_),
          matchBytes_(pattern ? pattern->matchBytes : kMaxCharBytes * query.compare.size()),
          // Without a pattern every place of a long line is a candidate: stretches this long keep
          // its decoding cheap.
          minStretch_(std::max(2 * matchBytes_, pattern ? 0 : std::size_t{64 * 1024})) {
        at_.StartLine(start);
    }

    std::optional<SourcedText> Run() {
        for (;;) {
            if (!longLine_) {
                if (SearchLines()) return std::move(found_);
                if (block_.size() - at_.lineStart > headBytes_) {
                    if constexpr (!Units::kStreamsLongLines) {
                        return units_.SearchOn(at_.lineStart);
                    } else {
                        StartLongLine();
                    }
                }
            }
            std::size_t keep = at_.lineStart;
            if constexpr (Units::kStreamsLongLines) {
                if (longLine_ && StreamLongLine(keep)) {
                    if (found_) return std::move(found_);
                    continue;
                }
            }
            Refill(keep);
        }
    }

  private:
    const char* Data() const { return block_.data(); }
    // The end of the whole units read.
    const char* End() const { return Data() + block_.size() - block_.size() % Units::kBytes; }
    std::size_t At(const char* p) const { return static_cast<std::size_t>(p - Data()); }

    // The next place a match may hold: a hit of the pattern, or without one any unit of a line.
    const char* Candidate(const char* from, const char* to) const {
        if (pattern_) return FindCandidate(*pattern_, from, to);
        while (from != to && units_.IsLineEndAt(from)) from += Units::kBytes;
        return from != to ? from : nullptr;
    }

    // Searches the lines in the buffer from the cursor. True when the search is over, with the
    // line in found_ or none in the file; else the cursor's line goes on in the next read.
    bool SearchLines() {
        const char* const data = Data();
        const char* const end = End();
        for (;;) {
            const char* const hit = Candidate(data + at_.scan, end);
            if (hit == nullptr) break;
            // Most hits are ruled out where they lie, without finding their line.
            const HitCheck check = pattern_ ? CheckHit(*pattern_, hit, data + at_.lineStart, end)
                                            : HitCheck::Unchecked;
            if (check == HitCheck::RuledOut) {
                at_.scan = At(hit) + 1;
                continue;
            }
            const char* const unit = hit - (At(hit) - at_.lineStart) % Units::kBytes;
            const char* from = std::min(data + std::max(at_.lineStart, at_.noLineEnd), unit);
            const char* begin = units_.AfterLastLineEnd(from, unit);
            if (begin == from) begin = data + at_.lineStart;
            const char* const stop = units_.FirstLineEnd(unit, end);
            if (stop == end && !block_.AtEnd()) {
                // The line goes on in the next read: keep all of it.
                at_.lineStart = At(begin);
                at_.scan = At(hit);
                return EndOfBuffer();
            }
            if (LineMatches(check, begin, stop)) return true;
            at_.StartLine(At(std::min(stop + Units::kBytes, end)));
        }
        const char* const from = data + std::max(at_.lineStart, at_.noLineEnd);
        const char* const after = units_.AfterLastLineEnd(from, end);
        if (after != from) at_.lineStart = At(after);
        at_.scan = std::max({at_.scan, at_.lineStart, At(end) - std::min(At(end), reach_)});
        return EndOfBuffer();
    }

    // Checks the units read so far; true at the end of the file.
    bool EndOfBuffer() {
        at_.valid = At(units_.CheckValid(Data() + at_.valid, End(), End(), block_.AtEnd()));
        if (!block_.AtEnd()) return false;
        units_.CheckFileEnd(block_.size());
        return true;
    }

    // Whether the line [begin, stop) that holds a hit matches, leaving it in found_ if so.
    bool LineMatches(HitCheck check, const char* begin, const char* stop) {
        at_.valid = At(units_.CheckValid(Data() + at_.valid, stop, End(), block_.AtEnd()));
        if (stop == End()) units_.CheckFileEnd(block_.size());
        // A hit that held up where it lies is as good as any check of its line.
        if (pattern_ && check != HitCheck::MayMatch && !HoldsEveryPart(*pattern_, begin, stop))
            return false;
        found_ = CutMatchingLine(units_.Decode(begin, stop), query_.compare, query_.mode, kept_);
        return found_.has_value();
    }

    void StartLongLine() {
        longLine_.emplace(query_.compare, query_.mode, query_.legacy, kept_, query_.presence,
                          std::string(Data() + at_.lineStart, headBytes_));
        at_.ruledOut = at_.lineStart;
        at_.taken = at_.lineStart + headBytes_;
    }

    // Hands the long line what the buffer holds of it and searches around its candidates. True
    // when the line ended or the rest of it can change nothing, with found_ set if it is the one;
    // else `keep` is what the next read must keep.
    bool StreamLongLine(std::size_t& keep) {
        const char* const end = End();
        const char* const lineEnd = longLine_->Take(Data() + at_.taken, end);
        at_.taken = At(lineEnd);
        const bool ends = lineEnd != end || block_.AtEnd();
        while (!longLine_->Decided() && SearchStretch(ends)) {
        }
        if (ends || longLine_->Settled()) {
            found_ = longLine_->Finish();
            longLine_.reset();
            at_.StartLine(at_.taken);
            return true;
        }
        keep = longLine_->Decided()
                   ? at_.taken
                   : std::max(at_.ruledOut, at_.scan - std::min(at_.scan, matchBytes_));
        return false;
    }

    // Searches the stretch of the long line around its next candidate; false when that needs
    // more of the line than the buffer holds (or there is none).
    bool SearchStretch(bool ends) {
        const char* const hit = Candidate(Data() + at_.scan, Data() + at_.taken);
        if (hit == nullptr) {
            at_.scan = std::max(at_.scan, at_.taken - std::min(at_.taken - at_.ruledOut, reach_));
            return false;
        }
        // Every match holding the hit lies in [hit - matchBytes, hit + matchBytes).
        const std::size_t at = At(hit);
        const std::size_t from = std::max(at_.ruledOut, at - std::min(at, matchBytes_));
        std::size_t to = std::max(at + matchBytes_, from + minStretch_);
        if (to > at_.taken) {
            if (!ends) {
                at_.scan = at;
                return false;
            }
            to = at_.taken;
        }
        longLine_->Search(Data() + from, Data() + to);
        // Matches starting up to to - matchBytes lie wholly in the stretch, and all of them when
        // it runs to the line's end.
        at_.ruledOut = at_.scan = ends && to == at_.taken
                                      ? at_.taken
                                      : std::max(at + 1, to - std::min(to, matchBytes_) + 1);
        return true;
    }

    void Refill(std::size_t keep) {
        at_.noLineEnd = At(End());
        block_.Refill(keep);
        if (pattern_) ForgetSearchedBytes(*pattern_);
        at_.Drop(keep);
    }

    Block& block_;
    const Units& units_;
    const LineQuery& query_;
    LinePattern* pattern_;
    const std::size_t kept_, reach_, headBytes_, matchBytes_, minStretch_;
    BlockCursor at_;
    std::optional<LongLine> longLine_;
    std::optional<SourcedText> found_;
};

}  // namespace tarvik
