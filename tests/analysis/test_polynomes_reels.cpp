#include "analysis/polynomes_reels.h"

#include "analysis/lieu_calcul.h"
#include "analysis/lieu_evans.h"
#include "outils_lieu.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace varlem {
namespace {

// Beyond the 50 coefficients of the root finder: p⁶⁰ − 2, roots 2^(1/60)·e^(2πik/60).
TEST(PolynomesReelsTest, RacinesAuDelaDeLaCapacite) {
    polynome_reel p(61, 0.0);
    p[0] = -2;
    p[60] = 1;
    const std::vector<complexe> r = pr_racines(p);
    ASSERT_EQ(r.size(), 60u);
    const double rayon = std::pow(2.0, 1.0 / 60);
    std::vector<bool> vues(60, false);
    for (const complexe& z : r) {
        EXPECT_NEAR(c_module(z), rayon, 1e-12);
        const double a = std::atan2(z.im, z.re) / (2 * std::numbers::pi) * 60;
        const long k = std::lround(a < 0 ? a + 60 : a) % 60;
        EXPECT_NEAR(a, std::round(a), 1e-9);
        EXPECT_FALSE(vues[std::size_t(k)]);
        vues[std::size_t(k)] = true;
    }
}

TEST(PolynomesReelsTest, OutilsDePolynomes) {
    // (p + 1)²(p + 2) grouped: −2 once, −1 twice.
    const std::vector<racine_multiple> g = grouper_racines(pr_racines({2, 5, 4, 1}));
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0].m, 1);
    EXPECT_EQ(g[1].m, 2);
    EXPECT_DOUBLE_EQ(g[1].z.re, -1);
    // P(jω) = R(ω²) + jω·I(ω²): 1 + 2p + 3p² + 4p³ gives R = 1 − 3x, I = 2 − 4x.
    polynome_reel r, i;
    pr_parties_axe({1, 2, 3, 4}, r, i);
    EXPECT_EQ(r, (polynome_reel{1, -3}));
    EXPECT_EQ(i, (polynome_reel{2, -4}));
    EXPECT_EQ(argument_degres({-1, -0.0}), 180);
    EXPECT_EQ(argument_degres({0, -1}), -90);
    complexe t[3];
    pr_taylor({1, 2, 3}, {1, 0}, 2, t);
    EXPECT_EQ(t[0].re, 6);
    EXPECT_EQ(t[1].re, 8);
    EXPECT_EQ(t[2].re, 3);
}

// A loop whose break-away polynomial N′D − ND′ has more than 50 coefficients.
TEST(PolynomesReelsTest, LieuDUneGrandeBoucle) {
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> u(0.5, 4);
    polynome n = p_constante(1), d = p_constante(1);
    for (int k = 0; k < 13; ++k) {
        polynome f;
        f.degre = 2;
        const double a = u(gen), b = u(gen);
        f.coef[0] = {a * a + b * b, 0};
        f.coef[1] = {2 * a, 0};
        f.coef[2] = {1, 0};
        n = p_produit(n, f);
        const double c = u(gen), e = u(gen);
        f.coef[0] = {c * c + e * e, 0};
        f.coef[1] = {2 * c, 0};
        d = p_produit(d, f);
    }
    polynome f;
    f.degre = 1;
    f.coef[0] = {1, 0};
    f.coef[1] = {1, 0};
    d = p_produit(d, f);
    const lieu_evans l = calculer_lieu(n, d);
    ASSERT_TRUE(l.valide);
    EXPECT_EQ(l.nb_branches, 27);
    EXPECT_TRUE(test::defauts_branches(l, l.branches).empty());
    // Each break-away point, found by the simultaneous iteration, is refined.
    EXPECT_FALSE(l.separations.empty());
    for (const point_separation& p : l.separations)
        EXPECT_TRUE(lieu::gain_exact(l.num, l.den, p.s, p.k)) << p.s.re << " " << p.s.im;
}

} // namespace
} // namespace varlem
