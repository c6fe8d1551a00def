// The byte scans the file search spends its time in, with SSE2 or AVX2 where the processor has
// them: the first place of a byte, of either of two bytes, of a byte that is not ASCII (or either
// of two bytes) or that can start a UTF-16 surrogate, and the first place where up to three places
// of a pattern all pass their tests. Each has a portable path.
#pragma once

#include <array>
#include <cstddef>

namespace tarvik {

// A test of one place of a pattern: the byte at `offset` passes when, with the bits of `mask` set,
// it equals `value`. One OR and one compare take a letter in both cases (`q` and `Q` differ in
// 0x20 only), or any set of bytes that differ in the mask's bits alone.
struct PlaceTest {
    std::size_t offset = 0;
    unsigned char mask = 0;
    unsigned char value = 0;

    bool Passes(unsigned char byte) const { return (byte | mask) == value; }
};

// The places a scan tests together, one to three of them.
struct PlaceFilter {
    static constexpr std::size_t kMaxPlaces = 3;
    std::array<PlaceTest, kMaxPlaces> places{};
    std::size_t count = 0;
};

// The first `byte` in [begin, end), or end.
const char* FindByte(const char* begin, const char* end, unsigned char byte);

// The first byte in [begin, end) that is `a` or `b`, or end.
const char* FindEitherByte(const char* begin, const char* end, unsigned char a, unsigned char b);

// The first byte of 0x80 or above in [begin, end), or end.
const char* FindNonAscii(const char* begin, const char* end);

// The first byte in [begin, end) that is `a`, `b` or 0x80 and above, or end.
const char* FindEitherByteOrNonAscii(const char* begin, const char* end, unsigned char a,
                                     unsigned char b);

// The first byte in [begin, end) of 0xD8 to 0xDF, a UTF-16 surrogate's high byte, or end.
const char* FindSurrogateByte(const char* begin, const char* end);

// The first p in [begin, last) where every place of `filter` passes its test at p + its offset,
// or last; p + offset must be readable for every such p and place.
const char* FindPlaces(const char* begin, const char* last, const PlaceFilter& filter);

enum class VectorLevel { Portable, Sse2, Avx2 };

// The scans above, as built for one level.
struct ScanKernels {
    const char* (*findByte)(const char*, const char*, unsigned char);
    const char* (*findEitherByte)(const char*, const char*, unsigned char, unsigned char);
    const char* (*findNonAscii)(const char*, const char*);
    const char* (*findEitherByteOrNonAscii)(const char*, const char*, unsigned char, unsigned char);
    const char* (*findSurrogateByte)(const char*, const char*);
    const char* (*findPlaces)(const char*, const char*, const PlaceFilter&);
};

// The highest level the processor and the system support, asked once. A 32-bit x86 build cannot
// take SSE2 for granted; where the build is for no x86 processor this is Portable.
VectorLevel AvailableLevel();

// The scans of one level up to AvailableLevel(); the functions above use those of that level.
const ScanKernels& KernelsFor(VectorLevel level);

}  // namespace tarvik
