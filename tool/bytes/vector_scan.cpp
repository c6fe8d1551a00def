// Dispatch: SSE2 is always there on x86-64 and is taken on 32-bit x86 once the platform layer
// confirms it; AVX2 is chosen at run time where the processor and the system support it. Under
// Windows the C runtime's memchr (msvcrt) scans a byte at a time, so FindByte scans itself there.
#include "vector_scan.hpp"

#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TARVIK_X86 1
#endif

namespace tarvik {
namespace {

#if defined(__x86_64__)
VectorLevel highestLevel = VectorLevel::Avx2;
#else
VectorLevel highestLevel = VectorLevel::Portable;
#endif

VectorLevel CurrentLevel() {
#if defined(TARVIK_X86)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (highestLevel == VectorLevel::Avx2 && !avx2) return VectorLevel::Sse2;
    return highestLevel;
#else
    return VectorLevel::Portable;
#endif
}

bool In(const PlaceBytes& place, unsigned char byte) {
    for (const unsigned char b : place.bytes) {
        if (b == byte) return true;
    }
    return false;
}

const char* TwoPlacesPortable(const char* p, const char* last, const PlaceBytes& a,
                              const PlaceBytes& b) {
    for (; p != last; ++p) {
        if (In(a, static_cast<unsigned char>(p[a.offset])) &&
            In(b, static_cast<unsigned char>(p[b.offset])))
            break;
    }
    return p;
}

const char* EitherBytePortable(const char* p, const char* end, unsigned char a, unsigned char b) {
    while (p != end && static_cast<unsigned char>(*p) != a && static_cast<unsigned char>(*p) != b)
        ++p;
    return p;
}

const char* NonAsciiPortable(const char* p, const char* end) {
    // Eight bytes at a time while all are ASCII.
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    std::uint64_t word = 0;
    while (end - p >= 8 && (std::memcpy(&word, p, 8), (word & kHighBits) == 0)) p += 8;
    while (p != end && static_cast<unsigned char>(*p) < 0x80) ++p;
    return p;
}

bool IsSurrogateByte(char c) {
    return (static_cast<unsigned char>(c) & 0xF8u) == 0xD8u;
}

const char* SurrogateBytePortable(const char* p, const char* end) {
    while (p != end && !IsSurrogateByte(*p)) ++p;
    return p;
}

#if defined(TARVIK_X86)

__attribute__((target("sse2"))) const char* SurrogateByteSse2(const char* p, const char* end) {
    const __m128i mask = _mm_set1_epi8(static_cast<char>(0xF8));
    const __m128i wanted = _mm_set1_epi8(static_cast<char>(0xD8));
    for (; end - p >= 16; p += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto hits = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(chunk, mask), wanted)));
        if (hits != 0) return p + __builtin_ctz(hits);
    }
    return SurrogateBytePortable(p, end);
}

__attribute__((target("sse2"))) const char* EitherByteSse2(const char* p, const char* end,
                                                           unsigned char a, unsigned char b) {
    const __m128i va = _mm_set1_epi8(static_cast<char>(a));
    const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
    for (; end - p >= 16; p += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, va), _mm_cmpeq_epi8(chunk, vb))));
        if (mask != 0) return p + __builtin_ctz(mask);
    }
    return EitherBytePortable(p, end, a, b);
}

__attribute__((target("sse2"))) const char* NonAsciiSse2(const char* p, const char* end) {
    for (; end - p >= 16; p += 16) {
        // The high bit of each byte.
        const auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))));
        if (mask != 0) return p + __builtin_ctz(mask);
    }
    return NonAsciiPortable(p, end);
}

#endif

#if defined(TARVIK_X86) && defined(_WIN32)

__attribute__((target("sse2"))) const char* FindByteSse2(const char* p, const char* end,
                                                         unsigned char byte) {
    const __m128i wanted = _mm_set1_epi8(static_cast<char>(byte));
    for (; end - p >= 16; p += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, wanted)));
        if (mask != 0) return p + __builtin_ctz(mask);
    }
    while (p != end && static_cast<unsigned char>(*p) != byte) ++p;
    return p;
}

__attribute__((target("avx2"))) const char* FindByteAvx2(const char* p, const char* end,
                                                         unsigned char byte) {
    const __m256i wanted = _mm256_set1_epi8(static_cast<char>(byte));
    for (; end - p >= 32; p += 32) {
        const __m256i chunk = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const auto mask =
            static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(chunk, wanted)));
        if (mask != 0) return p + __builtin_ctz(mask);
    }
    return FindByteSse2(p, end, byte);
}

#endif

#if defined(TARVIK_X86)

// The compares: 0xFF in each lane where the byte at that place is one of the place's first N
// bytes. Where no place has more than two bytes, two compares each will do, which also keeps the
// constants within the eight vector registers of 32-bit x86.

template <std::size_t N>
__attribute__((target("sse2"))) const char* TwoPlacesSse2(const char* p, const char* last,
                                                          const PlaceBytes& a,
                                                          const PlaceBytes& b) {
    __m128i as[N], bs[N];
    for (std::size_t i = 0; i < N; ++i) {
        as[i] = _mm_set1_epi8(static_cast<char>(a.bytes[i]));
        bs[i] = _mm_set1_epi8(static_cast<char>(b.bytes[i]));
    }
    for (; last - p >= 16; p += 16) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + a.offset));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + b.offset));
        __m128i inA = _mm_cmpeq_epi8(va, as[0]), inB = _mm_cmpeq_epi8(vb, bs[0]);
        for (std::size_t i = 1; i < N; ++i) {
            inA = _mm_or_si128(inA, _mm_cmpeq_epi8(va, as[i]));
            inB = _mm_or_si128(inB, _mm_cmpeq_epi8(vb, bs[i]));
        }
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(inA, inB)));
        if (mask != 0) return p + __builtin_ctz(mask);
    }
    return TwoPlacesPortable(p, last, a, b);
}

template <std::size_t N>
__attribute__((target("avx2"))) const char* TwoPlacesAvx2(const char* p, const char* last,
                                                          const PlaceBytes& a,
                                                          const PlaceBytes& b) {
    __m256i as[N], bs[N];
    for (std::size_t i = 0; i < N; ++i) {
        as[i] = _mm256_set1_epi8(static_cast<char>(a.bytes[i]));
        bs[i] = _mm256_set1_epi8(static_cast<char>(b.bytes[i]));
    }
    for (; last - p >= 32; p += 32) {
        const __m256i va = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + a.offset));
        const __m256i vb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + b.offset));
        __m256i inA = _mm256_cmpeq_epi8(va, as[0]), inB = _mm256_cmpeq_epi8(vb, bs[0]);
        for (std::size_t i = 1; i < N; ++i) {
            inA = _mm256_or_si256(inA, _mm256_cmpeq_epi8(va, as[i]));
            inB = _mm256_or_si256(inB, _mm256_cmpeq_epi8(vb, bs[i]));
        }
        const auto mask = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_and_si256(inA, inB)));
        if (mask != 0) return p + __builtin_ctz(mask);
    }
    return TwoPlacesSse2<N>(p, last, a, b);
}

// True when the place's four bytes are its first two repeated (it has at most two).
bool AtMostTwo(const PlaceBytes& place) {
    return place.bytes[2] == place.bytes[0] && place.bytes[3] == place.bytes[1];
}

#endif

}  // namespace

void SetVectorLevel(VectorLevel highest) {
    highestLevel = highest;
}

const char* FindByte(const char* begin, const char* end, unsigned char byte) {
#if defined(_WIN32) && defined(TARVIK_X86)
    if (CurrentLevel() == VectorLevel::Avx2) return FindByteAvx2(begin, end, byte);
    if (CurrentLevel() == VectorLevel::Sse2) return FindByteSse2(begin, end, byte);
    while (begin != end && static_cast<unsigned char>(*begin) != byte) ++begin;
    return begin;
#else
    const void* hit = std::memchr(begin, byte, static_cast<std::size_t>(end - begin));
    return hit != nullptr ? static_cast<const char*>(hit) : end;
#endif
}

const char* FindEitherByte(const char* begin, const char* end, unsigned char a, unsigned char b) {
#if defined(TARVIK_X86)
    if (CurrentLevel() != VectorLevel::Portable) return EitherByteSse2(begin, end, a, b);
#endif
    return EitherBytePortable(begin, end, a, b);
}

const char* FindNonAscii(const char* begin, const char* end) {
#if defined(TARVIK_X86)
    if (CurrentLevel() != VectorLevel::Portable) return NonAsciiSse2(begin, end);
#endif
    return NonAsciiPortable(begin, end);
}

const char* FindSurrogateByte(const char* begin, const char* end) {
#if defined(TARVIK_X86)
    if (CurrentLevel() != VectorLevel::Portable) return SurrogateByteSse2(begin, end);
#endif
    return SurrogateBytePortable(begin, end);
}

const char* FindTwoPlaces(const char* begin, const char* last, const PlaceBytes& a,
                          const PlaceBytes& b) {
#if defined(TARVIK_X86)
    switch (CurrentLevel()) {
        case VectorLevel::Avx2:
            return AtMostTwo(a) && AtMostTwo(b) ? TwoPlacesAvx2<2>(begin, last, a, b)
                                                : TwoPlacesAvx2<4>(begin, last, a, b);
        case VectorLevel::Sse2:
            return AtMostTwo(a) && AtMostTwo(b) ? TwoPlacesSse2<2>(begin, last, a, b)
                                                : TwoPlacesSse2<4>(begin, last, a, b);
        case VectorLevel::Portable:
            break;
    }
#endif
    return TwoPlacesPortable(begin, last, a, b);
}

}  // namespace tarvik
