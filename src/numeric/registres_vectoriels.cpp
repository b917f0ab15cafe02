#include "numeric/registres_vectoriels.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

#include <cpuid.h>
#include <immintrin.h>

namespace varlem {

namespace {

__attribute__((target("avx"))) void vzeroupper() {
    _mm256_zeroupper();
}

// XGETBV with ECX = 1: the state components in use, bit 2 for the upper halves of YMM.
__attribute__((target("xsave"))) unsigned long long composantes_en_usage() {
    return _xgetbv(1);
}

bool xgetbv_1_disponible() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_OSXSAVE)) return false;
    if (!__get_cpuid_count(0xd, 1, &a, &b, &c, &d)) return false;
    return (a & (1u << 2)) != 0;
}

} // namespace

void liberer_moities_hautes() {
    // The library's processor model checks that the system saves the AVX state too.
    if (__builtin_cpu_supports("avx")) vzeroupper();
}

bool moities_hautes_en_usage() {
    return xgetbv_1_disponible() && (composantes_en_usage() & 4) != 0;
}

} // namespace varlem

#else

namespace varlem {

void liberer_moities_hautes() {}

bool moities_hautes_en_usage() {
    return false;
}

} // namespace varlem

#endif
