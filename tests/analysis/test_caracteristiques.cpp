// The readings of transfer functions against independent references and against the closed
// forms of the first and second orders.
#include "analysis/caracteristiques.h"
#include "document/boucle.h"
#include "document/etudes_systeme.h"
#include "support/analyse_acceptee.h"
#include "support/reference_caracteristiques.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace varlem {
namespace {

using std::numbers::pi;

std::string liste(const std::vector<std::string>& ecarts) {
    std::string t;
    for (const auto& e : ecarts) t += "\n  " + e;
    return t;
}

// num/den from coefficients by power.
fdt fonction(std::vector<double> num, std::vector<double> den) {
    fdt f;
    f.num.degre = static_cast<int>(num.size()) - 1;
    f.den.degre = static_cast<int>(den.size()) - 1;
    for (std::size_t k = 0; k < num.size(); ++k) f.num.coef[k] = {num[k], 0};
    for (std::size_t k = 0; k < den.size(); ++k) f.den.coef[k] = {den[k], 0};
    return f;
}

void pres(double x, double attendu, double relatif, const std::string& quoi) {
    EXPECT_NEAR(x, attendu, relatif * std::fabs(attendu) + 1e-12) << quoi;
}

TEST(CaracteristiquesTest, CasDeReference) {
    const auto& cas = test::cas_caracteristiques_reference();
    ASSERT_EQ(cas.size(), 6u);
    for (const auto& c : cas) {
        const fdt_travail ft = test::analyse_acceptee(c.num_saisi, c.den, 1, c.variable);
        const auto ecarts =
            test::ecarts_caracteristiques(calculer_caracteristiques(ft.fonction), c.attendu);
        EXPECT_TRUE(ecarts.empty()) << c.id << liste(ecarts);
    }
}

// K / (1 + τp): bandwidth 1/τ, rise τ·ln 9, settling τ·ln 20 and τ·ln 50, no overshoot, a gain
// crossing at √(K² − 1)/τ when |K| > 1.
TEST(CaracteristiquesTest, PremierOrdre) {
    for (const double tau : {1e-3, 1.0, 1e3})
        for (const double K : {2.0, 0.5, -3.0}) {
            const std::string quoi = "K=" + std::to_string(K) + " tau=" + std::to_string(tau);
            const caracteristiques c = calculer_caracteristiques(fonction({K}, {1, tau}));
            pres(c.bande_passante.value_or(0), 1 / tau, 1e-12, quoi);
            EXPECT_FALSE(c.resonance) << quoi;
            EXPECT_TRUE(c.marges.croisements_phase.empty()) << quoi;
            const reponse_indicielle& r = c.indicielle;
            ASSERT_TRUE(r.stable) << quoi;
            pres(r.temps_montee.value_or(0), tau * std::log(9.0), 1e-10, quoi);
            pres(r.temps_reponse_5.value_or(0), tau * std::log(20.0), 1e-10, quoi);
            pres(r.temps_reponse_2.value_or(0), tau * std::log(50.0), 1e-10, quoi);
            EXPECT_EQ(r.pic, K) << quoi;
            EXPECT_FALSE(r.temps_pic) << quoi;
            EXPECT_EQ(r.depassement_pct, 0.0) << quoi;
            if (std::fabs(K) < 1) {
                EXPECT_TRUE(c.marges.croisements_gain.empty()) << quoi;
                continue;
            }
            ASSERT_EQ(c.marges.croisements_gain.size(), 1u) << quoi;
            const double w = std::sqrt(K * K - 1) / tau;
            const double phase = -std::atan(w * tau) * 180 / pi - (K < 0 ? 180 : 0);
            pres(c.marges.croisements_gain[0].omega, w, 1e-12, quoi);
            EXPECT_NEAR(c.marges.croisements_gain[0].phase_deg, phase, 1e-9) << quoi;
            EXPECT_NEAR(*c.marges.marge_phase_deg, std::remainder(180 + phase, 360), 1e-9) << quoi;
        }
}

// ω0² / (p² + 2mω0p + ω0²) and its step response y(t) = 1 − e^(−mω0t)·sin(ωd·t + φ)/√(1 − m²).
struct second_ordre {
    double m, w0;
    double y(double t) const {
        const double s = std::sqrt(1 - m * m), wd = w0 * s;
        return 1 - std::exp(-m * w0 * t) * std::sin(wd * t + std::acos(m)) / s;
    }
};

TEST(CaracteristiquesTest, SecondOrdre) {
    for (const double w0 : {1e-3, 1.0, 1e3})
        for (const double m : {0.05, 0.3, 0.5, 0.7, 0.9}) {
            const second_ordre so{m, w0};
            const std::string quoi = "m=" + std::to_string(m) + " w0=" + std::to_string(w0);
            const caracteristiques c =
                calculer_caracteristiques(fonction({w0 * w0}, {w0 * w0, 2 * m * w0, 1}));
            const double s = std::sqrt(1 - m * m);
            const reponse_indicielle& r = c.indicielle;
            ASSERT_TRUE(r.stable && r.pic && r.temps_pic) << quoi;
            pres(*r.depassement_pct, 100 * std::exp(-pi * m / s), 1e-9, quoi);
            pres(*r.temps_pic, pi / (w0 * s), 1e-10, quoi);
            pres(*r.pic, 1 + std::exp(-pi * m / s), 1e-12, quoi);
            // The settling times have no closed form: the response is checked there.
            EXPECT_NEAR(std::fabs(so.y(*r.temps_reponse_5) - 1), 0.05, 1e-9) << quoi;
            EXPECT_NEAR(std::fabs(so.y(*r.temps_reponse_2) - 1), 0.02, 1e-9) << quoi;
            EXPECT_GT(*r.temps_reponse_2, *r.temps_reponse_5) << quoi;

            const double bp =
                w0 * std::sqrt(1 - 2 * m * m + std::sqrt(4 * m * m * m * m - 4 * m * m + 2));
            pres(c.bande_passante.value_or(0), bp, 1e-10, quoi);
            if (m < 1 / std::sqrt(2.0)) {
                ASSERT_TRUE(c.resonance) << quoi;
                pres(c.resonance->omega, w0 * std::sqrt(1 - 2 * m * m), 1e-9, quoi);
                EXPECT_NEAR(c.resonance->gain_db, -20 * std::log10(2 * m * s), 1e-9) << quoi;
                ASSERT_EQ(c.marges.croisements_gain.size(), 1u) << quoi;
                const double wc = w0 * std::sqrt(2 * (1 - 2 * m * m));
                pres(c.marges.croisements_gain[0].omega, wc, 1e-10, quoi);
                const double phase = -std::atan2(2 * m * w0 * wc, w0 * w0 - wc * wc) * 180 / pi;
                EXPECT_NEAR(c.marges.croisements_gain[0].phase_deg, phase, 1e-8) << quoi;
            } else {
                EXPECT_FALSE(c.resonance) << quoi;
                EXPECT_TRUE(c.marges.croisements_gain.empty()) << quoi;
            }
            EXPECT_TRUE(c.marges.croisements_phase.empty()) << quoi;
            EXPECT_FALSE(c.marges.marge_gain_db) << quoi;
        }
}

// First times the response reaches 0.1 and 0.9, from its rise time and the closed form.
TEST(CaracteristiquesTest, TempsDeMonteeDuSecondOrdre) {
    for (const double m : {0.05, 0.5, 0.9}) {
        const second_ordre so{m, 2.0};
        const reponse_indicielle r = calculer_indicielle(fonction({4}, {4, 4 * m, 1}));
        // t10 is the first root of y − 0.1 (y rises monotonically until the peak).
        double a = 0, b = *r.temps_pic;
        for (int i = 0; i < 200; ++i) (so.y((a + b) / 2) < 0.1 ? a : b) = (a + b) / 2;
        EXPECT_NEAR(so.y(a + *r.temps_montee), 0.9, 1e-9) << m;
    }
}

// The loop of 1/(p(1+p)) with C = 1: the open loop p(1+p) has its phase margin at ω⁴ + ω² = 1,
// the closed loop is the second order m = 0.5.
TEST(CaracteristiquesTest, BoucleDuSysteme) {
    auto s = std::make_unique<systeme>();
    s->fonctions[1] = test::analyse_acceptee("1", "(p)(1+p)");
    s->nb_fonctions = 1;
    s->systeme_saisi = true;
    EXPECT_TRUE(caracteristiques_systeme(*s).has_value());
    EXPECT_FALSE(caracteristiques_systeme(*s)->indicielle.stable);
    reglages r;
    fermer_boucle(*s, r);
    const std::optional<caracteristiques> c = caracteristiques_systeme(*s);
    ASSERT_TRUE(c);
    const double wc = std::sqrt((std::sqrt(5.0) - 1) / 2);
    pres(c->marges.omega_marge_phase.value_or(0), wc, 1e-12, "omega");
    EXPECT_NEAR(*c->marges.marge_phase_deg, 180 - 90 - std::atan(wc) * 180 / pi, 1e-9);
    EXPECT_FALSE(c->marges.marge_gain_db);
    const auto& ref = test::cas_caracteristiques_reference();
    const auto m05 = std::find_if(ref.begin(), ref.end(),
                                  [](const auto& e) { return e.id == "pub_second_ordre_m05"; });
    ASSERT_NE(m05, ref.end());
    caracteristiques attendu = m05->attendu;
    attendu.marges = c->marges;
    const auto ecarts = test::ecarts_caracteristiques(*c, attendu);
    EXPECT_TRUE(ecarts.empty()) << liste(ecarts);

    ouvrir_boucle(*s);
    s->nb_fonctions = 0;
    EXPECT_FALSE(caracteristiques_systeme(*s));
}

} // namespace
} // namespace varlem
