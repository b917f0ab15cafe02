#include "analysis/pipeline.h"

#include "numeric/temporel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace varlem {
namespace {

struct resultat {
    bool syntaxe = false;
    bool degre = false;
};

resultat analyser(contexte_calcul& ctx, fdt_travail& ft, const std::string& num,
                  const std::string& den, char lettre = 'p') {
    resultat r;
    analyser_fonction(ctx, lettre, num, den, ft, r.syntaxe, r.degre);
    return r;
}

TEST(PipelineTest, TextesGardesEtAnalyseArreteeAuPremierRefus) {
    contexte_calcul ctx;
    ctx.graine = 3;
    fdt_travail ft;
    ASSERT_FALSE(analyser(ctx, ft, "1", "(1+p)(1+2p)").syntaxe);
    const complexe pole = ft.poles[1];

    // A valid numerator with a refused denominator: both texts kept, the numerator parsed,
    // the roots of the previous analysis untouched.
    const resultat r = analyser(ctx, ft, "1+2*p", "1+p+");
    EXPECT_TRUE(r.syntaxe);
    EXPECT_FALSE(r.degre);
    EXPECT_EQ(ft.fonction.texte_num, "1+2*p");
    EXPECT_EQ(ft.fonction.texte_den, "1+p+");
    EXPECT_EQ(ft.fonction.num.degre, 1);
    EXPECT_EQ(ft.fonction.num.coef[1].re, 2.0);
    EXPECT_EQ(ft.poles[1], pole);

    // A syntax error takes precedence over a degree error in the same text.
    const resultat r2 = analyser(ctx, ft, "p^16+x", "1+p");
    EXPECT_TRUE(r2.syntaxe);
    EXPECT_FALSE(r2.degre);

    const resultat r3 = analyser(ctx, ft, "1", "p^16");
    EXPECT_FALSE(r3.syntaxe);
    EXPECT_TRUE(r3.degre);
}

TEST(PipelineTest, LettreDuSystemeAChaqueAppel) {
    contexte_calcul ctx;
    fdt_travail ft;
    EXPECT_FALSE(analyser(ctx, ft, "1", "1+s", 's').syntaxe);
    EXPECT_EQ(ft.poles[1], (complexe{-1, 0}));
    EXPECT_TRUE(analyser(ctx, ft, "1", "1+s", 'p').syntaxe);
    EXPECT_FALSE(analyser(ctx, ft, "1", "1+p", 'p').syntaxe);
}

TEST(PipelineTest, LesDrapeauxNeSontJamaisRemisAFaux) {
    contexte_calcul ctx;
    fdt_travail ft;
    bool syntaxe = true, degre = true;
    analyser_fonction(ctx, 'p', "1", "1+p", ft, syntaxe, degre);
    EXPECT_TRUE(syntaxe);
    EXPECT_TRUE(degre);
}

// Random texts, valid or not, of every shape a user may type: the analysis always ends, never
// writes out of bounds (the sanitizer build checks it) and leaves finite roots when it accepts.
std::string texte_aleatoire(std::mt19937_64& alea) {
    static const std::string alphabet = "0123456789.,eE+-*^()p p";
    static const std::string au_dela = "xs/\\\"'!#\t\n\xc3\xa9\x00";
    std::uniform_int_distribution<int> forme(0, 9);
    std::uniform_int_distribution<int> longueur(0, 40);
    std::string t;
    switch (forme(alea)) {
    case 0: { // a product of factors with wild coefficients
        const int n = 1 + static_cast<int>(alea() % 6);
        for (int i = 0; i < n; ++i) {
            t += "(" + std::to_string(alea() % 1000) + "e" +
                 std::to_string(static_cast<int>(alea() % 61) - 30);
            t += "+" + std::to_string(alea() % 100) + "e" +
                 std::to_string(static_cast<int>(alea() % 61) - 30) + "p";
            if (alea() % 2) t += "+1p^2";
            t += ")";
        }
        return t;
    }
    case 1: { // an expanded polynomial of random degree with random magnitudes
        const int d = static_cast<int>(alea() % 16);
        for (int k = 0; k <= d; ++k) {
            if (k) t += "+";
            t += std::to_string(1 + alea() % 9) + "e" +
                 std::to_string(static_cast<int>(alea() % 41) - 20);
            t += "*p^" + std::to_string(k);
        }
        return t;
    }
    case 2:
        return "p^" + std::to_string(alea());
    case 3:
        return std::string(static_cast<std::size_t>(alea() % 200), '(') + "1+p";
    default: {
        const int n = longueur(alea);
        for (int i = 0; i < n; ++i) {
            const bool dehors = alea() % 10 == 0;
            const std::string& source = dehors ? au_dela : alphabet;
            t += source[alea() % source.size()];
        }
        return t;
    }
    }
}

TEST(PipelineTest, TextesAleatoiresSansFauteNiBoucleSansFin) {
    std::mt19937_64 alea(20261208);
    contexte_calcul ctx;
    ctx.graine = 11;
    int acceptes = 0;
    for (int essai = 0; essai < 20000; ++essai) {
        const std::string num = texte_aleatoire(alea), den = texte_aleatoire(alea);
        fdt_travail ft;
        const resultat r = analyser(ctx, ft, num, den);
        ASSERT_LE(ft.fonction.num.degre, capacite_polynome);
        ASSERT_GE(ft.fonction.num.degre, 0);
        if (r.syntaxe || r.degre) continue;
        ++acceptes;
        for (int k = 1; k <= ft.fonction.den.degre; ++k)
            ASSERT_TRUE(std::isfinite(ft.poles[k].re) && std::isfinite(ft.poles[k].im))
                << num << " / " << den;
        (void)valeur_temporelle(ft, 1.0);
    }
    EXPECT_GT(acceptes, 500);
}

} // namespace
} // namespace varlem
