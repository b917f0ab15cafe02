#include "numeric/decomposition.h"

#include "numeric/analyse_racines.h"
#include "numeric/analyseur.h"
#include "numeric/temporel.h"
#include "outils_racines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace varlem {
namespace {

using test::analyser;

using test::polynome_depuis_racines;

complexe puissance(complexe z, int n) {
    complexe r{1, 0};
    for (int k = 0; k < n; ++k) r = c_produit(r, z);
    return r;
}

// Largest gap, over a few points s off the poles, between the sum of the terms plus the direct
// term and num(s)/den(s), relative to the size of the terms (far from the poles they cancel).
// The poles are rounded to 5 digits, so the denominator is rebuilt from them (exacte = false)
// unless they are exact.
double ecart_recomposition(const fdt_travail& ft, bool exacte) {
    const complexe points[] = {{0.3, 0.7}, {-0.25, 1.9}, {2, -0.5}, {0.05, 0.05}, {-3.5, 2}};
    const int n = ft.fonction.den.degre;
    double pire = 0;
    for (const complexe s : points) {
        complexe somme{terme_direct(ft), 0};
        double taille = std::fabs(somme.re);
        complexe den{ft.fonction.den.coef[n].re, 0};
        for (int k = 0; k < n; ++k) {
            const terme& e = ft.termes_poles[k];
            const complexe d = c_difference(s, e.valeur);
            const complexe t = c_quotient(e.coef, puissance(d, e.ordre));
            somme = c_somme(somme, t);
            taille += c_module(t);
            den = c_produit(den, d);
        }
        if (exacte) den = p_valeur(ft.fonction.den, s);
        const complexe attendu = c_quotient(p_valeur(ft.fonction.num, s), den);
        pire = std::max(pire, c_module(c_difference(somme, attendu)) /
                                  std::max(taille, c_module(attendu)));
    }
    return pire;
}

TEST(DecompositionTest, PoleDoubleSansDivision) {
    const fdt_travail ft = analyser("1", "(p+1)(p+1)");
    EXPECT_EQ(ft.termes_poles[0].ordre, 2);
    EXPECT_EQ(ft.termes_poles[0].coef, (complexe{1, 0}));
    EXPECT_EQ(ft.termes_poles[1].ordre, 1);
    EXPECT_EQ(ft.termes_poles[1].coef, (complexe{0, 0}));
}

TEST(DecompositionTest, CoefficientsDesExemples) {
    const fdt_travail a = analyser("p+3", "2+3p+p^2", true);
    for (int k = 0; k < 2; ++k) {
        const double attendu = a.termes_poles[k].valeur.re == -1 ? 2 : -1;
        EXPECT_NEAR(a.termes_poles[k].coef.re, attendu, 1e-14);
        EXPECT_EQ(a.termes_poles[k].coef.im, 0);
    }
    // 1/(p² + 2p + 5): ∓0.25j on −1 ± 2j, cleaned of any real noise.
    const fdt_travail b = analyser("1", "5+2p+p^2");
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(b.termes_poles[k].coef.re, 0);
        EXPECT_NEAR(b.termes_poles[k].coef.im, b.termes_poles[k].valeur.im > 0 ? -0.25 : 0.25,
                    1e-15);
    }
}

// Groups in any order: a, b, a, b, a gives 3, 2, 2, 1, 1.
TEST(DecompositionTest, OrdresDeGroupesEntrelaces) {
    fdt_travail ft;
    ft.fonction.den.degre = 5;
    const complexe a{-1, 0}, b{-2, 0};
    const complexe v[] = {a, b, a, b, a};
    for (int k = 0; k < 5; ++k) ft.termes_poles[k].valeur = v[k];
    ft.termes_poles[7].ordre = 9;
    detecter_multiplicites(ft);
    const int attendus[] = {3, 2, 2, 1, 1};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(ft.termes_poles[k].ordre, attendus[k]) << k;
    EXPECT_EQ(ft.termes_poles[7].ordre, 0);
}

struct cas_recomposition {
    const char* num;
    const char* den;
    bool globales;
    bool poles_exacts;
};

// The terms recombine into the function, multiple poles and direct term included.
TEST(DecompositionTest, LesTermesRecomposentLaFonction) {
    const cas_recomposition cas[] = {
        {"1", "(1+p)(1+2p)(1+p+p^2)", false, false},
        {"1+p+p^2", "(1+p)(1+p)", false, true},
        {"(1-p)(3+p)", "(1+p)(1+p)(2+p)(1+0.2p+p^2)", false, false},
        {"1", "(1+p)(1+p)(1+p)(1+p)(1+2p)(1+3p)(1+4p)(1+5p)", false, false},
        {"2+p", "(1+0.5p+p^2)(1+0.5p+p^2)(1+0.5p+p^2)", false, false},
        {"1", "1+4*p+6*p^2+4*p^3+1*p^4", true, true},
        {"1+p^5", "1+5p+10p^2+10p^3+5p^4+p^5", true, true},
        {"1", "0.729+2.43*p+2.7*p^2+1*p^3", true, true},
        {"1", "(1+100p)(1+1000p)", false, true},
        {"1", "p^2", false, true},
        {"p", "(1+p)", false, true},
        {"3+p^3", "(1+p)(2+p)(1+p)(4+p)(1+p)", false, true},
    };
    for (const auto& c : cas) {
        for (std::uint64_t graine = 0; graine < 20; ++graine) {
            const fdt_travail ft = analyser(c.num, c.den, c.globales, graine);
            ASSERT_LT(ecart_recomposition(ft, c.poles_exacts), 1e-13)
                << c.num << " / " << c.den << " " << graine;
        }
    }
}

// Expanded m-fold real poles (p + 1)^m and complex pairs (p² + 2p + 5)^m, m = 2..5, over many
// random starts: the groups are whole, the coefficients stay bounded (the principal part of
// 1/(p + 1)^m is a single term) and the terms recombine into the function.
TEST(DecompositionTest, PolesMultiplesDeveloppesBornes) {
    for (int m = 2; m <= 5; ++m) {
        for (const bool paire : {false, true}) {
            const polynome facteur =
                paire ? test::depuis_coefs({5, 2, 1}) : test::depuis_coefs({1, 1});
            polynome den = p_constante(1);
            for (int k = 0; k < m; ++k) den = p_produit(den, facteur);
            for (std::uint64_t graine = 0; graine < 50; ++graine) {
                contexte_calcul ctx;
                ctx.graine = graine;
                ctx.racines_globales = true;
                fdt_travail ft;
                ft.fonction.num = p_constante(1);
                ft.fonction.den = den;
                analyser_racines(ctx, ft);
                const int n = den.degre;
                for (int k = 0; k < n; ++k) {
                    ASSERT_LT(c_module(ft.termes_poles[k].coef), 2) << m << paire << graine;
                    ASSERT_EQ(ft.termes_poles[k].ordre, paire ? m - k / 2 : m - k) << m << paire;
                }
                ASSERT_LT(ecart_recomposition(ft, true), 1e-12) << m << paire << graine;
                if (!paire) {
                    ASSERT_NEAR(ft.termes_poles[0].coef.re, 1, 1e-12);
                    const double t = 2.5;
                    ASSERT_NEAR(valeur_temporelle(ft, t),
                                std::pow(t, m - 1) * std::exp(-t) / factorielle(m - 1), 1e-12);
                }
            }
        }
    }
}

// A 4-fold pole among four simple ones, typed as factors: bounded coefficients from the
// series, the leading one 1/(120·Π(−1 − p_k)) over the other (rounded) poles, about 1/24.
TEST(DecompositionTest, PoleQuadrupleParmiDesFacteurs) {
    const fdt_travail ft = analyser("1", "(1+p)(1+p)(1+p)(1+p)(1+2p)(1+3p)(1+4p)(1+5p)");
    EXPECT_EQ(ft.termes_poles[0].ordre, 4);
    const double produit = 120 * (-1 + 0.5) * (-1 + 0.33333) * (-1 + 0.25) * (-1 + 0.2);
    EXPECT_NEAR(ft.termes_poles[0].coef.re, 1 / produit, 1e-16);
    for (int k = 0; k < 8; ++k) EXPECT_LT(c_module(ft.termes_poles[k].coef), 100) << k;
}

// T_s(p) = s^(deg N − deg D)·T(p / s): the poles s·z_k, the numerator's coefficients c_i·s^(deg
// N − i). Its terms are those of T times s^(r + deg N − deg D) for the order r. With s = 2^k
// exact, that holds to rounding for poles so large that N(z) or the products of the other
// factors leave the doubles (they gave NAN); the numerators start at p^4, so that their own
// coefficients stay doubles.
TEST(DecompositionTest, TermesDesPolesImmenses) {
    struct cas {
        const char* nom;
        std::vector<complexe> poles;
        std::vector<double> num; // c_0 .. c_degN
    };
    const cas familles[] = {
        {"simples",
         {{-1, 0},
          {-2, 0},
          {-3, 0},
          {-4, 0},
          {-5, 0},
          {-6, 0},
          {-7, 0},
          {-8, 0},
          {-9, 0},
          {-1, 2},
          {-1, -2},
          {-0.5, 0},
          {-10, 0}},
         {0, 0, 0, 0, 1, 1, -2, 1, 1, 0.25, 1, 2, 1}},
        {"double",
         {{-1, 0},
          {-1, 0},
          {-3, 0},
          {-4, 0},
          {-5, 0},
          {-6, 0},
          {-7, 0},
          {-2, 3},
          {-2, -3},
          {-11, 0},
          {-12, 0},
          {-13, 0}},
         {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1}},
    };
    const auto fonction = [](const cas& c, int k) {
        fdt_travail ft;
        const int degre_num = static_cast<int>(c.num.size()) - 1;
        ft.fonction.num.degre = degre_num;
        for (int i = 0; i <= degre_num; ++i)
            ft.fonction.num.coef[i] = {std::ldexp(c.num[i], (degre_num - i) * k), 0};
        const int n = static_cast<int>(c.poles.size());
        ft.fonction.den.degre = n;
        ft.fonction.den.coef[n] = {2, 0};
        for (int j = 0; j < n; ++j)
            ft.termes_poles[j].valeur = {std::ldexp(c.poles[j].re, k),
                                         std::ldexp(c.poles[j].im, k)};
        decomposer(ft);
        return ft;
    };
    for (const cas& c : familles) {
        const fdt_travail reference = fonction(c, 0);
        const int ecart_degres =
            static_cast<int>(c.num.size()) - 1 - static_cast<int>(c.poles.size());
        for (const int k : {20, 60, 100, 120, -40}) {
            const fdt_travail ft = fonction(c, k);
            for (std::size_t j = 0; j < c.poles.size(); ++j) {
                const terme& r = reference.termes_poles[j];
                const terme& e = ft.termes_poles[j];
                ASSERT_EQ(e.ordre, r.ordre) << c.nom << " k=" << k << " pole " << j;
                const int puissance = (r.ordre + ecart_degres) * k;
                const complexe attendu{std::ldexp(r.coef.re, puissance),
                                       std::ldexp(r.coef.im, puissance)};
                ASSERT_TRUE(std::isfinite(e.coef.re) && std::isfinite(e.coef.im))
                    << c.nom << " k=" << k << " pole " << j;
                EXPECT_LE(c_module(c_difference(e.coef, attendu)), 1e-9 * c_module(attendu))
                    << c.nom << " k=" << k << " pole " << j;
            }
        }
    }
}

// A closed loop whose poles run from 4.5E3 to 3E17: scaled to the largest, the small ones
// vanished; each is computed in its own scale, and the terms recombine into the function.
TEST(DecompositionTest, PolesDeTaillesEloignees) {
    const char* num = "1E31+1.1E32p+1.1E32p^2+1.1E32p^3+1.1E32p^4+1.1E32p^5+1.1E32p^6+1.1E32p^7+"
                      "1.1E32p^8+1.1E32p^9+1.1E32p^10+1.1E32p^11+1.1E32p^12+1.1E32p^13+"
                      "1.1E32p^14+1.1E32p^15+1E32p^16+10p^17";
    const char* den = "1E62+1E63p+2E32p^2+50020p^3+50010p^4+50010p^5+50010p^6+50010p^7+"
                      "50010p^8+50010p^9+50010p^10+50010p^11+50010p^12+50010p^13+50010p^14+"
                      "50010p^15+50010p^16+25270p^17";
    const fdt_travail ft = analyser(num, den);
    ASSERT_EQ(ft.fonction.den.degre, 17);
    for (int k = 0; k < 17; ++k) {
        const complexe c = ft.termes_poles[k].coef;
        EXPECT_TRUE(std::isfinite(c.re) && std::isfinite(c.im)) << "pole " << k;
    }
    const std::string texte = texte_decomposition(contexte_calcul{}, ft, 4);
    EXPECT_EQ(texte.find("NAN"), std::string::npos) << texte;
    EXPECT_LT(ecart_recomposition(ft, true), 1e-9);
}

TEST(DecompositionTest, TexteDeLExemple) {
    const fdt_travail ft = analyser("1", "(p+1)(p+2)");
    contexte_calcul ctx;
    EXPECT_EQ(texte_decomposition(ctx, ft, 3), "ecriture sous forme décomposée:\r\n\r\n"
                                               " 1\r\n_____________________\r\n p - (-1)\r\n+\r\n"
                                               "-1\r\n_____________________\r\n p - (-2)\r\n\r\n");
}

TEST(DecompositionTest, TextesParticuliers) {
    contexte_calcul ctx;
    EXPECT_EQ(texte_decomposition(ctx, analyser("p+1", "(p+2)"), 3),
              "ecriture sous forme décomposée:\r\n\r\n 1\r\n + \r\n"
              "-1\r\n_____________________\r\n p - (-2)\r\n\r\n");
    EXPECT_EQ(texte_decomposition(ctx, analyser("p^2", "(p+1)"), 3),
              "Décomposition sans objet ou d° num > d° denom\r\n");
    EXPECT_EQ(texte_decomposition(ctx, analyser("1", "(p^2)"), 4),
              "ecriture sous forme décomposée:\r\n\r\n 1\r\n_____________________\r\n"
              " p - () ^2\r\n+\r\n0\r\n_____________________\r\n p - ()\r\n\r\n");
    ctx.variable_p = 's';
    const fdt_travail paire = analyser("1", "5+2p+p^2");
    const std::string t = texte_decomposition(ctx, paire, 3);
    EXPECT_NE(t.find(" + j -2.5E-1\r\n"), std::string::npos) << t;
    EXPECT_NE(t.find(" s - (-1+  j  2)\r\n"), std::string::npos) << t;
    ctx.erreur_syntaxe = true;
    EXPECT_EQ(texte_decomposition(ctx, paire, 3), "");
}

} // namespace
} // namespace varlem
