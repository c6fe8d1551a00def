// The choice of level, made once, and the portable scans.
#include "vector_scan.hpp"

#include "scan_kernel.hpp"

namespace tarvik {
namespace {

constexpr ScanKernels kPortableKernels = MakeKernels<Portable>();

const ScanKernels& Active() {
    static const ScanKernels& kernels = KernelsFor(AvailableLevel());
    return kernels;
}

}  // namespace

VectorLevel AvailableLevel() {
#if defined(TARVIK_X86_SCANS)
    static const VectorLevel level = [] {
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx2")) return VectorLevel::Avx2;
        if (__builtin_cpu_supports("sse2")) return VectorLevel::Sse2;
        return VectorLevel::Portable;
    }();
    return level;
#else
    return VectorLevel::Portable;
#endif
}

const ScanKernels& KernelsFor(VectorLevel level) {
#if defined(TARVIK_X86_SCANS)
    if (level == VectorLevel::Avx2) return kAvx2Kernels;
    if (level == VectorLevel::Sse2) return kSse2Kernels;
#else
    static_cast<void>(level);
#endif
    return kPortableKernels;
}

const char* FindByte(const char* begin, const char* end, unsigned char byte) {
#if defined(_WIN32)
    return Active().findByte(begin, end, byte);
#else
    return MemchrByte(begin, end, byte);  // at every level
#endif
}

const char* FindEitherByte(const char* begin, const char* end, unsigned char a, unsigned char b) {
    return Active().findEitherByte(begin, end, a, b);
}

const char* FindNonAscii(const char* begin, const char* end) {
    return Active().findNonAscii(begin, end);
}

const char* FindEitherByteOrNonAscii(const char* begin, const char* end, unsigned char a,
                                     unsigned char b) {
    return Active().findEitherByteOrNonAscii(begin, end, a, b);
}

const char* FindSurrogateByte(const char* begin, const char* end) {
    return Active().findSurrogateByte(begin, end);
}

const char* FindPlaces(const char* begin, const char* last, const PlaceFilter& filter) {
    return Active().findPlaces(begin, last, filter);
}

}  // namespace tarvik
