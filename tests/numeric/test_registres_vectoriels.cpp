#include "numeric/registres_vectoriels.h"

#include <gtest/gtest.h>

namespace varlem {
namespace {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

// Writes a 256-bit register and returns without VZEROUPPER, as Qt 6.4's AVX2 fill does.
void salir_moities_hautes() {
    static const float un = 1.0f;
    asm volatile("vbroadcastss %0, %%ymm0" : : "m"(un) : "xmm0");
}

TEST(RegistresVectorielsTest, LibererRendLesMoitiesHautes) {
    if (!__builtin_cpu_supports("avx")) GTEST_SKIP() << "processeur sans AVX";
    salir_moities_hautes();
    if (!moities_hautes_en_usage()) GTEST_SKIP() << "le processeur ne dit pas leur usage";
    liberer_moities_hautes();
    EXPECT_FALSE(moities_hautes_en_usage());
    // Free already: nothing changes.
    liberer_moities_hautes();
    EXPECT_FALSE(moities_hautes_en_usage());
}

#endif

} // namespace
} // namespace varlem
