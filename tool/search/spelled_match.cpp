// A match is checked character by character: as no spelling of a character begins another, at
// most one of them fits at each step, so the check never branches and costs at most a few byte
// compares per character, made as one compare of a loaded word.
#include "spelled_match.hpp"

#include <algorithm>
#include <array>
#include <cstring>

namespace tarvik {
namespace {

// The first `count` bytes at p (at most four) as a word loaded from memory, the others zero.
std::uint32_t Word(const char* p, std::size_t count) {
    std::uint32_t word = 0;
    if (count == 4) {
        std::memcpy(&word, p, 4);  // a single load
    } else {
        for (std::size_t i = 0; i < count; ++i)
            std::memcpy(reinterpret_cast<char*>(&word) + i, p + i, 1);
    }
    return word;
}

// A word whose first `count` bytes in memory are all ones.
std::uint32_t Mask(std::size_t count) {
    const std::array<unsigned char, 4> ones{0xFF, 0xFF, 0xFF, 0xFF};
    return Word(reinterpret_cast<const char*>(ones.data()), count);
}

}  // namespace

std::optional<SpelledMatch> SpelledMatch::From(const std::vector<std::vector<std::string>>& chars) {
    SpelledMatch match;
    for (std::vector<std::string> spellings : chars) {
        std::sort(spellings.begin(), spellings.end());
        spellings.erase(std::unique(spellings.begin(), spellings.end()), spellings.end());
        if (spellings.empty()) return std::nullopt;
        // Sorted, a spelling that begins others comes right before one of them.
        for (std::size_t i = 1; i < spellings.size(); ++i) {
            if (spellings[i].starts_with(spellings[i - 1])) return std::nullopt;
        }
        match.chars_.push_back({static_cast<std::uint32_t>(match.spellings_.size()),
                                static_cast<std::uint32_t>(spellings.size())});
        for (const std::string& s : spellings) {
            if (s.empty() || s.size() > kMaxSpellingBytes) return std::nullopt;
            match.spellings_.push_back(
                {Word(s.data(), s.size()), Mask(s.size()), static_cast<std::uint32_t>(s.size())});
        }
    }
    return match;
}

bool SpelledMatch::MayStartAt(const char* p, const char* end) const {
    for (const Character& c : chars_) {
        const auto left = static_cast<std::size_t>(end - p);
        const std::size_t known = std::min(left, kMaxSpellingBytes);
        const std::uint32_t word = Word(p, known);
        const std::uint32_t knownMask = Mask(known);
        const Spelling* fitting = nullptr;
        for (std::uint32_t i = c.first; i != c.first + c.count; ++i) {
            const Spelling& s = spellings_[i];
            if ((word & s.mask & knownMask) != (s.bytes & knownMask)) continue;
            if (s.size > left) return true;
            fitting = &s;
            break;
        }
        if (fitting == nullptr) return false;
        p += fitting->size;
    }
    return true;
}

}  // namespace tarvik
