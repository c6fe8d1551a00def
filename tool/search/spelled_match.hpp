// The compare string as bytes in one kind of line (UTF-8 or the legacy code page): for each of
// its characters, the byte strings a match of that character can be. It tells whether a match
// starts at a byte without decoding the line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvik {

class SpelledMatch {
  public:
    // Spellings of a character are at most this long (UTF-8 takes four bytes).
    static constexpr std::size_t kMaxSpellingBytes = 4;

    // Nothing when a character has no spelling, or one spelling of a character begins another:
    // then the check would have to branch.
    static std::optional<SpelledMatch> From(const std::vector<std::vector<std::string>>& chars);

    // False when no match starts at p. The bytes from `end` on are not known yet: a match that
    // holds so far up to there counts as possible.
    bool MayStartAt(const char* p, const char* end) const;

  private:
    // The bytes as a word loaded from memory, a mask of their places in it, and their count.
    struct Spelling {
        std::uint32_t bytes = 0, mask = 0;
        std::uint32_t size = 0;
    };
    // Per character: its spellings are spellings_[first, first + count).
    struct Character {
        std::uint32_t first = 0, count = 0;
    };

    std::vector<Character> chars_;
    std::vector<Spelling> spellings_;
};

}  // namespace tarvik
