#include "numeric/analyse_racines.h"

#include "numeric/analyseur.h"
#include "numeric/nombres.h"
#include "numeric/temporel.h"
#include "outils_racines.h"

#include "support/genres.h"

#include <gtest/gtest.h>

#include <random>

namespace varlem {
namespace {

using test::analyser;

using test::copies;
using test::depuis_coefs;

TEST(AnalyseRacinesTest, NettoyageEtArrondiDesPoles) {
    struct cas {
        complexe z, attendu;
    } const table[] = {
        {{-0.000001, 3}, {0, 3}},     {{3, 0.000001}, {3, 0}},
        {{1.234567, 0}, {1.2346, 0}}, {{-0.86602540378, 0.5}, {-0.86603, 0.5}},
        {{-1e-3, 0}, {-1e-3, 0}},     {{0, 0}, {0, 0}},
    };
    for (const auto& c : table) {
        const complexe r = nettoyer_pole(c.z);
        EXPECT_EQ(r.re, c.attendu.re) << c.z.re << ", " << c.z.im;
        EXPECT_EQ(r.im, c.attendu.im) << c.z.re << ", " << c.z.im;
    }
}

// The rounding must give exactly what writing the value to 5 digits and reading it back gives.
TEST(AnalyseRacinesTest, ArrondiIdentiqueAuTexte) {
    std::mt19937_64 gen(3);
    std::uniform_real_distribution<double> mantisse(-10, 10);
    std::uniform_int_distribution<int> exposant(-310, 300);
    for (int k = 0; k < 20000; ++k) {
        const double x = mantisse(gen) * std::pow(10.0, exposant(gen));
        const double attendu = lire_nombre(texte_scientifique(4, x));
        EXPECT_EQ(nettoyer_pole({x, 0}).re, attendu) << x;
    }
    // Halfway cases and values that round up to the next decade.
    for (const double x : {1.23455, 9.99995, -9.999951, 0.000123455, 2.5e-5, 1e22})
        EXPECT_EQ(nettoyer_pole({x, 0}).re, lire_nombre(texte_scientifique(4, x))) << x;
}

TEST(AnalyseRacinesTest, PolesFacteurParFacteurDansLOrdreTape) {
    const fdt_travail ft = analyser("1", "(1+p)(1+2p)(1+p+p^2)");
    EXPECT_EQ(ft.poles[1], (complexe{-1, 0}));
    EXPECT_EQ(ft.poles[2], (complexe{-0.5, 0}));
    EXPECT_EQ(ft.poles[3].re, -0.5);
    EXPECT_EQ(std::fabs(ft.poles[3].im), 0.86603);
    EXPECT_EQ(ft.poles[4], c_conjugue(ft.poles[3]));
    EXPECT_DOUBLE_EQ(ft.gain, 0.5);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(ft.termes_poles[k - 1].valeur, ft.poles[k]);
}

TEST(AnalyseRacinesTest, PolesExactsSansCoefficientConstant) {
    for (const bool globales : {false, true}) {
        const fdt_travail ft = analyser("1", "p+p^3", globales);
        EXPECT_EQ(ft.poles[1], (complexe{0, 1}));
        EXPECT_EQ(ft.poles[2], (complexe{0, -1}));
        EXPECT_EQ(ft.poles[3], (complexe{0, 0}));
    }
}

TEST(AnalyseRacinesTest, ProduitDeFacteursIdentiquesDonneUnPoleTriple) {
    const fdt_travail ft = analyser("1", "(1+p)(1+p)(1+p)");
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(ft.poles[k], (complexe{-1, 0}));
    EXPECT_EQ(ft.termes_poles[0].ordre, 3);
    EXPECT_EQ(ft.termes_poles[1].ordre, 2);
    EXPECT_EQ(ft.termes_poles[2].ordre, 1);
}

// Slow poles are kept: they set the whole response.
TEST(AnalyseRacinesTest, PolesLentsConserves) {
    const fdt_travail a = analyser("1", "(1+1000p)");
    EXPECT_EQ(a.poles[1], (complexe{-0.001, 0}));
    EXPECT_NEAR(a.termes_poles[0].coef.re, 0.001, 1e-18);
    const fdt_travail b = analyser("1", "1+1100p+100000p^2", true);
    EXPECT_EQ(copies(b.poles, 2, {-0.01, 0}) + copies(b.poles, 2, {-0.001, 0}), 2);
}

// Zeros are found from the expanded numerator and are not rounded.
TEST(AnalyseRacinesTest, ZerosNonArrondis) {
    const fdt_travail ft = analyser("1+3p", "(1+p)");
    EXPECT_DOUBLE_EQ(ft.zeros[1].re, -1.0 / 3);
    EXPECT_EQ(ft.termes_zeros[0].valeur, ft.zeros[1]);
    EXPECT_DOUBLE_EQ(ft.gain, 3);
}

struct cas_entree {
    entree_temps genre;
    double phase;
    std::vector<complexe> poles_ajoutes;
    int zeros_ajoutes;
};

TEST(AnalyseRacinesTest, ProduitParLEntreeReprendLesRacines) {
    const fdt_travail T = analyser("1+p", "(1+2p)(1+p+p^2)");
    const cas_entree table[] = {
        {entree_temps::echelon, 0, {{0, 0}}, 0},
        {entree_temps::rampe, 0, {{0, 0}, {0, 0}}, 0},
        {entree_temps::sinus, 0, {{0, -2}, {0, 2}}, 0},
        {entree_temps::sinus, 0.5, {{0, -2}, {0, 2}}, 1},
    };
    for (const auto& c : table) {
        fdt E;
        transformee_entree(c.genre, E, 1.5, c.phase, 2);
        fdt_travail ft;
        ft.fonction = f_produit(T.fonction, E);
        analyser_produit_entree(ft, T, c.genre, E);
        for (int k = 1; k <= 3; ++k) EXPECT_EQ(ft.poles[k], T.poles[k]) << c.genre;
        for (std::size_t k = 0; k < c.poles_ajoutes.size(); ++k)
            EXPECT_EQ(ft.poles[4 + k], c.poles_ajoutes[k]) << c.genre;
        EXPECT_EQ(ft.zeros[1], T.zeros[1]);
        if (c.zeros_ajoutes)
            EXPECT_DOUBLE_EQ(ft.zeros[2].re, -2 * std::cos(0.5) / std::sin(0.5));
        else
            EXPECT_EQ(ft.zeros[2], complexe{});
        EXPECT_DOUBLE_EQ(ft.gain, ft.fonction.num.coef[ft.fonction.num.degre].re /
                                      ft.fonction.den.coef[ft.fonction.den.degre].re);
    }
}

} // namespace
} // namespace varlem
