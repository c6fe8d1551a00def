// The choice of level, made once, and the portable scans. The C library's memchr finds a byte
// where there are no vectors: it is at least a byte loop, and often vectorised itself.
#include "vector_scan.hpp"

#include <cstring>

#include "scan_kernel.hpp"

namespace tarvik {
namespace {

const char* MemchrByte(const char* begin, const char* end, unsigned char byte) {
    const void* hit = std::memchr(begin, byte, static_cast<std::size_t>(end - begin));
    return hit != nullptr ? static_cast<const char*>(hit) : end;
}

constexpr ScanKernels PortableKernels() {
    ScanKernels kernels = MakeKernels<Portable>();
    kernels.findByte = MemchrByte;
    return kernels;
}

constexpr ScanKernels kPortableKernels = PortableKernels();

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
    return Active().findByte(begin, end, byte);
}

const char* FindEitherByte(const char* begin, const char* end, unsigned char a, unsigned char b) {
    return Active().findEitherByte(begin, end, a, b);
}

const char* FindNonAscii(const char* begin, const char* end) {
    return Active().findNonAscii(begin, end);
}

const char* FindSurrogateByte(const char* begin, const char* end) {
    return Active().findSurrogateByte(begin, end);
}

const char* FindTwoPlaces(const char* begin, const char* last, const PlaceBytes& a,
                          const PlaceBytes& b) {
    return Active().findTwoPlaces(begin, last, a, b);
}

}  // namespace tarvik
