// The readings of degenerate and difficult functions: pure gains, roots at 0, cancelling
// factors, double roots, improper functions, degree 15, time constants from 1e-3 to 1e3; and
// on random functions, readings that the exact polynomials confirm and never a NaN.
#include "analysis/caracteristiques.h"
#include "support/analyse_acceptee.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <random>

namespace varlem {
namespace {

caracteristiques de(const std::string& num, const std::string& den) {
    return calculer_caracteristiques(test::analyse_acceptee(num, den).fonction);
}

std::string facteurs(const std::string& f, int n) {
    std::string t;
    for (int k = 0; k < n; ++k) t += "(" + f + ")";
    return t;
}

// The step response known in closed form: the first times it reaches 0.1 and 0.9 and the last
// time it is 5 % and 2 % away from its final value must be where the readings put them.
void verifier_temps(const reponse_indicielle& r, const std::function<double(double)>& y,
                    double tolerance, const std::string& quoi) {
    ASSERT_TRUE(r.temps_montee && r.temps_reponse_5 && r.temps_reponse_2) << quoi;
    const double yf = *r.valeur_finale;
    // t10 by bisection on the closed form over [0, settling time].
    double a = 0, b = *r.temps_reponse_2;
    for (int i = 0; i < 200; ++i) (y((a + b) / 2) / yf < 0.1 ? a : b) = (a + b) / 2;
    EXPECT_NEAR(y(a + *r.temps_montee) / yf, 0.9, tolerance) << quoi;
    EXPECT_NEAR(std::fabs(y(*r.temps_reponse_5) / yf - 1), 0.05, tolerance) << quoi;
    EXPECT_NEAR(std::fabs(y(*r.temps_reponse_2) / yf - 1), 0.02, tolerance) << quoi;
}

struct cas_degenere {
    const char* num;
    const char* den;
    std::function<void(const caracteristiques&)> verifier;
};

TEST(CaracteristiquesLimitesTest, CasDegeneres) {
    const double r2 = std::sqrt(2.0);
    const cas_degenere cas[] = {
        // A pure gain: no crossing, no bandwidth, its step is reached at once.
        {"3", "1",
         [](const caracteristiques& c) {
             EXPECT_TRUE(c.marges.croisements_gain.empty() && c.marges.croisements_phase.empty());
             EXPECT_FALSE(c.bande_passante || c.resonance);
             const reponse_indicielle& r = c.indicielle;
             EXPECT_TRUE(r.stable);
             EXPECT_EQ(r.valeur_finale, 3.0);
             EXPECT_EQ(r.pic, 3.0);
             EXPECT_EQ(r.temps_pic, 0.0);
             EXPECT_EQ(r.temps_montee, 0.0);
             EXPECT_EQ(r.temps_reponse_2, 0.0);
         }},
        // |T| = 1 at every pulsation, T(jω) real everywhere: no isolated crossing.
        {"1", "1",
         [](const caracteristiques& c) {
             EXPECT_FALSE(c.marges.marge_phase_deg || c.marges.marge_gain_db);
         }},
        {"0-2", "1",
         [](const caracteristiques& c) { EXPECT_TRUE(c.marges.croisements_phase.empty()); }},
        {"1-p", "1+p",
         [](const caracteristiques& c) { EXPECT_TRUE(c.marges.croisements_gain.empty()); }},
        // A pole at 0: unstable, no bandwidth nor resonance, the phase margin of p(1+p).
        {"1", "(p)(1+p)",
         [](const caracteristiques& c) {
             EXPECT_FALSE(c.indicielle.stable || c.indicielle.valeur_finale);
             EXPECT_FALSE(c.bande_passante || c.resonance);
             EXPECT_NEAR(c.marges.omega_marge_phase.value_or(0),
                         std::sqrt((std::sqrt(5.0) - 1) / 2), 1e-14);
         }},
        // A zero at 0: final value 0 and nothing else of the step; the peak of |T| at ω0.
        {"p", "(1+p)(1+p)",
         [](const caracteristiques& c) {
             EXPECT_EQ(c.indicielle.valeur_finale, 0.0);
             EXPECT_FALSE(c.indicielle.temps_montee || c.indicielle.pic ||
                          c.indicielle.temps_reponse_5);
             EXPECT_FALSE(c.bande_passante);
             ASSERT_TRUE(c.resonance);
             EXPECT_NEAR(c.resonance->omega, 1, 1e-12);
             EXPECT_NEAR(c.resonance->gain_db, -20 * std::log10(2.0), 1e-12);
         }},
        // |T| touches 1 at ω = 1 (a double root): one crossing.
        {"2p", "1+2p+p^2",
         [](const caracteristiques& c) {
             ASSERT_EQ(c.marges.croisements_gain.size(), 1u);
             EXPECT_NEAR(c.marges.croisements_gain[0].omega, 1, 1e-7);
             EXPECT_NEAR(c.marges.croisements_gain[0].marge_phase_deg, 180, 1e-6);
         }},
        // Cancelling factors: the function of 1/(1+2p), and the factor p² + 1 no 0/0.
        {"1+p", "(1+p)(1+2p)",
         [](const caracteristiques& c) {
             EXPECT_NEAR(c.bande_passante.value_or(0), 0.5, 1e-12);
             EXPECT_NEAR(c.indicielle.temps_montee.value_or(0), 2 * std::log(9.0), 1e-10);
             EXPECT_FALSE(c.indicielle.temps_pic);
         }},
        {"2+2p^2", "(1+p^2)(1+p)",
         [](const caracteristiques& c) {
             EXPECT_FALSE(c.indicielle.stable);
             EXPECT_FALSE(c.resonance);
             EXPECT_NEAR(c.bande_passante.value_or(0), 1, 1e-12);
             ASSERT_EQ(c.marges.croisements_gain.size(), 1u);
             EXPECT_NEAR(c.marges.croisements_gain[0].omega, std::sqrt(3.0), 1e-12);
         }},
        // Poles on the imaginary axis: unstable, no resonance.
        {"1", "1+p^2",
         [](const caracteristiques& c) { EXPECT_FALSE(c.indicielle.stable || c.resonance); }},
        {"1", "(1+p^2)(1+p^2)",
         [](const caracteristiques& c) { EXPECT_FALSE(c.indicielle.stable); }},
        {"1", "1-p", [](const caracteristiques& c) { EXPECT_FALSE(c.indicielle.stable); }},
        // More zeros than poles: no step response from rest, the final value only.
        {"(1+p)(1+p)", "1+2p",
         [](const caracteristiques& c) {
             EXPECT_TRUE(c.indicielle.stable);
             EXPECT_EQ(c.indicielle.valeur_finale, 1.0);
             EXPECT_FALSE(c.indicielle.temps_montee || c.indicielle.pic);
             EXPECT_FALSE(c.resonance);
         }},
        // A direct term above the final value: the peak is at 0.
        {"1+2p", "1+p",
         [](const caracteristiques& c) {
             EXPECT_EQ(c.indicielle.temps_pic, 0.0);
             EXPECT_NEAR(c.indicielle.depassement_pct.value_or(0), 100, 1e-12);
             EXPECT_EQ(c.indicielle.temps_montee, 0.0);
             EXPECT_NEAR(c.indicielle.temps_reponse_5.value_or(0), std::log(20.0), 1e-12);
         }},
        // Critically damped, the double pole typed expanded and as factors alike.
        {"1", "1+2p+p^2",
         [r2](const caracteristiques& c) {
             EXPECT_NEAR(c.bande_passante.value_or(0), std::sqrt(r2 - 1), 1e-12);
             EXPECT_FALSE(c.indicielle.temps_pic || c.resonance);
             verifier_temps(
                 c.indicielle, [](double t) { return 1 - (1 + t) * std::exp(-t); }, 1e-10,
                 "(1+p)²");
         }},
        {"1", "(1+p)(1+p)",
         [](const caracteristiques& c) {
             verifier_temps(
                 c.indicielle, [](double t) { return 1 - (1 + t) * std::exp(-t); }, 1e-10,
                 "(1+p)(1+p)");
         }},
        // Time constants 1e-3, 1 and 1e3.
        {"1", "(1+0.001p)(1+p)(1+1000p)",
         [](const caracteristiques& c) {
             const double tau[3] = {1e-3, 1, 1e3};
             const auto y = [&](double t) {
                 double s = 1;
                 for (int i = 0; i < 3; ++i) {
                     double a = 1;
                     for (int j = 0; j < 3; ++j)
                         if (j != i) a *= tau[i] / (tau[i] - tau[j]);
                     s -= a * std::exp(-t / tau[i]);
                 }
                 return s;
             };
             verifier_temps(c.indicielle, y, 1e-9, "1e-3..1e3");
             EXPECT_NEAR(c.bande_passante.value_or(0), 1e-3, 1e-5);
         }},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::string(c.num) + " / " + c.den);
        c.verifier(de(c.num, c.den));
    }
}

// 1/(1+p)^15 typed as fifteen factors: the phase crosses −180° (mod 360) where 15·atan ω is an
// odd multiple of 180°, the step is the Erlang distribution function.
TEST(CaracteristiquesLimitesTest, DegreQuinze) {
    using std::numbers::pi;
    const caracteristiques c = de("1", facteurs("1+p", 15));
    ASSERT_EQ(c.marges.croisements_phase.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        const double w = std::tan((2 * k + 1) * pi / 15);
        EXPECT_NEAR(c.marges.croisements_phase[k].omega, w, 1e-12 * w) << k;
        EXPECT_NEAR(c.marges.croisements_phase[k].marge_gain_db, 150 * std::log10(1 + w * w), 1e-9)
            << k;
    }
    EXPECT_NEAR(c.bande_passante.value_or(0), std::sqrt(std::pow(2.0, 1.0 / 15) - 1), 1e-13);
    const auto erlang = [](double t) {
        double s = 0, terme = 1;
        for (int k = 0; k < 15; ++k) s += terme, terme *= t / (k + 1);
        return 1 - std::exp(-t) * s;
    };
    EXPECT_FALSE(c.indicielle.temps_pic);
    verifier_temps(c.indicielle, erlang, 1e-10, "(1+p)^15");
}

// Random functions of degree 1 to 15: every crossing, bandwidth and resonance is confirmed on
// the exact polynomials, and no reading is a NaN or an infinity.
TEST(CaracteristiquesLimitesTest, FonctionsAleatoires) {
    std::mt19937 alea(7);
    std::uniform_real_distribution<double> coef(0.05, 3.0);
    std::uniform_int_distribution<int> signe(0, 9);
    for (int essai = 0; essai < 300; ++essai) {
        const int nd = 1 + essai % 15;
        const int nn = static_cast<int>(alea() % static_cast<unsigned>(nd + 1));
        fdt f;
        f.den.degre = nd;
        f.num.degre = nn;
        for (int k = 0; k <= nd; ++k) f.den.coef[k] = {coef(alea) * (signe(alea) == 0 ? -1 : 1), 0};
        for (int k = 0; k <= nn; ++k) f.num.coef[k] = {coef(alea) * (signe(alea) == 0 ? -1 : 1), 0};
        SCOPED_TRACE("essai " + std::to_string(essai));
        const caracteristiques c = calculer_caracteristiques(f);
        const auto module = [&](double w) { return c_module(fdt_valeur(f, w)); };
        for (const auto& g : c.marges.croisements_gain) EXPECT_NEAR(module(g.omega), 1, 1e-7);
        for (const auto& p : c.marges.croisements_phase) {
            const complexe t = fdt_valeur(f, p.omega);
            EXPECT_LT(t.re, 0);
            EXPECT_NEAR(t.im / t.re, 0, 1e-7);
            EXPECT_TRUE(std::isfinite(p.marge_gain_db) && std::isfinite(p.marge_gain));
        }
        const double t0 = std::fabs(f.num.coef[0].re / f.den.coef[0].re);
        if (c.bande_passante) {
            EXPECT_NEAR(module(*c.bande_passante), t0 / std::sqrt(2.0), 1e-7 * t0);
        }
        if (c.resonance) {
            const double w = c.resonance->omega;
            EXPECT_GT(module(w), module(w * (1 - 1e-3)));
            EXPECT_GT(module(w), module(w * (1 + 1e-3)));
        }
        const reponse_indicielle& r = c.indicielle;
        for (const auto* v : {&r.valeur_finale, &r.temps_montee, &r.pic, &r.temps_pic,
                              &r.depassement_pct, &r.temps_reponse_5, &r.temps_reponse_2})
            EXPECT_TRUE(!*v || std::isfinite(**v));
        EXPECT_GE(r.temps_reponse_2.value_or(0), r.temps_reponse_5.value_or(0));
    }
}

} // namespace
} // namespace varlem
