// The search looks for the rarest place of the pattern with a vectorised byte scan and checks the
// other places around each hit. Each hit costs a scan call, so when the bytes of that place prove
// common in the data the search takes the next rarest place, for the rest of the file. When all
// of them are common it filters instead: vector compares of two places at once, those that proved
// rarest, with a full check only where both hold one of their bytes.
#include "byte_search.hpp"

#include <algorithm>
#include <array>
#include <cassert>
#include <string_view>

namespace tarvik {
namespace {

// Printable ASCII from the most to the least common in logs and prose; bytes not listed (other
// control bytes and bytes of 0x80 and above) count as rarer than all of them, NUL aside.
constexpr std::string_view kCommonFirst =
    " etaoinsrhldcum0123456789fpgwybv.-:,=/"
    "_kTESAINORLDCUMPFGHBWYV\"'()[]\t+;#*<>jxqzKJXQZ?!&%@$|\\{}~^`";

constexpr std::array<unsigned char, 256> MakeCommonness() {
    std::array<unsigned char, 256> table{};
    for (std::size_t b = 0x80; b < 256; ++b) table[b] = 2;
    // A compare string never holds NUL, so a pattern holds it only as a byte of UTF-16 text, which
    // has it in every other byte.
    table[0] = static_cast<unsigned char>(4 + kCommonFirst.size());
    for (std::size_t i = 0; i < kCommonFirst.size(); ++i) {
        table[static_cast<unsigned char>(kCommonFirst[i])] =
            static_cast<unsigned char>(3 + kCommonFirst.size() - i);
    }
    return table;
}

constexpr std::array<unsigned char, 256> kCommonness = MakeCommonness();

// A place proves common with more hits than one per this many bytes scanned, counted from this
// many hits on: there a scan call per hit costs more than filtering does.
constexpr std::size_t kBytesPerHit = 256;
constexpr std::size_t kHitsBeforeSwitching = 16;

// Bytes ahead in which the filter's second place is chosen, and the fewest that tell anything.
constexpr std::size_t kSampleBytes = 64 * 1024;
constexpr std::size_t kMinSampleBytes = 4 * 1024;

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
}

bool BytePattern::MatchesAt(const char* p) const {
    for (std::size_t j = 0; j < sets_.size(); ++j) {
        if (!sets_[j][static_cast<unsigned char>(p[j])]) return false;
    }
    return true;
}

const char* BytePattern::Find(const char* begin, const char* end) {
    while (!filtering_) {
        const char* resume = nullptr;
        const char* found = FindByAnchor(begin, end, resume);
        if (resume == nullptr) return found;
        begin = resume;
        GiveUpAnchor(begin, end);
    }
    return FindByFilter(begin, end);
}

void BytePattern::GiveUpAnchor(const char* from, const char* end) {
    if (++current_ < anchors_.size()) return;
    // The place with the fewest hits, and with it the place that hits together with it least
    // often in the data ahead: places hit alike one by one can hit together at every occurrence
    // (`q` and `_` in `request_id`) or almost never. Without enough data ahead, the place with the
    // next fewest hits of another set.
    std::vector<std::size_t> order(anchors_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return bytesPerHit_[a] > bytesPerHit_[b];
    });
    const std::size_t first = anchors_[order[0]];
    std::size_t second = first;
    for (const std::size_t i : order) {
        if (sets_[anchors_[i]] != sets_[first]) {
            second = anchors_[i];
            break;
        }
    }
    const std::size_t width = sets_.size();
    const std::size_t sample =
        std::min(static_cast<std::size_t>(std::max<std::ptrdiff_t>(end - from, 0)), kSampleBytes);
    if (second != first && sample >= kMinSampleBytes + width) {
        std::vector<std::size_t> together(width);
        for (const char* p = from; p + width <= from + sample; ++p) {
            if (!sets_[first][static_cast<unsigned char>(p[first])]) continue;
            for (std::size_t j = 0; j < width; ++j)
                together[j] += sets_[j][static_cast<unsigned char>(p[j])];
        }
        for (const std::size_t i : order) {
            const std::size_t j = anchors_[i];
            if (sets_[j] != sets_[first] && together[j] < together[second]) second = j;
        }
    }
    const auto place = [this](std::size_t j) {
        PlaceBytes bytes;
        bytes.offset = j;
        const std::vector<unsigned char>& list = anchorBytes_[j];
        for (std::size_t i = 0; i < bytes.bytes.size(); ++i) bytes.bytes[i] = list[i % list.size()];
        return bytes;
    };
    first_ = place(first), second_ = place(second);
    filtering_ = true;
}

const char* BytePattern::FindByAnchor(const char* begin, const char* end, const char*& resume) {
    const std::size_t place = anchors_[current_];
    const std::size_t width = sets_.size();
    if (static_cast<std::size_t>(end - begin) < width) return nullptr;
    // Anchor bytes can only start occurrences in [first, last).
    const char* const first = begin + place;
    const char* const last = end - (width - 1 - place);
    // The next occurrence of each anchor byte, as far as still known from the last call; the
    // earliest of them is the next candidate.
    const bool known = nextEnd_ == last && nextPlace_ == place;
    const std::vector<unsigned char>& bytes = anchorBytes_[place];
    const std::size_t count = bytes.size();
    for (std::size_t k = 0; k < count; ++k) {
        if (!known || nextFrom_[k] > first || next_[k] < first) {
            nextFrom_[k] = first;
            next_[k] = FindByte(first, last, bytes[k]);
        }
    }
    nextEnd_ = last, nextPlace_ = place;
    // Hits and bytes scanned are counted over calls, as a line's check may end each call early.
    for (;;) {
        const char* hit =
            *std::min_element(next_.begin(), next_.begin() + static_cast<std::ptrdiff_t>(count));
        if (hit == last) {
            scanned_ += static_cast<std::size_t>(last - first);
            return nullptr;
        }
        ++hits_;
        if (MatchesAt(hit - place)) {
            scanned_ += static_cast<std::size_t>(hit - first);
            return hit - place;
        }
        const std::size_t scanned = scanned_ + static_cast<std::size_t>(hit - first);
        if (hits_ >= kHitsBeforeSwitching && hits_ * kBytesPerHit > scanned) {
            bytesPerHit_[current_] = scanned / hits_;
            hits_ = scanned_ = 0;
            resume = hit - place + 1;
            return nullptr;
        }
        for (std::size_t k = 0; k < count; ++k) {
            if (next_[k] == hit)
                nextFrom_[k] = hit + 1, next_[k] = FindByte(hit + 1, last, bytes[k]);
        }
    }
}

const char* BytePattern::FindByFilter(const char* begin, const char* end) const {
    const std::size_t width = sets_.size();
    if (static_cast<std::size_t>(end - begin) < width) return nullptr;
    const char* const last = end - width + 1;
    for (const char* p = begin;; ++p) {
        p = FindTwoPlaces(p, last, first_, second_);
        if (p == last) return nullptr;
        if (MatchesAt(p)) return p;
    }
}

}  // namespace tarvik
