// Asymptotic Bode diagrams: closed forms, the reference cases, the definitions checked at any
// pulsation against an independent sum over the roots, and the real curve far from the breaks.
#include "analysis/asymptotes_bode.h"

#include "support/analyse_acceptee.h"
#include "support/donnees.h"
#include "support/fabrique.h"
#include "support/json_lu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace varlem {
namespace {

constexpr double degres = 180 / std::numbers::pi;

struct cassure_attendue {
    double omega;
    int pente;
    double phase_apres;
};

struct forme_close {
    std::string num, den;
    int pente_initiale;
    double gain_1;
    double phase_initiale;
    std::vector<cassure_attendue> cassures;
};

void comparer(const asymptotes_bode& a, const forme_close& f) {
    SCOPED_TRACE(f.num + " / " + f.den);
    ASSERT_TRUE(a.valide);
    EXPECT_EQ(a.pente_initiale, f.pente_initiale);
    EXPECT_NEAR(a.gain_db_omega_1, f.gain_1, 1e-9);
    EXPECT_NEAR(a.phase_initiale_deg, f.phase_initiale, 1e-9);
    ASSERT_EQ(a.cassures.size(), f.cassures.size());
    for (std::size_t i = 0; i < f.cassures.size(); ++i) {
        EXPECT_NEAR(a.cassures[i].omega, f.cassures[i].omega, 1e-12 * f.cassures[i].omega);
        EXPECT_EQ(a.cassures[i].pente, f.cassures[i].pente);
        EXPECT_NEAR(a.cassures[i].phase_apres_deg, f.cassures[i].phase_apres, 1e-9);
    }
}

TEST(AsymptotesBode, FormesCloses) {
    const double l5 = 20 * std::log10(5.0);
    const std::vector<forme_close> cas = {
        // First order K/(1 + τp).
        {"5", "1+0.5p", 0, l5, 0, {{2, -1, -90}}},
        // Second order, m = 0.1: the pair is one break of −40 dB/decade and −180°.
        {"4", "4+0.4p+p^2", 0, 0, 0, {{2, -2, -180}}},
        // Integrators: the slope from the start, −90° per pole at the origin.
        {"1", "p", -1, 0, -90, {}},
        {"3", "(p)(p)", -2, 20 * std::log10(3.0), -180, {}},
        // A zero at the origin and a zero in the right half-plane with a negative gain.
        {"p", "1+p", 1, 0, 90, {{1, 0, 0}}},
        {"(1-2p)", "1+p", 0, 0, 0, {{0.5, 1, -90}, {1, 0, -180}}},
        // A pole in the right half-plane: arg(−r) = 180°, then jω gives −90°.
        {"1", "1-p", 0, 0, -360, {{1, -1, -270}}},
        // Repeated roots, typed as factors or expanded.
        {"1", "(1+p)(1+p)(1+p)", 0, 0, 0, {{1, -3, -270}}},
        {"8", "1+3p+3p^2+p^3", 0, 20 * std::log10(8.0), 0, {{1, -3, -270}}},
        {"(1+0.1p)(1+0.1p)", "(1+p)(1+p)", 0, 0, 0, {{1, -2, -180}, {10, 0, 0}}},
        // A zero and a pole of the same modulus: one break, the slope unchanged.
        {"(1+p)", "(1+p)(1+2p)", 0, 0, 0, {{0.5, -1, -90}, {1, -1, -90}}},
        {"(1-p)", "(1+p)", 0, 0, 0, {{1, 0, -180}}},
        // A pair on the imaginary axis: arg(−r) in (−90°, 270°] gives 270° + 90° below |r|.
        {"1", "1+p^2", 0, 0, -360, {{1, -2, -180}}},
    };
    for (const forme_close& f : cas)
        comparer(calculer_asymptotes(test::analyse_acceptee(f.num, f.den)), f);
}

// The analysis rounds poles to 5 digits; the breaks are the exact moduli all the same.
TEST(AsymptotesBode, CassuresAuxModulesExacts) {
    const asymptotes_bode a =
        calculer_asymptotes(test::analyse_acceptee("1", "(1+0.1p+0.01p^2)(1+0.3p)(3+p+7p^2)"));
    ASSERT_EQ(a.cassures.size(), 3u);
    EXPECT_NEAR(a.cassures[0].omega, std::sqrt(3.0 / 7), 1e-15);
    EXPECT_NEAR(a.cassures[1].omega, 10 / 3.0, 1e-14);
    EXPECT_NEAR(a.cassures[2].omega, 10, 1e-14);
    EXPECT_NEAR(a.gain_db_omega_1, -20 * std::log10(3.0), 1e-12);
}

TEST(AsymptotesBode, CasDeReference) {
    const test::json_lu ref = test::json_lu::lire_fichier(test::chemin_donnees("asymptotes.json"));
    ASSERT_TRUE(ref.valide());
    ASSERT_GT(ref["cas"].taille(), 0u);
    for (std::size_t i = 0; i < ref["cas"].taille(); ++i) {
        const test::json_lu c = ref["cas"][i];
        SCOPED_TRACE(c["id"].chaine());
        const asymptotes_bode a =
            calculer_asymptotes(test::analyse_acceptee(c["num"].chaine(), c["den"].chaine()));
        const test::json_lu g = c["ref"]["gain"], p = c["ref"]["phase"];
        EXPECT_EQ(20 * a.pente_initiale, g["pente_initiale_db_dec"].nombre());
        EXPECT_NEAR(a.gain_db_omega_1, g["gain_db_omega_1"].nombre(), 1e-9);
        EXPECT_NEAR(a.phase_initiale_deg, p["initiale_deg"].nombre(), 1e-6);
        ASSERT_EQ(a.cassures.size(), g["cassures"].taille());
        for (std::size_t k = 0; k < a.cassures.size(); ++k) {
            const double w = g["cassures"][k]["omega"].nombre();
            EXPECT_NEAR(a.cassures[k].omega, w, 1e-9 * w);
            EXPECT_EQ(20 * a.cassures[k].pente, g["cassures"][k]["pente_db_dec"].nombre());
            EXPECT_NEAR(a.cassures[k].phase_apres_deg, p["cassures"][k]["phase_apres_deg"].nombre(),
                        1e-6);
        }
    }
}

// Random roots, exact: the evaluations against the definitions summed root by root.
TEST(AsymptotesBode, EvaluationSelonLesDefinitions) {
    std::mt19937 alea(7);
    std::uniform_real_distribution<double> log_module(-2, 2), angle(0, std::numbers::pi);
    std::uniform_int_distribution<int> nombre(0, 4), sorte(0, 4);
    const auto tirer = [&] {
        std::vector<complexe> r;
        for (int n = nombre(alea), i = 0; i < n; ++i) {
            const double m = std::pow(10.0, log_module(alea));
            const int s = sorte(alea);
            if (s == 0) r.push_back({});
            if (s == 1) r.push_back({-m, 0});
            if (s == 2) r.push_back({m, 0});
            if (s >= 3) {
                const double a = angle(alea);
                r.push_back({m * std::cos(a), m * std::sin(a)});
                r.push_back({m * std::cos(a), -m * std::sin(a)});
            }
        }
        return r;
    };
    for (int essai = 0; essai < 200; ++essai) {
        const std::vector<complexe> z = tirer(), p = tirer();
        const double k = essai % 3 == 0 ? -2.5 : 0.7;
        const fdt_travail ft = test::fonction_depuis_racines(k, z, p);
        const asymptotes_bode a = calculer_asymptotes(ft);
        ASSERT_TRUE(a.valide);
        for (double lw = -4; lw <= 4; lw += 0.37) {
            const double w = std::pow(10.0, lw);
            double g = 20 * std::log10(std::fabs(k)), phase = k < 0 ? -180 : 0;
            const auto facteur = [&](complexe r, int signe) {
                const double m = c_module(r);
                g += signe * 20 * std::log10(std::max(m, w));
                double arg = m == 0 ? 90 : std::atan2(-r.im, -r.re) * degres;
                if (arg <= -90) arg += 360;
                phase += signe * (w < m ? arg : 90.0);
            };
            for (const complexe& r : z) facteur(r, 1);
            for (const complexe& r : p) facteur(r, -1);
            EXPECT_NEAR(gain_asymptotique_db(a, w), g, 1e-9 * (1 + std::fabs(g)));
            EXPECT_NEAR(phase_asymptotique_deg(a, w, convention_phase::paliers), phase, 1e-9);
        }
    }
}

// Ramps: continuous, half-way at each break, the steps' value a decade beyond.
TEST(AsymptotesBode, Rampes) {
    const asymptotes_bode a =
        calculer_asymptotes(test::analyse_acceptee("(1+10p)", "(p)(1+p)(1+0.01p)"));
    ASSERT_EQ(a.cassures.size(), 3u);
    const auto rampe = [&](double w) {
        return phase_asymptotique_deg(a, w, convention_phase::rampes);
    };
    const auto palier = [&](double w) {
        return phase_asymptotique_deg(a, w, convention_phase::paliers);
    };
    EXPECT_NEAR(rampe(0.001), -90, 1e-12);
    EXPECT_NEAR(rampe(1e4), -180, 1e-12);
    // 0.1 (zero) and 1 (pole) ramps overlap between 0.1 and 1: +45° and −45°.
    EXPECT_NEAR(rampe(std::sqrt(0.1)), -90 + 90 * 0.75 - 90 * 0.25, 1e-9);
    EXPECT_NEAR(rampe(100), palier(100) + 45, 1e-9);
    const std::vector<double> noeuds = noeuds_phase(a, convention_phase::rampes);
    EXPECT_TRUE(std::is_sorted(noeuds.begin(), noeuds.end()));
    EXPECT_GE(noeuds.size(), 5u); // 0.01, 0.1, 1, 10, 1000 (1 and 10 may come twice)
    for (const double w : noeuds) EXPECT_NEAR(rampe(w * (1 - 1e-12)), rampe(w * (1 + 1e-12)), 1e-6);
    for (const double w : {0.001, 1e4, 1e5}) EXPECT_NEAR(rampe(w), palier(w), 1e-9);
}

// Far from every break (a factor of 100 each side) the asymptotes follow the real curve: within
// 0.01 dB, and within 0.6° per root for both conventions.
TEST(AsymptotesBode, CourbeReelleLoinDesCassures) {
    const std::vector<std::pair<std::string, std::string>> fonctions = {
        {"5", "1+0.5p"},
        {"(1+10p)", "(p)(1+p)(1+0.1p+0.01p^2)"},
        {"(1-p)", "(1+p)(1+0.2p)"},
        {"(1+p)(1+p)", "(p^2)(1+0.001p)(1+0.001p)(1+0.001p)"},
        {"(1-0.5p+p^2)", "(1+0.05p)(1+3p+9p^2)(2+p)"},
        {"0-3", "(1-10p)(1+0.02p)"},
        {"(1+p)", "(1+p)(1+2p)"},
    };
    for (const auto& [num, den] : fonctions) {
        SCOPED_TRACE(num + " / " + den);
        const fdt_travail ft = test::analyse_acceptee(num, den);
        const asymptotes_bode a = calculer_asymptotes(ft);
        const int racines = nb_zeros(ft) + nb_poles(ft);
        int verifies = 0;
        for (double lw = -6; lw <= 6; lw += 0.05) {
            const double w = std::pow(10.0, lw);
            const bool loin =
                std::all_of(a.cassures.begin(), a.cassures.end(), [&](const cassure_bode& c) {
                    return w >= 100 * c.omega || w <= c.omega / 100;
                });
            if (!loin) continue;
            ++verifies;
            EXPECT_NEAR(gain_asymptotique_db(a, w), fdt_gain_db(ft.fonction, w), 0.01) << w;
            const double reelle = fdt_phase(ft, w) * degres;
            for (const convention_phase c : {convention_phase::paliers, convention_phase::rampes})
                EXPECT_NEAR(phase_asymptotique_deg(a, w, c), reelle, 0.6 * racines) << w;
        }
        EXPECT_GT(verifies, 40);
    }
}

// The readout's gap at a first order's break: the asymptote passes 3 dB above the curve.
TEST(AsymptotesBode, LectureALaCassure) {
    const fdt_travail ft = test::analyse_acceptee("5", "1+0.5p");
    const lecture_asymptote l = lire_asymptote(ft, calculer_asymptotes(ft), 2);
    EXPECT_NEAR(l.gain_db, 20 * std::log10(5.0), 1e-12);
    EXPECT_NEAR(l.ecart_db, 10 * std::log10(2.0), 1e-12);
}

TEST(AsymptotesBode, FonctionNulleSansAsymptote) {
    EXPECT_FALSE(calculer_asymptotes(test::fonction_depuis_racines(0, {}, {{-1, 0}})).valide);
    EXPECT_FALSE(calculer_asymptotes(fdt_travail{}).valide);
}

} // namespace
} // namespace varlem
