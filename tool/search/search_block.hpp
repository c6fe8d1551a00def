// The read buffer of the file searches, and a reader that hands out bytes read ahead first.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <span>

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

// The read buffer: whole blocks appended behind the bytes still needed. Its memory is left as it
// comes: only what is read into it is ever touched, so a short file costs no page of the rest.
class Block {
  public:
    Block(ByteReader& reader, std::size_t size)
        : reader_(reader), bytes_(std::make_unique_for_overwrite<char[]>(size)), capacity_(size) {}

    const char* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }
    bool AtEnd() const { return atEnd_; }

    // Drops the bytes before `keep`, moving the rest to the front, then reads until the buffer is
    // full or the file ends. A buffer full of kept bytes doubles.
    void Refill(std::size_t keep) {
        std::memmove(bytes_.get(), bytes_.get() + keep, size_ - keep);
        size_ -= keep;
        if (size_ == capacity_) {
            auto doubled = std::make_unique_for_overwrite<char[]>(2 * capacity_);
            std::memcpy(doubled.get(), bytes_.get(), size_);
            bytes_ = std::move(doubled);
            capacity_ *= 2;
        }
        while (size_ < capacity_) {
            const std::size_t got =
                reader_.Read(std::span<char>(bytes_.get() + size_, capacity_ - size_));
            if (got == 0) {
                atEnd_ = true;
                break;
            }
            size_ += got;
        }
    }

  private:
    ByteReader& reader_;
    std::unique_ptr<char[]> bytes_;
    std::size_t capacity_;
    std::size_t size_ = 0;
    bool atEnd_ = false;
};

}  // namespace tarvik
