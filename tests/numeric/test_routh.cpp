#include "numeric/routh.h"

#include "numeric/racines.h"
#include "outils_racines.h"

#include <gtest/gtest.h>

#include <random>

namespace varlem {
namespace {

using test::depuis_coefs;
using test::polynome_depuis_racines;

using lignes = std::vector<std::vector<terme_routh>>;

terme_routh nb(double x) {
    return {x, 0};
}

comptes_racines compter(const polynome& p) {
    double c[capacite_polynome + 1] = {};
    for (int k = 0; k <= p.degre; ++k) c[k] = p.coef[std::size_t(k)].re;
    return compter_racines_routh(c, p.degre);
}

// Two textbook tables, entry by entry: the zero replaced by ε with the next row led by −7/ε,
// and the row of zeros replaced by the derivative of 7p⁴ + 42p² + 56.
TEST(RouthTest, TablesDuCours) {
    const tableau_routh a = table_routh(depuis_coefs({3, 5, 6, 3, 2, 1}));
    const lignes attendu_a = {{nb(1), nb(3), nb(5)},
                              {nb(2), nb(6), nb(3)},
                              {{1, 1}, nb(3.5)},
                              {{-7, -1}, nb(3)},
                              {nb(3.5)},
                              {nb(3)}};
    EXPECT_EQ(a.lignes, attendu_a);
    ASSERT_EQ(a.cas.size(), 1u);
    EXPECT_EQ(a.cas[0].ligne, 3);
    EXPECT_EQ(a.cas[0].genre, genre_cas_routh::zero_premiere_colonne);
    EXPECT_EQ(a.racines, (comptes_racines{2, 0, 3}));

    const tableau_routh b = table_routh(depuis_coefs({56, 8, 42, 6, 7, 1}));
    ASSERT_EQ(b.lignes.size(), 6u);
    EXPECT_EQ(b.lignes[2], (std::vector<terme_routh>{nb(28), nb(84)}));
    EXPECT_EQ(b.lignes[3], (std::vector<terme_routh>{nb(21), nb(56)}));
    EXPECT_DOUBLE_EQ(b.lignes[4][0].coef, 28.0 / 3);
    ASSERT_EQ(b.cas.size(), 1u);
    EXPECT_EQ(b.cas[0].ligne, 3);
    EXPECT_EQ(b.cas[0].genre, genre_cas_routh::ligne_nulle);
    EXPECT_EQ(b.cas[0].auxiliaire, (std::vector<terme_routh>{nb(7), nb(42), nb(56)}));
    EXPECT_EQ(b.racines, (comptes_racines{0, 4, 1}));
}

struct cas_comptes {
    const char* nom;
    polynome p;
    comptes_racines attendu;
    std::vector<genre_cas_routh> genres;
};

TEST(RouthTest, ComptesDeRacinesConnues) {
    using g = genre_cas_routh;
    const cas_comptes cas[] = {
        {"constante", depuis_coefs({5}), {0, 0, 0}, {}},
        {"2p − 4", depuis_coefs({-4, 2}), {1, 0, 0}, {}},
        {"−p² − 3p − 2", depuis_coefs({-2, -3, -1}), {0, 0, 2}, {}},
        {"(p+1)(p+2)(p+3)", depuis_coefs({6, 11, 6, 1}), {0, 0, 3}, {}},
        // A root at 0: the last row is zero and the auxiliary polynomial is p.
        {"p(p+1)²", depuis_coefs({0, 1, 2, 1}), {0, 1, 2}, {g::ligne_nulle}},
        {"p²", depuis_coefs({0, 0, 1}), {0, 2, 0}, {g::ligne_nulle, g::ligne_nulle}},
        {"p²(p²+1)", depuis_coefs({0, 0, 1, 0, 1}), {0, 4, 0}, {}},
        {"(p²+1)²(p+1)", depuis_coefs({1, 1, 2, 2, 1, 1}), {0, 4, 1}, {}},
        {"p(p−1)", depuis_coefs({0, -1, 1}), {1, 1, 0}, {g::ligne_nulle}},
        // Both special cases in one table: (p²+2)(p⁴+p³+2p²+2p+3).
        {"les deux cas", depuis_coefs({6, 4, 7, 4, 4, 1, 1}), {2, 2, 2}, {}},
        {"p⁴ + 1", depuis_coefs({1, 0, 0, 0, 1}), {2, 0, 2}, {}},
    };
    for (const auto& c : cas) {
        const tableau_routh t = table_routh(c.p);
        EXPECT_EQ(t.racines, c.attendu) << c.nom;
        EXPECT_EQ(static_cast<int>(t.lignes.size()), t.degre + 1) << c.nom;
        for (std::size_t i = 0; i < t.lignes.size(); ++i)
            EXPECT_EQ(t.lignes[i].size(), std::size_t((t.degre - int(i)) / 2 + 1)) << c.nom;
        if (!c.genres.empty()) {
            std::vector<genre_cas_routh> genres;
            for (const auto& k : t.cas) genres.push_back(k.genre);
            EXPECT_EQ(genres, c.genres) << c.nom;
        }
        EXPECT_EQ(compter(c.p), c.attendu) << c.nom;
    }
}

TEST(RouthTest, LesDeuxCasDansUneTable) {
    const tableau_routh t = table_routh(depuis_coefs({6, 4, 7, 4, 4, 1, 1}));
    bool zero = false, nulle = false;
    for (const auto& k : t.cas) {
        zero |= k.genre == genre_cas_routh::zero_premiere_colonne;
        nulle |= k.genre == genre_cas_routh::ligne_nulle;
    }
    EXPECT_TRUE(zero);
    EXPECT_TRUE(nulle);
}

// Zero leading coefficients lower the degree; trailing ones are roots at 0.
TEST(RouthTest, CoefficientsNulsAuxExtremites) {
    polynome p = depuis_coefs({2, 3, 1, 0, 0});
    const tableau_routh t = table_routh(p);
    EXPECT_EQ(t.degre, 2);
    EXPECT_EQ(t.racines, (comptes_racines{0, 0, 2}));
    EXPECT_EQ(table_routh(depuis_coefs({0, 0, 2, 3, 1})).racines, (comptes_racines{0, 2, 2}));
    EXPECT_TRUE(table_routh(depuis_coefs({0, 0, 0})).polynome_nul);
    EXPECT_EQ(table_routh(depuis_coefs({0, 4})).racines, (comptes_racines{0, 1, 0}));
}

// Products of factors with small integer coefficients, so that the expanded polynomial is
// exact: roots on the axis (and at 0) with multiplicities, real and complex roots either side.
TEST(RouthTest, ProduitsDeFacteursExacts) {
    std::mt19937 gen(20240611);
    std::uniform_int_distribution<int> sorte(0, 4), petit(1, 3), signe(0, 1);
    for (int essai = 0; essai < 3000; ++essai) {
        polynome p = p_constante(signe(gen) ? 1.0 : -1.0);
        comptes_racines attendu;
        const int facteurs = 1 + essai % 6;
        for (int f = 0; f < facteurs; ++f) {
            const int s = sorte(gen);
            const double a = petit(gen), b = petit(gen);
            const double sg = signe(gen) ? 1.0 : -1.0;
            if (s == 0) { // p + a·sg
                p = p_produit(p, depuis_coefs({a * sg, 1}));
                (sg > 0 ? attendu.partie_reelle_negative : attendu.partie_reelle_positive) += 1;
            } else if (s == 1) { // p² + b²
                p = p_produit(p, depuis_coefs({b * b, 0, 1}));
                attendu.axe_imaginaire += 2;
            } else if (s == 2) { // p
                p = p_produit(p, depuis_coefs({0, 1}));
                attendu.axe_imaginaire += 1;
            } else { // (p + sg·a)² + b²
                p = p_produit(p, depuis_coefs({a * a + b * b, 2 * sg * a, 1}));
                (sg > 0 ? attendu.partie_reelle_negative : attendu.partie_reelle_positive) += 2;
            }
        }
        ASSERT_EQ(table_routh(p).racines, attendu) << polynome_texte(p, 'p');
    }
}

// Random polynomials whose roots keep away from the axis: the counts match the roots that the
// root finder gives.
TEST(RouthTest, AccordAvecLesRacinesTrouvees) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int essai = 0; essai < 1000; ++essai) {
        const int degre = 1 + essai % 14;
        std::vector<complexe> r;
        while (static_cast<int>(r.size()) < degre) {
            const double re = (u(gen) < 0.5 ? -1 : 1) * (0.1 + 3 * u(gen));
            if (degre - static_cast<int>(r.size()) >= 2 && u(gen) < 0.5) {
                const double im = 0.1 + 3 * u(gen);
                r.push_back({re, im});
                r.push_back({re, -im});
            } else {
                r.push_back({re, 0});
            }
        }
        const polynome p = polynome_depuis_racines(r, 0.5 + u(gen));
        contexte_calcul ctx;
        ctx.graine = 3;
        const liste_racines trouvees = racines(ctx, p);
        comptes_racines attendu;
        for (int k = 1; k <= degre; ++k)
            (trouvees[std::size_t(k)].re > 0 ? attendu.partie_reelle_positive
                                             : attendu.partie_reelle_negative) += 1;
        ASSERT_EQ(table_routh(p).racines, attendu) << polynome_texte(p, 'p');
    }
}

} // namespace
} // namespace varlem
