#include "numeric/temporel.h"

#include "numeric/analyse_racines.h"
#include "numeric/analyseur.h"
#include "outils_racines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace varlem {
namespace {

using test::analyser;

// The product with a test input, analysed as the time study does.
fdt_travail reponse(const fdt_travail& T, entree_temps genre) {
    fdt E;
    transformee_entree(genre, E, 1, 0, 1);
    fdt_travail ft;
    ft.fonction = f_produit(T.fonction, E);
    analyser_produit_entree(ft, T, genre, E);
    return ft;
}

struct cas_exact {
    const char* nom;
    fdt_travail ft;
    std::function<double(double)> exact;
    std::vector<double> instants;
    double tolerance;
};

TEST(TemporelTest, ReponsesExactes) {
    using std::exp;
    const cas_exact cas[] = {
        {"1/(p+1)", analyser("1", "(p+1)"), [](double t) { return exp(-t); }, {0, 1, 3.5}, 1e-15},
        {"1/p²", analyser("1", "(p^2)"), [](double t) { return t; }, {0, 2, 10}, 1e-15},
        {"1/(p²+2p+5)",
         analyser("1", "5+2p+p^2"),
         [](double t) { return 0.5 * exp(-t) * std::sin(2 * t); },
         {0, 0.3, 1, 4},
         1e-15},
        {"échelon de 1/(1+1000p)",
         reponse(analyser("1", "(1+1000p)"), entree_temps::echelon),
         [](double t) { return 1 - exp(-t / 1000); },
         {0, 500, 1000, 20000},
         1e-14},
        {"échelon de 1/((1+100p)(1+1000p))",
         reponse(analyser("1", "(1+100p)(1+1000p)"), entree_temps::echelon),
         [](double t) { return 1 - (10 * exp(-t / 1000) - exp(-t / 100)) / 9; },
         {0, 300, 3000, 30000},
         1e-14},
        {"1e-11/((1+p)(1+2p))",
         analyser("0.00000000001", "(1+p)(1+2p)"),
         [](double t) { return 1e-11 * (exp(-t / 2) - exp(-t)); },
         {0.5, 2, 8},
         1e-25},
        {"(p+1)⁴ développé",
         analyser("1", "1+4p+6p^2+4p^3+p^4", true),
         [](double t) { return t * t * t * exp(-t) / 6; },
         {0, 1, 3, 9},
         1e-13},
        {"rampe de 1/(1+p)",
         reponse(analyser("1", "(1+p)"), entree_temps::rampe),
         [](double t) { return t - 1 + exp(-t); },
         {0, 0.5, 4},
         1e-14},
    };
    for (const auto& c : cas)
        for (const double t : c.instants)
            EXPECT_NEAR(valeur_temporelle(c.ft, t), c.exact(t),
                        c.tolerance * std::max(1.0, std::fabs(c.exact(t))))
                << c.nom << " t=" << t;
    EXPECT_DOUBLE_EQ(valeur_temporelle(cas[0].ft, 1), 0.36787944117144233);
}

// Before 0 only the first-order terms keep their exponential.
TEST(TemporelTest, InstantsNegatifs) {
    EXPECT_DOUBLE_EQ(valeur_temporelle(analyser("1", "(p+1)"), -1), std::exp(1.0));
    EXPECT_EQ(valeur_temporelle(analyser("1", "(p^2)"), -1), 0);
}

TEST(TemporelTest, PlafondDesTermesDivergents) {
    const fdt_travail ft = analyser("1", "(p-1)");
    EXPECT_DOUBLE_EQ(valeur_temporelle(ft, 99), std::exp(99.0));
    EXPECT_EQ(valeur_temporelle(ft, 100), 1e55);
    EXPECT_EQ(valeur_temporelle(ft, 1e6), 1e55);
}

TEST(TemporelTest, SansPoleZero) {
    EXPECT_EQ(valeur_temporelle(analyser("1", "2"), 1), 0);
}

struct cas_grille {
    const char* nom;
    fdt_travail ft;
    double t0, dt;
    int n;
};

// The fast grid evaluation gives the pointwise values within a few roundings of the response's
// scale, the overflow cap included.
TEST(TemporelTest, GrilleEgaleAuxValeursPonctuelles) {
    const fdt_travail degre9 =
        analyser("1+0.5p", "(1+p)(1+0.1p)(1+0.3p+p^2)(1+0.02p+0.25p^2)(1+2p)(1+5p)(1+0.05p)");
    const cas_grille cas[] = {
        {"degré 9, échelon", reponse(degre9, entree_temps::echelon), 0, 0.01, 5000},
        {"degré 9, impulsion", degre9, 0, 0.037, 1000},
        {"pôle quadruple", analyser("1+p", "1+4p+6p^2+4p^3+p^4", true), 0, 0.05, 700},
        {"rampe", reponse(degre9, entree_temps::rampe), 0, 0.1, 333},
        {"départ négatif", analyser("1", "(p+1)(p^2)"), -2, 0.013, 777},
        {"divergent", analyser("1", "(p-1)(p+3)"), 0, 0.25, 600},
        {"oscillant lent", analyser("1", "1+0.0001p+p^2"), 10, 0.7, 4000},
        {"un point", analyser("1", "(p+1)"), 2, 1, 1},
    };
    for (const auto& c : cas) {
        std::vector<double> grille(static_cast<std::size_t>(c.n));
        valeurs_temporelles(c.ft, c.t0, c.dt, c.n, grille.data());
        double echelle = 0;
        for (int k = 0; k < c.n; ++k)
            echelle = std::max(echelle, std::fabs(valeur_temporelle(c.ft, c.t0 + k * c.dt)));
        for (int k = 0; k < c.n; ++k) {
            const double t = c.t0 + k * c.dt;
            ASSERT_NEAR(grille[k], valeur_temporelle(c.ft, t), 1e-12 * echelle)
                << c.nom << " k=" << k;
        }
    }
    valeurs_temporelles(degre9, 0, 1, 0, nullptr);
}

// Two terms of ±c on poles −1 and −1 − δ: c·e^(−t)·(1 − e^(−δt)), computed without the
// cancellation as the exact reference.
fdt_travail termes_qui_s_annulent(double c, double delta) {
    fdt_travail ft;
    ft.fonction.den.degre = 2;
    ft.termes_poles[0] = {{-1, 0}, 1, {c, 0}};
    ft.termes_poles[1] = {{-1 - delta, 0}, 1, {-c, 0}};
    return ft;
}

struct cas_annulation {
    const char* nom;
    double c, delta;
    bool masque_attendu;
};

// Every sample shown is within the tolerance of the response's scale, and samples are given as
// not computable only where the terms' cancellation allows no such value.
TEST(TemporelTest, ArrondisDesTermesQuiSAnnulent) {
    const cas_annulation cas[] = {
        {"bien séparés", 1, 1, false},
        {"proches, petits", 1e6, 1e-6, false},
        {"immenses et proches", 1e20, 1e-12, true},
        {"immenses et confondus", 1e40, 1e-30, true},
    };
    constexpr int n = 400;
    constexpr double dt = 0.025;
    for (const auto& c : cas) {
        const fdt_travail ft = termes_qui_s_annulent(c.c, c.delta);
        std::vector<double> grille(n);
        const double echelle_vue = valeurs_temporelles(ft, 0, dt, n, grille.data());
        double echelle = 0;
        std::vector<double> exact(n);
        for (int k = 0; k < n; ++k) {
            const double t = k * dt;
            exact[k] = -c.c * std::exp(-t) * std::expm1(-c.delta * t);
            echelle = std::max(echelle, std::fabs(exact[k]));
        }
        int masques = 0;
        double plus_grande_montree = 0;
        for (int k = 0; k < n; ++k) {
            if (std::isnan(grille[k])) {
                ++masques;
                continue;
            }
            plus_grande_montree = std::max(plus_grande_montree, std::fabs(grille[k]));
            EXPECT_NEAR(grille[k], exact[k], tolerance_arrondi_temporel * echelle)
                << c.nom << " k=" << k;
        }
        EXPECT_EQ(masques > 0, c.masque_attendu) << c.nom << ": " << masques;
        EXPECT_EQ(echelle_vue, plus_grande_montree) << c.nom;
        // The readout judges a single value by the same rule.
        const double t = 40 * dt;
        const double lu = valeur_temporelle_sure(ft, t, echelle);
        EXPECT_EQ(std::isnan(lu), std::isnan(grille[40])) << c.nom;
        if (!std::isnan(lu)) {
            EXPECT_NEAR(lu, exact[40], tolerance_arrondi_temporel * echelle) << c.nom;
        }
    }
}

// A step response is 0 at t = 0 by cancellation of its terms, and stays a number there.
TEST(TemporelTest, DepartNulDUnEchelonReste) {
    const fdt_travail ft = reponse(analyser("1", "(1+p)(1+0.5p)(1+0.1p)"), entree_temps::echelon);
    std::vector<double> v(50);
    valeurs_temporelles(ft, 0, 0.1, 50, v.data());
    EXPECT_NEAR(v[0], 0, 1e-15);
    EXPECT_NEAR(valeur_temporelle_sure(ft, 0, 1), 0, 1e-15);
    EXPECT_LT(borne_arrondi_temporelle(ft, 0), 1e-12);
}

TEST(TemporelTest, TransformeesDesEntrees) {
    fdt E;
    transformee_entree(entree_temps::echelon, E, 3, 1, 2);
    EXPECT_EQ(E.num, p_constante(1));
    EXPECT_EQ(E.den.degre, 1);
    EXPECT_EQ(E.den.coef[1].re, 1);
    EXPECT_EQ(E.den.coef[0].re, 0);

    transformee_entree(entree_temps::rampe, E, 3, 1, 2);
    EXPECT_EQ(E.num, p_constante(1));
    EXPECT_EQ(E.den.degre, 2);
    EXPECT_EQ(E.den.coef[2].re, 1);
    EXPECT_EQ(E.den.coef[1].re, 0);

    transformee_entree(entree_temps::sinus, E, 3, 0, 2);
    EXPECT_EQ(E.num.degre, 0);
    EXPECT_EQ(E.num.coef[0].re, 6);
    EXPECT_EQ(E.den.coef[0].re, 4);
    EXPECT_EQ(E.den.coef[2].re, 1);

    transformee_entree(entree_temps::sinus, E, 3, 0.5, 2);
    EXPECT_EQ(E.num.degre, 1);
    EXPECT_DOUBLE_EQ(E.num.coef[0].re, 6 * std::cos(0.5));
    EXPECT_DOUBLE_EQ(E.num.coef[1].re, 3 * std::sin(0.5));

    const fdt avant = E;
    transformee_entree(entree_temps::carre, E, 1, 1, 1);
    EXPECT_EQ(E.num, avant.num);
    EXPECT_EQ(E.den, avant.den);
}

// The sine response tends to the steady state |T(jω)|·sin(ωt + arg T(jω)).
TEST(TemporelTest, ReponseSinusoidaleEtablie) {
    const fdt_travail T = analyser("1", "(1+p)");
    fdt E;
    transformee_entree(entree_temps::sinus, E, 2, 0.3, 3);
    fdt_travail ft;
    ft.fonction = f_produit(T.fonction, E);
    analyser_produit_entree(ft, T, entree_temps::sinus, E);
    const complexe h = fdt_valeur(T.fonction, 3);
    for (const double t : {40.0, 41.3, 47.9})
        EXPECT_NEAR(valeur_temporelle(ft, t),
                    2 * c_module(h) * std::sin(3 * t + 0.3 + c_argument(h)), 1e-12);
}

TEST(TemporelTest, TermeDirect) {
    EXPECT_EQ(terme_direct(analyser("p", "(1+p)")), 1);
    EXPECT_EQ(terme_direct(analyser("3+2p", "(1+4p)")), 0.5);
    EXPECT_EQ(terme_direct(analyser("1", "(1+p)")), 0);
    // Numerator of higher degree: the ratio of the coefficients of the denominator's degree.
    EXPECT_EQ(terme_direct(analyser("p^2+3p", "(1+2p)")), 1.5);
}

} // namespace
} // namespace varlem
