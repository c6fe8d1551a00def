// The scans with SSE2, sixteen bytes at a time. Built with SSE2 enabled, which a 32-bit x86 build
// does not assume elsewhere: only used once the processor is known to have it.
#include <immintrin.h>

#include "scan_kernel.hpp"

namespace tarvik {
namespace {

struct Sse2 {
    using Vec = __m128i;
    static constexpr std::size_t kWidth = 16;
    static Vec Load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const Vec*>(p)); }
    static Vec Splat(unsigned char byte) { return _mm_set1_epi8(static_cast<char>(byte)); }
    static Vec Eq(Vec x, Vec y) { return _mm_cmpeq_epi8(x, y); }
    static Vec And(Vec x, Vec y) { return _mm_and_si128(x, y); }
    static Vec Or(Vec x, Vec y) { return _mm_or_si128(x, y); }
    static std::uint32_t Mask(Vec v) { return static_cast<std::uint32_t>(_mm_movemask_epi8(v)); }
};

}  // namespace

constinit const ScanKernels kSse2Kernels = MakeKernels<Sse2>();

}  // namespace tarvik
