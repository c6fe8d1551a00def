// The search looks for the rarest place of the pattern with memchr, which the C library
// vectorises, and checks the other places around each hit. Each hit costs a memchr call, so when
// the bytes of that place prove common in the data the search takes the next rarest place, for
// the rest of the file. When all of them are common it keeps the least common one, and if even
// that hits too often it skips instead: a Horspool loop that steps by up to the pattern size.
#include "byte_search.hpp"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>
#include <string_view>

namespace tarvik {
namespace {

// Printable ASCII from the most to the least common in logs and prose; bytes not listed (other
// control bytes and bytes of 0x80 and above) count as rarer than all of them.
constexpr std::string_view kCommonFirst =
    " etaoinsrhldcum0123456789fpgwybv.-:,=/"
    "_kTESAINORLDCUMPFGHBWYV\"'()[]\t+;#*<>jxqzKJXQZ?!&%@$|\\{}~^`";

constexpr std::array<unsigned char, 256> MakeCommonness() {
    std::array<unsigned char, 256> table{};
    for (std::size_t b = 0x80; b < 256; ++b) table[b] = 2;
    for (std::size_t i = 0; i < kCommonFirst.size(); ++i) {
        table[static_cast<unsigned char>(kCommonFirst[i])] =
            static_cast<unsigned char>(3 + kCommonFirst.size() - i);
    }
    return table;
}

constexpr std::array<unsigned char, 256> kCommonness = MakeCommonness();

// A place proves common with more hits than one per this many bytes scanned, counted from this
// many hits on; the place kept when all are common gives way to skipping at the second bound,
// where a memchr call per hit costs more than skipping does. Skipping is only worth it for
// patterns this long.
constexpr std::size_t kBytesPerHit = 256;
constexpr std::size_t kBytesPerHitForSkipping = 32;
constexpr std::size_t kHitsBeforeSwitching = 16;
constexpr std::size_t kMinSizeForSkipping = 4;

}  // namespace

unsigned ByteCommonness(const ByteSet& set) {
    unsigned sum = 0;
    for (std::size_t b = 0; b < 256; ++b) {
        if (set[b]) sum += 1u + kCommonness[b];
    }
    return sum;
}

BytePattern::BytePattern(std::vector<ByteSet> sets) : sets_(std::move(sets)) {
    assert(!sets_.empty() && sets_.size() <= kMaxSize);
    anchorBytes_.resize(sets_.size());
    for (std::size_t j = 0; j < sets_.size(); ++j) {
        if (sets_[j].count() > kMaxAnchorBytes) continue;
        anchors_.push_back(j);
        for (std::size_t b = 0; b < 256; ++b) {
            if (sets_[j][b]) anchorBytes_[j].push_back(static_cast<unsigned char>(b));
        }
    }
    assert(!anchors_.empty());
    bytesPerHit_.resize(anchors_.size());
    std::stable_sort(anchors_.begin(), anchors_.end(), [this](std::size_t a, std::size_t b) {
        return ByteCommonness(sets_[a]) < ByteCommonness(sets_[b]);
    });
    const std::size_t last = sets_.size() - 1;
    skip_.fill(static_cast<unsigned char>(sets_.size()));
    for (std::size_t j = 0; j < last; ++j) {
        for (std::size_t b = 0; b < 256; ++b) {
            if (sets_[j][b]) skip_[b] = static_cast<unsigned char>(last - j);
        }
    }
}

bool BytePattern::MatchesAt(const char* p) const {
    for (std::size_t j = 0; j < sets_.size(); ++j) {
        if (!sets_[j][static_cast<unsigned char>(p[j])]) return false;
    }
    return true;
}

const char* BytePattern::Find(const char* begin, const char* end) {
    while (!skipping_) {
        const char* resume = nullptr;
        const char* found = FindByAnchor(begin, end, resume);
        if (resume == nullptr) return found;
        begin = resume;
        GiveUpAnchor();
    }
    return FindBySkipping(begin, end);
}

void BytePattern::GiveUpAnchor() {
    if (settled_) {
        skipping_ = true;
    } else if (++current_ == anchors_.size()) {
        settled_ = true;
        current_ = static_cast<std::size_t>(
            std::max_element(bytesPerHit_.begin(), bytesPerHit_.end()) - bytesPerHit_.begin());
    }
}

const char* BytePattern::FindByAnchor(const char* begin, const char* end, const char*& resume) {
    const std::size_t place = anchors_[current_];
    const std::size_t width = sets_.size();
    if (static_cast<std::size_t>(end - begin) < width) return nullptr;
    // Anchor bytes can only start occurrences in [first, last).
    const char* const first = begin + place;
    const char* const last = end - (width - 1 - place);
    const auto scan = [last](const char* from, unsigned char byte) {
        const void* hit = std::memchr(from, byte, static_cast<std::size_t>(last - from));
        return hit != nullptr ? static_cast<const char*>(hit) : last;
    };
    // The next occurrence of each anchor byte, as far as still known from the last call; the
    // earliest of them is the next candidate.
    const bool known = nextEnd_ == last && nextPlace_ == place;
    const std::vector<unsigned char>& bytes = anchorBytes_[place];
    const std::size_t count = bytes.size();
    for (std::size_t k = 0; k < count; ++k) {
        if (!known || nextFrom_[k] > first || next_[k] < first) {
            nextFrom_[k] = first;
            next_[k] = scan(first, bytes[k]);
        }
    }
    nextEnd_ = last, nextPlace_ = place;
    const bool canGiveUp = !settled_ || width >= kMinSizeForSkipping;
    const std::size_t bound = settled_ ? kBytesPerHitForSkipping : kBytesPerHit;
    for (std::size_t hits = 1;; ++hits) {
        const char* hit =
            *std::min_element(next_.begin(), next_.begin() + static_cast<std::ptrdiff_t>(count));
        if (hit == last) return nullptr;
        if (MatchesAt(hit - place)) return hit - place;
        const auto scanned = static_cast<std::size_t>(hit - first);
        if (canGiveUp && hits >= kHitsBeforeSwitching && hits * bound > scanned) {
            bytesPerHit_[current_] = scanned / hits;
            resume = hit - place + 1;
            return nullptr;
        }
        for (std::size_t k = 0; k < count; ++k) {
            if (next_[k] == hit) nextFrom_[k] = hit + 1, next_[k] = scan(hit + 1, bytes[k]);
        }
    }
}

const char* BytePattern::FindBySkipping(const char* begin, const char* end) const {
    const std::size_t width = sets_.size();
    if (static_cast<std::size_t>(end - begin) < width) return nullptr;
    const ByteSet& lastSet = sets_[width - 1];
    for (const char* p = begin; p <= end - width;
         p += skip_[static_cast<unsigned char>(p[width - 1])]) {
        if (lastSet[static_cast<unsigned char>(p[width - 1])] && MatchesAt(p)) return p;
    }
    return nullptr;
}

}  // namespace tarvik
