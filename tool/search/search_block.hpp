// The read buffer of the file searches, and a reader that hands out bytes read ahead first.
#pragma once

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "byte_reader.hpp"

namespace tarvik {

// Hands out bytes already read before the rest of the file.
class PrefixedReader final : public ByteReader {
  public:
    PrefixedReader(std::span<const char> prefix, ByteReader& rest) : prefix_(prefix), rest_(rest) {}
    std::size_t Read(std::span<char> buffer) override {
        if (prefix_.empty()) return rest_.Read(buffer);
        const std::size_t n = std::min(buffer.size(), prefix_.size());
        std::memcpy(buffer.data(), prefix_.data(), n);
        prefix_ = prefix_.subspan(n);
        return n;
    }

  private:
    std::span<const char> prefix_;
    ByteReader& rest_;
};

// The read buffer: whole blocks appended behind the bytes still needed.
class Block {
  public:
    Block(ByteReader& reader, std::size_t size) : reader_(reader), bytes_(size) {}

    const char* data() const { return bytes_.data(); }
    std::size_t size() const { return size_; }
    bool AtEnd() const { return atEnd_; }

    // Drops the bytes before `keep`, moving the rest to the front, then reads until the buffer is
    // full or the file ends. A buffer full of kept bytes doubles.
    void Refill(std::size_t keep) {
        std::memmove(bytes_.data(), bytes_.data() + keep, size_ - keep);
        size_ -= keep;
        if (size_ == bytes_.size()) bytes_.resize(bytes_.size() * 2);
        while (size_ < bytes_.size()) {
            const std::size_t got =
                reader_.Read(std::span<char>(bytes_.data() + size_, bytes_.size() - size_));
            if (got == 0) {
                atEnd_ = true;
                break;
            }
            size_ += got;
        }
    }

  private:
    ByteReader& reader_;
    std::vector<char> bytes_;
    std::size_t size_ = 0;
    bool atEnd_ = false;
};

}  // namespace tarvik
