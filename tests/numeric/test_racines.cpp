#include "numeric/racines.h"

#include "outils_racines.h"

#include <gtest/gtest.h>

#include <random>

namespace varlem {
namespace {

using test::copies;
using test::depuis_coefs;
using test::developper;
using test::ecart_racines;
using test::polynome_depuis_racines;
using test::racine_attendue;

liste_racines chercher(const polynome& p, std::uint64_t graine = 1) {
    contexte_calcul ctx;
    ctx.graine = graine;
    return racines(ctx, p);
}

struct cas_exact {
    const char* nom;
    polynome p;
    std::vector<complexe> attendues; // in the order found
};

TEST(RacinesTest, PetitsDegresDansLOrdre) {
    const cas_exact cas[] = {
        {"constante", depuis_coefs({3}), {}},
        {"2p + 4", depuis_coefs({4, 2}), {{-2, 0}}},
        {"p² + 2p + 5", depuis_coefs({5, 2, 1}), {{-1, 2}, {-1, -2}}},
        {"p² + 2p + 1", depuis_coefs({1, 2, 1}), {{-1, 0}, {-1, 0}}},
        // The root at 0 comes out exact and after the others.
        {"p + p³", depuis_coefs({0, 1, 0, 1}), {{0, 1}, {0, -1}, {0, 0}}},
        {"p²", depuis_coefs({0, 0, 1}), {{0, 0}, {0, 0}}},
        {"−p² − 2p − 5", depuis_coefs({-5, -2, -1}), {{-1, -2}, {-1, 2}}},
    };
    for (const auto& c : cas) {
        const liste_racines r = chercher(c.p);
        for (std::size_t k = 0; k < c.attendues.size(); ++k) {
            EXPECT_DOUBLE_EQ(r[k + 1].re, c.attendues[k].re) << c.nom << " racine " << k + 1;
            EXPECT_DOUBLE_EQ(r[k + 1].im, c.attendues[k].im) << c.nom << " racine " << k + 1;
        }
        EXPECT_EQ(r[0], complexe{}) << c.nom;
        for (std::size_t k = c.attendues.size() + 1; k < r.size(); ++k)
            EXPECT_EQ(r[k], complexe{}) << c.nom;
    }
}

TEST(RacinesTest, QuadratiqueReelleLaPlusGrandeEnPremier) {
    complexe r1, r2;
    resoudre_quadratique(1, -3, 2, r1, r2);
    EXPECT_EQ(r1, (complexe{2, 0}));
    EXPECT_EQ(r2, (complexe{1, 0}));
}

// Random products of known, well separated real roots and conjugate pairs, up to degree 15.
TEST(RacinesTest, RacinesConnuesRetrouveesAuxArrondisPres) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(0, 1);
    for (int essai = 0; essai < 300; ++essai) {
        std::vector<complexe> rs;
        while (rs.size() < 15) {
            const double module = std::pow(10.0, -1.5 + 3 * u(gen));
            const bool complexe_ = u(gen) < 0.5 && rs.size() < 14;
            const double angle = complexe_ ? 0.1 + 1.4 * u(gen) : 0.0;
            const complexe z{-module * std::cos(angle), module * std::sin(angle)};
            const bool proche = std::any_of(rs.begin(), rs.end(), [&](complexe r) {
                return c_module(c_difference(r, z)) < 0.2 * module;
            });
            if (!proche) rs.push_back(z);
            if (!proche && complexe_) rs.push_back(c_conjugue(z));
            if (u(gen) < 0.15) break;
        }
        const polynome p = polynome_depuis_racines(rs, 0.5 + u(gen));
        const liste_racines r = chercher(p, static_cast<std::uint64_t>(essai));
        EXPECT_LT(ecart_racines(r, rs), 1e-8) << "essai " << essai << " degre " << p.degre;
        // Complex roots come with their exact conjugates.
        for (int k = 1; k <= p.degre; ++k)
            EXPECT_EQ(copies(r, p.degre, r[k]), copies(r, p.degre, c_conjugue(r[k])));
    }
}

struct cas_multiple {
    const char* nom;
    std::vector<racine_attendue> groupes;
};

// Copies of a multiple root of an expanded polynomial come out bit for bit equal and close to
// the true root, whatever the random start.
TEST(RacinesTest, RacinesMultiplesDePolynomesDeveloppes) {
    const complexe c{-1, 2};
    const cas_multiple cas[] = {
        {"(p+1)^2", {{{-1, 0}, 2}}},
        {"(p+0.9)^3", {{{-0.9, 0}, 3}}},
        {"(p+1)^4", {{{-1, 0}, 4}}},
        {"(p+1)^5", {{{-1, 0}, 5}}},
        {"(p+0.3)^2 (p+2)", {{{-0.3, 0}, 2}, {{-2, 0}, 1}}},
        {"(p+1)^4 (p+0.5)(p+3)", {{{-1, 0}, 4}, {{-0.5, 0}, 1}, {{-3, 0}, 1}}},
        {"(p+1)^5 (p+0.5)(p+3)", {{{-1, 0}, 5}, {{-0.5, 0}, 1}, {{-3, 0}, 1}}},
        {"paire double", {{c, 2}}},
        {"paire triple", {{c, 3}}},
        {"paire quadruple", {{c, 4}}},
        {"paire quintuple", {{c, 5}}},
        {"paire triple et réel triple", {{c, 3}, {{-1, 0}, 3}}},
        {"trois triples", {{{-1, 0}, 3}, {{-2, 0}, 3}, {{-3, 0}, 3}}},
        {"(p+0.1)^4 (p+10)^2", {{{-0.1, 0}, 4}, {{-10, 0}, 2}}},
        {"paire proche de l'axe double", {{{-1, 0.001}, 2}}},
    };
    for (const auto& k : cas) {
        const std::vector<complexe> rs = developper(k.groupes);
        const polynome p = polynome_depuis_racines(rs);
        for (std::uint64_t graine = 0; graine < 200; ++graine) {
            const liste_racines r = chercher(p, graine);
            for (const auto& g : k.groupes) {
                // The copy nearest the true root must have m − 1 exact twins.
                int proche = 1;
                for (int i = 2; i <= p.degre; ++i)
                    if (c_module(c_difference(r[i], g.z)) < c_module(c_difference(r[proche], g.z)))
                        proche = i;
                ASSERT_EQ(copies(r, p.degre, r[proche]), g.m) << k.nom << " graine " << graine;
                ASSERT_LT(c_module(c_difference(r[proche], g.z)), 1e-9 * c_module(g.z))
                    << k.nom << " graine " << graine;
                if (g.z.im != 0) {
                    ASSERT_EQ(copies(r, p.degre, c_conjugue(r[proche])), g.m) << k.nom;
                }
            }
        }
    }
}

// Close distinct roots are not mistaken for a multiple root, even when a spread test alone
// would merge them.
TEST(RacinesTest, RacinesDistinctesProchesRestentDistinctes) {
    const std::vector<std::vector<complexe>> cas = {
        {{-1, 0}, {-1.0001, 0}},
        {{-1, 0}, {-1.0001, 0}, {-1.0002, 0}},
        {{-1, 0}, {-1.0001, 0}, {-3, 0}, {-3, 0}},
        {{-1000, 0}, {-1000.1, 0}},
        {{-1, 1}, {-1, -1}, {-1.0001, 1}, {-1.0001, -1}},
    };
    for (const auto& rs : cas) {
        const polynome p = polynome_depuis_racines(rs);
        for (std::uint64_t graine = 0; graine < 100; ++graine) {
            const liste_racines r = chercher(p, graine);
            ASSERT_LT(ecart_racines(r, rs), 1e-6) << "degre " << p.degre << " graine " << graine;
        }
    }
}

TEST(RacinesTest, RacinesDeMemeModuleQuelQueSoitLeDepart) {
    // 1 + p + … + p^15: the sixteenth roots of unity but 1, all on the unit circle, where the
    // search can settle on a factor that is none; every start must still give them.
    const polynome p = depuis_coefs({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    // The first start is one on which the search once gave 1E-15 and 2E15 among the roots.
    for (std::uint64_t graine = 0; graine < 3000; ++graine) {
        const liste_racines r = chercher(p, graine == 0 ? 1564196731721688774ull : graine);
        for (int k = 1; k <= 15; ++k)
            ASSERT_NEAR(c_module(r[static_cast<std::size_t>(k)]), 1.0, 1e-9)
                << "graine " << graine << " racine " << k;
    }
}

TEST(RacinesTest, MemeGraineMemesRacines) {
    const polynome p = polynome_depuis_racines({{-1, 0}, {-2, 3}, {-2, -3}, {-0.5, 0}, {-7, 0}});
    EXPECT_EQ(chercher(p, 42), chercher(p, 42));
}

// Whatever the polynomial, the search ends and writes only inside the list.
TEST(RacinesTest, EntreesDegenereesSansDebordement) {
    polynome nul;
    nul.degre = 10;
    polynome enorme = depuis_coefs({1e300, 0, 0, 1});
    polynome minuscule = depuis_coefs({0, 1e-300, 1e-300, 1e-300, 1e-300});
    polynome trop_haut = depuis_coefs({1, 1});
    trop_haut.degre = 60;
    polynome negatif = depuis_coefs({1});
    negatif.degre = -3;
    polynome dominant_nul = depuis_coefs({2, 1, 0, 0});
    for (const polynome& p : {nul, enorme, minuscule, trop_haut, negatif, dominant_nul}) {
        const liste_racines r = chercher(p);
        EXPECT_EQ(r[0], complexe{});
    }
    // Huge and tiny coefficients are only a matter of scale.
    EXPECT_LT(ecart_racines(chercher(minuscule), {{-1, 0}, {0, 1}, {0, -1}, {0, 0}}), 1e-8);
    // The missing roots of a vanishing leading coefficient stay at zero.
    const liste_racines r = chercher(dominant_nul);
    EXPECT_DOUBLE_EQ(r[1].re, -2);
    EXPECT_EQ(r[2], complexe{});
}

} // namespace
} // namespace varlem
