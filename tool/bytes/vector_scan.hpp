// The byte scans the file search spends its time in, with SSE2 or AVX2 where the processor has
// them: the first place of a byte, of either of two bytes, of a byte that is not ASCII or that can
// start a UTF-16 surrogate, and the first place where two places of a pattern both hold one of
// their bytes. Each has a portable path.
#pragma once

#include <array>
#include <cstddef>

namespace tarvik {

// One place of a pattern: its offset and up to four bytes (repeated to fill the four).
struct PlaceBytes {
    std::size_t offset = 0;
    std::array<unsigned char, 4> bytes{};
};

// The first `byte` in [begin, end), or end.
const char* FindByte(const char* begin, const char* end, unsigned char byte);

// The first byte in [begin, end) that is `a` or `b`, or end.
const char* FindEitherByte(const char* begin, const char* end, unsigned char a, unsigned char b);

// The first byte of 0x80 or above in [begin, end), or end.
const char* FindNonAscii(const char* begin, const char* end);

// The first byte in [begin, end) of 0xD8 to 0xDF, a UTF-16 surrogate's high byte, or end.
const char* FindSurrogateByte(const char* begin, const char* end);

// The first p in [begin, last) where p[a.offset] is one of a's bytes and p[b.offset] one of b's,
// or last; p + max(a.offset, b.offset) must be readable for every such p.
const char* FindTwoPlaces(const char* begin, const char* last, const PlaceBytes& a,
                          const PlaceBytes& b);

enum class VectorLevel { Portable, Sse2, Avx2 };

// The scans above, as built for one level.
struct ScanKernels {
    const char* (*findByte)(const char*, const char*, unsigned char);
    const char* (*findEitherByte)(const char*, const char*, unsigned char, unsigned char);
    const char* (*findNonAscii)(const char*, const char*);
    const char* (*findSurrogateByte)(const char*, const char*);
    const char* (*findTwoPlaces)(const char*, const char*, const PlaceBytes&, const PlaceBytes&);
};

// The highest level the processor and the system support, asked once. A 32-bit x86 build cannot
// take SSE2 for granted; where the build is for no x86 processor this is Portable.
VectorLevel AvailableLevel();

// The scans of one level up to AvailableLevel(); the functions above use those of that level.
const ScanKernels& KernelsFor(VectorLevel level);

}  // namespace tarvik
