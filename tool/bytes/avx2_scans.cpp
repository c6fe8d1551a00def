// The scans with AVX2, thirty-two bytes at a time. Built with AVX2 enabled: only used once the
// processor and the system are known to support it.
#include <immintrin.h>

#include "scan_kernel.hpp"

namespace tarvik {
namespace {

struct Avx2 {
    using Vec = __m256i;
    static constexpr std::size_t kWidth = 32;
    static Vec Load(const char* p) { return _mm256_loadu_si256(reinterpret_cast<const Vec*>(p)); }
    static Vec Splat(unsigned char byte) { return _mm256_set1_epi8(static_cast<char>(byte)); }
    static Vec Eq(Vec x, Vec y) { return _mm256_cmpeq_epi8(x, y); }
    static Vec And(Vec x, Vec y) { return _mm256_and_si256(x, y); }
    static Vec Or(Vec x, Vec y) { return _mm256_or_si256(x, y); }
    static std::uint32_t Mask(Vec v) { return static_cast<std::uint32_t>(_mm256_movemask_epi8(v)); }
};

}  // namespace

constinit const ScanKernels kAvx2Kernels = MakeKernels<Avx2>();

}  // namespace tarvik
