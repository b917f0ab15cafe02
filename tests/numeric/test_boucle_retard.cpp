#include "numeric/boucle_retard.h"

#include "numeric/temporel.h"
#include "outils_racines.h"
#include "support/donnees.h"
#include "support/json_lu.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace varlem {
namespace {

using test::depuis_coefs;

// The step response of K·e^(−τp)/(1 + a·p) closed through R = 1, exactly, interval by
// interval: Y = (1/p)·Σ (−1)^(k+1)·G^k·e^(−kτp), so on [nτ, (n+1)τ] it is the sum of n terms
// (−1)^(k+1)·K^k·E_k((t − kτ)/a), E_k the Erlang distribution function of order k — each a
// polynomial times an exponential. In long double, each E_k summed on the side where its
// series has no cancellation.
long double erlang(int k, long double x) {
    if (x <= 0) return 0;
    long double terme = std::exp(-x), somme = 0;
    if (x < k) {
        // e^(−x)·Σ_{j ≥ k} x^j/j!
        for (int j = 1; j <= k; ++j) terme *= x / j;
        for (int j = k; terme > 1e-40L * somme || j < k + 5; ++j) {
            somme += terme;
            terme *= x / (j + 1);
        }
        return somme;
    }
    for (int j = 0; j < k; ++j) {
        somme += terme;
        terme *= x / (j + 1);
    }
    return 1 - somme;
}

long double echelon_exact(double K, double a, double tau, double t) {
    long double y = 0, signe = 1, puissance = K;
    for (int k = 1; k * tau <= t; ++k) {
        y += signe * puissance * erlang(k, (t - k * (long double)tau) / a);
        signe = -signe;
        puissance *= K;
    }
    return y;
}

// Gain at which the loop of K·e^(−τp)/(1 + a·p) oscillates: |G(jω)| = 1 where the phase is −π.
double gain_critique(double a, double tau) {
    double lo = 0, hi = 3.14159265358979 / tau;
    for (int i = 0; i < 200; ++i) {
        const double w = (lo + hi) / 2;
        (w * tau + std::atan(a * w) < 3.14159265358979 ? lo : hi) = w;
    }
    return std::hypot(1.0, a * lo);
}

boucle_retardee boucle_premier_ordre(double K, double a, double tau) {
    boucle_retardee b;
    b.num_directe = depuis_coefs({K});
    b.den_directe = depuis_coefs({1, a});
    b.num_retour = depuis_coefs({1});
    b.den_retour = depuis_coefs({1});
    b.retard = tau;
    b.num_entree = depuis_coefs({1});
    b.den_entree = depuis_coefs({0, 1});
    return b;
}

TEST(BoucleRetardTest, PremierOrdreContreLaSolutionExacte) {
    for (const double rapport : {0.1, 0.3, 1.0, 3.0, 10.0}) {
        const double tau = 0.7, a = rapport * tau;
        const double kc = gain_critique(a, tau);
        for (const double K : {0.5, 2.0, 1.5 * kc}) {
            SCOPED_TRACE("a/τ = " + std::to_string(rapport) + ", K = " + std::to_string(K));
            // The series cancels terms up to e^(K·t/a) into e^(σt): the window of the unstable
            // loop stays where long double carries the reference.
            const double t_fin = std::max(15 * tau, std::min(8 * a, 35 * a / K));
            const reponse_boucle_retard r(boucle_premier_ordre(K, a, tau), t_fin);
            ASSERT_TRUE(r.valide());
            std::vector<double> t, exact;
            double pic = 0;
            for (int i = 0; i <= 3000; ++i) {
                t.push_back(t_fin * i / 3000);
                exact.push_back(static_cast<double>(echelon_exact(K, a, tau, t.back())));
                pic = std::max(pic, std::fabs(exact.back()));
            }
            for (std::size_t i = 0; i < t.size(); ++i)
                ASSERT_NEAR(r.valeur(t[i]), exact[i], 1e-6 * pic) << "t = " << t[i];
        }
    }
}

TEST(BoucleRetardTest, ValeursDeReference) {
    const test::json_lu cas =
        test::json_lu::lire_fichier(test::chemin_donnees("retard.json"))["cas"];
    int vus = 0;
    for (std::size_t i = 0; i < cas.taille(); ++i) {
        const test::json_lu c = cas[i];
        if (c["genre"].chaine() != "boucle") continue;
        ++vus;
        SCOPED_TRACE(c["id"].chaine());
        // K·e^(−τp)/(1 + p) with C = kp.
        const boucle_retardee b = boucle_premier_ordre(c["kp"].nombre(), 1, c["retard"].nombre());
        const test::json_lu points = c["ref"]["points"];
        double pic = 0;
        for (std::size_t k = 0; k < points.taille(); ++k)
            pic = std::max(pic, std::fabs(points[k]["y"].nombre()));
        const reponse_boucle_retard r(b, 20);
        for (std::size_t k = 0; k < points.taille(); ++k)
            EXPECT_NEAR(r.valeur(points[k]["t"].nombre()), points[k]["y"].nombre(), 1e-6 * pic);
    }
    EXPECT_EQ(vus, 2);
}

// A loop of higher order and a return path: the response must not depend on the grid, and the
// loop through a gain R = 1 with G·R = K/p is the step response of the delay equation
// y′ = K·(1 − y(t − τ)) whose first pieces are polynomials: K(t − τ), then K(t − τ) − K²(t −
// 2τ)²/2.
TEST(BoucleRetardTest, IntegrateurRetarde) {
    boucle_retardee b;
    b.num_directe = depuis_coefs({2});
    b.den_directe = depuis_coefs({0, 1});
    b.num_retour = depuis_coefs({1});
    b.den_retour = depuis_coefs({1});
    b.retard = 0.25;
    b.num_entree = depuis_coefs({1});
    b.den_entree = depuis_coefs({0, 1});
    const reponse_boucle_retard r(b, 2);
    for (const double t : {0.1, 0.25, 0.3, 0.49, 0.5, 0.6, 0.74}) {
        const double attendu = t < 0.25  ? 0.0
                               : t < 0.5 ? 2 * (t - 0.25)
                                         : 2 * (t - 0.25) - 2 * (t - 0.5) * (t - 0.5);
        EXPECT_NEAR(r.valeur(t), attendu, 1e-12) << t;
    }
}

// The impulse response is the derivative of the step response between the multiples of τ, also
// when the direct chain has a direct term, which sends impulses round the loop at every
// multiple of τ (only the regular part is shown) and makes the step response jump there.
TEST(BoucleRetardTest, ImpulsionEstLaDeriveeDeLEchelon) {
    for (const double direct : {0.0, 0.5}) {
        boucle_retardee e = boucle_premier_ordre(1.5, 0.5, 0.4);
        // Set term by term: GCC 12 builds the list {1.5, direct·0.5} through an MMX register
        // without clearing it, which leaves the x87 unit unusable for later tests.
        e.num_directe.degre = 1;
        e.num_directe.coef[1] = {direct * 0.5, 0};
        boucle_retardee i = e;
        i.den_entree = depuis_coefs({1});
        const reponse_boucle_retard re(e, 3), ri(i, 3);
        for (const double t : {0.45, 0.9, 1.3, 2.1, 2.9}) {
            const double d = 1e-5;
            EXPECT_NEAR(ri.valeur(t), (re.valeur(t + d) - re.valeur(t - d)) / (2 * d), 1e-6)
                << direct << " " << t;
        }
        if (direct != 0) {
            // The step's jump at τ is the direct term, at 2τ the jump sent back round the loop.
            EXPECT_NEAR(re.valeur(0.4), 0.5, 1e-12);
            EXPECT_NEAR(re.valeur(0.8) - re.valeur(0.8 - 1e-9), -0.25, 1e-6);
        }
    }
}

TEST(BoucleRetardTest, FonctionsTemporellesEmpruntentLaBoucle) {
    fdt_travail ft;
    ft.fonction.num = depuis_coefs({1});
    ft.fonction.den = depuis_coefs({1});
    auto b = std::make_shared<boucle_retardee>(boucle_premier_ordre(2, 1, 1));
    ft.fonction.boucle = b;
    std::vector<double> grille(121);
    valeurs_temporelles(ft, 0, 0.1, 121, grille.data());
    const reponse_boucle_retard r(*b, 12);
    for (int k = 0; k <= 120; ++k) {
        EXPECT_DOUBLE_EQ(grille[static_cast<std::size_t>(k)], r.valeur(0.1 * k)) << k;
        if (k % 17 == 0) {
            EXPECT_DOUBLE_EQ(valeur_temporelle(ft, 0.1 * k), r.valeur(0.1 * k));
        }
    }
    // A delay on the record itself shifts the loop's response.
    ft.fonction.retard = 0.5;
    EXPECT_EQ(valeur_temporelle(ft, 0.4), 0.0);
    EXPECT_NEAR(valeur_temporelle(ft, 2.5), r.valeur(2.0), 1e-12);
}

TEST(BoucleRetardTest, BouclesRefusees) {
    boucle_retardee b = boucle_premier_ordre(1, 1, 1);
    b.retard = 0;
    EXPECT_FALSE(reponse_boucle_retard(b, 5).valide());
    b = boucle_premier_ordre(1, 1, 1);
    b.num_directe = depuis_coefs({0, 0, 1}); // beyond the denominator's degree
    EXPECT_FALSE(reponse_boucle_retard(b, 5).valide());
    b = boucle_premier_ordre(1, 1, 1);
    b.den_retour = depuis_coefs({0});
    EXPECT_FALSE(reponse_boucle_retard(b, 5).valide());
    // A delay so small beside the time asked that the grid would exceed its cap.
    b = boucle_premier_ordre(1, 1, 1e-9);
    EXPECT_FALSE(reponse_boucle_retard(b, 5).valide());
    EXPECT_TRUE(std::isnan(reponse_boucle_retard(boucle_premier_ordre(1, 1, 1), 5).valeur(6)));
}

} // namespace
} // namespace varlem
