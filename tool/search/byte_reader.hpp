// A source of a file's bytes, read in order: what the line reader and the file search consume.
#pragma once

#include <cstddef>
#include <span>

namespace tarvik {

class ByteReader {
  public:
    virtual ~ByteReader() = default;
    // Fills the front of `buffer`; returns how many bytes were read, 0 only at the end of the file.
    virtual std::size_t Read(std::span<char> buffer) = 0;
};

}  // namespace tarvik
