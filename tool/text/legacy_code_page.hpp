// The code page of file lines that are neither UTF-8 nor UTF-16, as data: what each byte stands
// for alone and, in a double-byte code page, what a lead byte and its trail byte stand for
// together. The platform fills it from the system's code page; tests fill it by hand.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <string_view>
#include <vector>

#include "text.hpp"

namespace tarvik {

class LegacyCodePage {
  public:
    // A single-byte code page: byte b stands for singles[b].
    explicit LegacyCodePage(const std::array<char32_t, 256>& singles) : singles_(singles) {}

    // Makes `lead` start two-byte characters. Alone it stands for the escaped byte U+DC00 + lead.
    void AddLeadByte(unsigned char lead);
    // Lets `lead` (made a lead byte first) and `trail` stand for `c` together.
    void AddPair(unsigned char lead, unsigned char trail, char32_t c);

    char32_t Single(unsigned char byte) const { return singles_[byte]; }
    bool IsLeadByte(unsigned char byte) const { return leads_[byte]; }
    bool HasLeadBytes() const { return leads_.any(); }
    // The character lead and trail stand for together, or 0 when they are not one.
    char32_t Pair(unsigned char lead, unsigned char trail) const;

    // The character that starts at bytes[pos]; returns how many bytes it takes (1 or 2). A lead
    // byte that forms no character with the next byte stands alone.
    std::size_t Decode(std::string_view bytes, std::size_t pos, char32_t& c) const;

  private:
    std::array<char32_t, 256> singles_;
    std::bitset<256> leads_;
    std::vector<char32_t> pairs_;  // [lead * 256 + trail]; empty in a single-byte code page
};

// Each byte standing for the code point of its value (ISO 8859-1).
const LegacyCodePage& Latin1CodePage();

}  // namespace tarvik
