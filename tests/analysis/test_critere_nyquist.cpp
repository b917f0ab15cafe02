#include "analysis/critere_nyquist.h"

#include "analysis/polynomes_reels.h"
#include "numeric/routh.h"
#include "outils_lieu.h"
#include "support/reference_stabilite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace varlem {
namespace {

using test::polynome_lu;

verdict_nyquist critere(const char* num, const char* den, double k) {
    return critere_nyquist(polynome_lu(num), polynome_lu(den), k);
}

TEST(CritereNyquistTest, CasDeReference) {
    for (const auto& c : test::cas_nyquist_references()) {
        const verdict_nyquist v = critere_nyquist(polynome_lu(c.num), polynome_lu(c.den), c.kp);
        ASSERT_TRUE(v.valide) << c.id;
        EXPECT_EQ(v.P, c.P) << c.id;
        ASSERT_TRUE(v.N && v.Z) << c.id;
        EXPECT_EQ(*v.N, c.N) << c.id;
        EXPECT_EQ(*v.Z, c.Z) << c.id;
        EXPECT_EQ(v.stable, c.stable) << c.id;
    }
}

struct cas_connu {
    const char *nom, *num, *den;
    double k;
    int P, N;
};

TEST(CritereNyquistTest, CasConnus) {
    const cas_connu cas[] = {
        {"premier ordre", "1", "1+p", 5, 0, 0},
        {"intégrateur", "1", "(p)(1+p)", 100, 0, 0},
        {"double intégrateur et avance", "1+p", "(p^2)(1+0.1p)", 1, 0, 0},
        {"double intégrateur instable", "1", "(p^2)(1+p)", 1, 0, 2},
        {"triple intégrateur", "(1+p)(1+p)", "(p^3)(1+0.1p)", 1, 0, 0},
        {"triple intégrateur instable", "1", "p^3", 1, 0, 2},
        {"instable en boucle ouverte", "1", "0-1+p", 2, 1, -1},
        {"instable deux fois", "1", "0-1+p", 0.5, 1, 0},
        {"pôles sur l'axe", "1", "(1+p^2)(1+p)", -0.5, 0, 0},
        {"pôles sur l'axe instable", "1", "(1+p^2)(1+p)", 3, 0, 2},
        {"impropre", "(1+p)(1+p)", "p", 1, 0, 0},
        {"degrés égaux, gain négatif", "0-1+p", "1+p", 2, 0, 1},
        {"gain négatif", "1", "(1+p)(2+p)", -3, 0, 1},
        {"gain nul", "1", "(0-1+p)(1+p)", 0, 1, 0},
    };
    for (const auto& c : cas) {
        const verdict_nyquist v = critere(c.num, c.den, c.k);
        ASSERT_TRUE(v.valide) << c.nom;
        EXPECT_EQ(v.P, c.P) << c.nom;
        ASSERT_TRUE(v.N) << c.nom;
        EXPECT_EQ(*v.N, c.N) << c.nom;
        EXPECT_EQ(*v.Z, c.N + c.P) << c.nom;
        EXPECT_EQ(v.stable, c.N + c.P == 0) << c.nom;
    }
}

// Closed-loop poles on the axis: the plot goes through −1 and counts nothing.
TEST(CritereNyquistTest, PointMoinsUnSurLeLieu) {
    for (const verdict_nyquist& v : {critere("1", "(p)(1+p)(2+p)", 6), critere("1", "p^2", 4),
                                     critere("1+p^2", "(1+p^2)(1+p)", 1)}) {
        ASSERT_TRUE(v.valide);
        EXPECT_FALSE(v.N);
        EXPECT_FALSE(v.Z);
        EXPECT_FALSE(v.stable);
    }
    EXPECT_FALSE(critere("1", "0", 1).valide);
}

// Z = N + P equals the closed-loop poles with a positive real part that Routh counts, on
// products of factors with integrators of order 1 to 3, poles on the axis and in the right
// half-plane, for gains of every size and sign.
TEST(CritereNyquistTest, AccordAvecRouth) {
    std::mt19937 gen(5);
    std::uniform_int_distribution<int> sorte(0, 5), petit(1, 3), signe(0, 1);
    std::uniform_real_distribution<double> u(0, 1);
    int compares = 0;
    for (int essai = 0; essai < 4000; ++essai) {
        polynome_reel d = {1}, n = {1};
        const auto facteur = [&](polynome_reel& p) {
            const int s = sorte(gen);
            const double a = petit(gen), b = petit(gen), g = signe(gen) ? 1 : -1;
            if (s == 0)
                p = pr_produit(p, {a * g, 1});
            else if (s == 1)
                p = pr_produit(p, {b * b, 0, 1});
            else if (s == 2)
                p = pr_produit(p, {0, 1});
            else
                p = pr_produit(p, {a * a + b * b, 2 * g * a, 1});
        };
        const int integrateurs = essai % 4;
        for (int i = 0; i < integrateurs; ++i) d = pr_produit(d, {0, 1});
        for (int i = 0; i < 1 + essai % 5; ++i) facteur(d);
        for (int i = 0; i < essai % 3; ++i) facteur(n);
        const double k = (u(gen) < 0.2 ? -1 : 1) * std::pow(10.0, 4 * u(gen) - 2);
        const polynome_reel boucle = pr_combinaison(d, k, n);
        // Cases whose closed-loop poles lie within rounding of the axis have no sure count.
        bool net = pr_degre(boucle) == std::max(pr_degre(d), pr_degre(n));
        for (const complexe& r : pr_racines(boucle))
            net = net && std::fabs(r.re) > 1e-6 * std::max(1.0, c_module(r));
        const verdict_nyquist v = critere_nyquist(pr_vers_polynome(n), pr_vers_polynome(d), k);
        if (!net) continue;
        ++compares;
        const comptes_racines r = compter_racines_routh(boucle.data(), pr_degre(boucle));
        ASSERT_TRUE(v.Z) << essai;
        EXPECT_EQ(*v.Z, r.partie_reelle_positive)
            << "k = " << k << " N = " << polynome_texte(pr_vers_polynome(n), 'p')
            << " D = " << polynome_texte(pr_vers_polynome(d), 'p');
    }
    EXPECT_GT(compares, 2500);
}

} // namespace
} // namespace varlem
