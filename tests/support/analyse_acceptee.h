#pragma once
// Typed texts analysed with a fixed seed, for tests that need an accepted function.

#include "analysis/pipeline.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace varlem::test {

/// The analysed function of num/den; a test failure is recorded when it is refused.
inline fdt_travail analyse_acceptee(const std::string& num, const std::string& den,
                                    std::uint64_t graine = 1, char lettre = 'p') {
    contexte_calcul ctx;
    ctx.graine = graine;
    fdt_travail ft;
    bool erreur_syntaxe = false, erreur_degre = false;
    analyser_fonction(ctx, lettre, num, den, ft, erreur_syntaxe, erreur_degre);
    EXPECT_FALSE(erreur_syntaxe || erreur_degre) << num << " / " << den;
    return ft;
}

} // namespace varlem::test
