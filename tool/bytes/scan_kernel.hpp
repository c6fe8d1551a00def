// The one loop all byte scans share, over the traits of an instruction set (its vector type and
// width, load, splat, compare, and, or, and the mask of lane high bits), and the scans as tests of
// a vector of places. Each file built for an instruction set makes its table of scans from these.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "vector_scan.hpp"

namespace tarvik {

// Defined in the files built for SSE2 and AVX2, which only x86 builds have.
extern const ScanKernels kSse2Kernels;
extern const ScanKernels kAvx2Kernels;

// Internal linkage on purpose: each file that includes this gets its own copies, built for its
// instruction set. Shared inline copies would let the linker keep one built for AVX2 for all.
namespace {

// One place at a time, as a lane of one byte: a compare gives 0xFF or 0 like the vector ones.
// The scans' tail, and their path where there are no vectors.
struct Portable {
    using Vec = unsigned;
    static constexpr std::size_t kWidth = 1;
    static Vec Load(const char* p) { return static_cast<unsigned char>(*p); }
    static Vec Splat(unsigned char byte) { return byte; }
    static Vec Eq(Vec x, Vec y) { return x == y ? 0xFFu : 0u; }
    static Vec And(Vec x, Vec y) { return x & y; }
    static Vec Or(Vec x, Vec y) { return x | y; }
    static std::uint32_t Mask(Vec v) { return v >> 7; }
};

template <class T, class Scan>
const char* FindFirst(const char* p, const char* last, Scan scan);

// Apart, so that the few calls that need it do not make every call of a vector scan set up the
// registers a place-at-a-time scan uses.
template <class Scan>
[[gnu::noinline]] const char* FindFirstInNarrow(const char* p, const char* last, Scan scan) {
    return FindFirst<Portable>(p, last, scan);
}

// The first p in [p, last) whose lane in `scan`'s test of the vector at p has its high bit set,
// or last. A range narrower than a vector goes a place at a time; otherwise the last vector is
// the one that ends at `last`, whose lanes before the untested ones are known to have none. A scan
// whose test loads once goes four vectors a step with one branch: the loop would cost more than
// the test.
template <class T, class Scan>
const char* FindFirst(const char* p, const char* last, Scan scan) {
    if constexpr (T::kWidth > 1) {
        if (static_cast<std::size_t>(last - p) < T::kWidth) return FindFirstInNarrow(p, last, scan);
    } else if (p == last) {
        return last;
    }
    const auto test = scan.template Test<T>();
    const auto hitsAt = [&test](const char* at) { return T::Mask(test(at)); };
    const char* const lastVector = last - T::kWidth;
    if constexpr (T::kWidth > 1 && Scan::kLoads == 1) {
        constexpr std::size_t kStep = 4 * T::kWidth;
        for (; static_cast<std::size_t>(lastVector - p) >= kStep; p += kStep) {
            const auto any = T::Or(T::Or(test(p), test(p + T::kWidth)),
                                   T::Or(test(p + 2 * T::kWidth), test(p + 3 * T::kWidth)));
            if (T::Mask(any) != 0) break;
        }
    }
    for (; p < lastVector; p += T::kWidth) {
        if (const std::uint32_t hits = hitsAt(p); hits != 0) return p + std::countr_zero(hits);
    }
    const std::uint32_t hits = hitsAt(lastVector);
    return hits != 0 ? lastVector + std::countr_zero(hits) : last;
}

// Each scan says how many loads its test makes.
struct OneByte {
    static constexpr std::size_t kLoads = 1;
    unsigned char byte;
    template <class T>
    auto Test() const {
        return [b = T::Splat(byte)](const char* p) { return T::Eq(T::Load(p), b); };
    }
};

struct EitherByte {
    static constexpr std::size_t kLoads = 1;
    unsigned char a, b;
    template <class T>
    auto Test() const {
        return [va = T::Splat(a), vb = T::Splat(b)](const char* p) {
            const auto v = T::Load(p);
            return T::Or(T::Eq(v, va), T::Eq(v, vb));
        };
    }
};

// The high bit of each byte is the test, or else one of two bytes.
struct EitherByteOrNonAscii {
    static constexpr std::size_t kLoads = 1;
    EitherByte either;
    template <class T>
    auto Test() const {
        return [test = either.Test<T>()](const char* p) { return T::Or(T::Load(p), test(p)); };
    }
};

// The high bit of each byte is the test.
struct NonAscii {
    static constexpr std::size_t kLoads = 1;
    template <class T>
    auto Test() const {
        return [](const char* p) { return T::Load(p); };
    }
};

struct SurrogateByte {
    static constexpr std::size_t kLoads = 1;
    template <class T>
    auto Test() const {
        return [mask = T::Splat(0xF8), wanted = T::Splat(0xD8)](const char* p) {
            return T::Eq(T::And(T::Load(p), mask), wanted);
        };
    }
};

// Tests N places at once, each with an OR and a compare. The splats are made once a scan, outside
// its loop: three places take six of the eight vector registers of 32-bit x86.
template <std::size_t N>
struct Places {
    static constexpr std::size_t kLoads = N;
    const std::array<PlaceTest, PlaceFilter::kMaxPlaces>& tests;

    template <class T>
    auto Test() const {
        struct Splat {
            typename T::Vec mask, value;
            std::size_t offset;
        };
        std::array<Splat, N> splats{};
        for (std::size_t i = 0; i < N; ++i)
            splats[i] = {T::Splat(tests[i].mask), T::Splat(tests[i].value), tests[i].offset};
        return [splats](const char* p) {
            const auto passes = [p](const Splat& s) {
                return T::Eq(T::Or(T::Load(p + s.offset), s.mask), s.value);
            };
            auto all = passes(splats[0]);
            for (std::size_t i = 1; i < N; ++i) all = T::And(all, passes(splats[i]));
            return all;
        };
    }
};

#if !defined(_WIN32)
// The C library's own is the faster one-byte scan where it is vectorised and unrolled (glibc);
// the Windows C runtime's (msvcrt) goes a byte at a time.
const char* MemchrByte(const char* begin, const char* end, unsigned char byte) {
    const void* hit = std::memchr(begin, byte, static_cast<std::size_t>(end - begin));
    return hit != nullptr ? static_cast<const char*>(hit) : end;
}
#endif

template <class T>
const char* FindOneByte(const char* begin, const char* end, unsigned char byte) {
#if defined(_WIN32)
    return FindFirst<T>(begin, end, OneByte{byte});
#else
    return MemchrByte(begin, end, byte);
#endif
}

// One place that takes a single byte is a byte scan; the others test each vector.
template <class T>
const char* FindPlacesOf(const char* begin, const char* last, const PlaceFilter& filter) {
    const PlaceTest& first = filter.places[0];
    switch (filter.count) {
        case 1:
            if (first.mask != 0) return FindFirst<T>(begin, last, Places<1>{filter.places});
            return FindOneByte<T>(begin + first.offset, last + first.offset, first.value) -
                   first.offset;
        case 2:
            return FindFirst<T>(begin, last, Places<2>{filter.places});
        default:
            return FindFirst<T>(begin, last, Places<3>{filter.places});
    }
}

template <class T>
constexpr ScanKernels MakeKernels() {
    return {
        FindOneByte<T>,
        [](const char* begin, const char* end, unsigned char a, unsigned char b) {
            return FindFirst<T>(begin, end, EitherByte{a, b});
        },
        [](const char* begin, const char* end) { return FindFirst<T>(begin, end, NonAscii{}); },
        [](const char* begin, const char* end, unsigned char a, unsigned char b) {
            return FindFirst<T>(begin, end, EitherByteOrNonAscii{{a, b}});
        },
        [](const char* begin, const char* end) {
            return FindFirst<T>(begin, end, SurrogateByte{});
        },
        FindPlacesOf<T>,
    };
}

}  // namespace
}  // namespace tarvik
