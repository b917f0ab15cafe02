// The Black-Nichols chart: every point of every contour checked on F = L/(1 + L), the pieces
// within their window, the closed contours' phase span, the turns of phase, the resonance and
// the closed-loop value.
#include "analysis/abaque_black.h"

#include "support/analyse_acceptee.h"
#include "support/fabrique.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace varlem {
namespace {

constexpr double degres = 180 / std::numbers::pi;

std::complex<double> boucle_fermee(const point_black& q) {
    const std::complex<double> l = std::polar(std::pow(10.0, q.gain_db / 20), q.phase_deg / degres);
    return l / (1.0 + l);
}

fenetre_black fenetre(double p0, double p1, double g0, double g1) {
    fenetre_black f;
    f.phase_min_deg = p0;
    f.phase_max_deg = p1;
    f.gain_min_db = g0;
    f.gain_max_db = g1;
    f.largeur_px = 800;
    f.hauteur_px = 600;
    return f;
}

// Each point on its contour (1e-9 relative) and within the window.
void verifier(const contour_black& c, const fenetre_black& f) {
    for (const auto& m : c.morceaux) {
        ASSERT_GE(m.size(), 2u);
        for (const point_black& q : m) {
            ASSERT_GE(q.phase_deg, f.phase_min_deg);
            ASSERT_LE(q.phase_deg, f.phase_max_deg);
            ASSERT_GE(q.gain_db, f.gain_min_db);
            ASSERT_LE(q.gain_db, f.gain_max_db);
            const std::complex<double> v = boucle_fermee(q);
            if (c.sorte == sorte_contour::iso_module) {
                const double attendu = std::pow(10.0, c.valeur / 20);
                ASSERT_NEAR(std::abs(v), attendu, 1e-9 * attendu)
                    << q.phase_deg << " " << q.gain_db;
            } else {
                ASSERT_NEAR(std::arg(v) * degres, c.valeur, 1e-9 * std::fabs(c.valeur))
                    << q.phase_deg << " " << q.gain_db;
            }
        }
    }
}

TEST(AbaqueBlack, PointsSurLeursContours) {
    const fenetre_black fenetres[] = {
        fenetre(-360, 0, -40, 40), fenetre(-270, -90, -20, 20),     fenetre(-200, -160, -3, 3),
        fenetre(-720, 0, -60, 30), fenetre(-190.5, -189.5, 5, 5.2), fenetre(-360, 360, -80, 80),
    };
    for (const fenetre_black& f : fenetres) {
        SCOPED_TRACE(f.phase_min_deg);
        const std::vector<contour_black> contours = contours_abaque(f);
        EXPECT_EQ(contours.size(), modules_abaque_db().size() + phases_abaque_deg().size());
        for (const contour_black& c : contours) verifier(c, f);
    }
}

// The values the chart must offer, and the mirror images of its iso-phase lines.
TEST(AbaqueBlack, ValeursDeLAbaque) {
    for (const double m : {-20.0, -12.0, -6.0, -3.0, -1.0, 0.0, 0.5, 1.0, 2.3, 3.0, 6.0, 12.0})
        EXPECT_NE(std::find(modules_abaque_db().begin(), modules_abaque_db().end(), m),
                  modules_abaque_db().end());
    for (const double p : {1.0, 5.0, 10.0, 20.0, 30.0, 45.0, 60.0, 90.0, 120.0, 150.0})
        for (const double s : {-1.0, 1.0})
            EXPECT_NE(std::find(phases_abaque_deg().begin(), phases_abaque_deg().end(), s * p),
                      phases_abaque_deg().end());
}

// A closed iso-module contour (M > 1) is one loop spanning −180° ± asin(1/M) in each turn.
TEST(AbaqueBlack, ContoursFermes) {
    for (const double db : {0.5, 1.0, 2.3, 3.0, 6.0, 12.0}) {
        SCOPED_TRACE(db);
        const double demi = std::asin(std::pow(10.0, -db / 20)) * degres;
        const auto etendue = [](const std::vector<point_black>& m) {
            return std::minmax_element(m.begin(), m.end(), [](const auto& a, const auto& b) {
                return a.phase_deg < b.phase_deg;
            });
        };
        const contour_black c = contour_iso_module(db, fenetre(-720, 0, -40, 40));
        ASSERT_EQ(c.morceaux.size(), 2u);
        for (std::size_t k = 0; k < 2; ++k) {
            const auto& m = c.morceaux[k];
            EXPECT_NEAR(m.front().phase_deg, m.back().phase_deg, 1e-9);
            EXPECT_NEAR(m.front().gain_db, m.back().gain_db, 1e-9);
            const auto [bas, haut] = etendue(m);
            const double centre = k == 0 ? -540 : -180;
            EXPECT_NEAR(bas->phase_deg, centre - demi, 1);
            EXPECT_NEAR(haut->phase_deg, centre + demi, 1);
            EXPECT_GE(bas->phase_deg, centre - demi - 1e-9);
            EXPECT_LE(haut->phase_deg, centre + demi + 1e-9);
        }
        // Drawn in a window of its own size, its span is read to a few hundredths of a degree.
        const contour_black seul =
            contour_iso_module(db, fenetre(-181 - demi, -179 + demi, -40, 40));
        ASSERT_EQ(seul.morceaux.size(), 1u);
        const auto [bas, haut] = etendue(seul.morceaux[0]);
        EXPECT_NEAR(bas->phase_deg, -180 - demi, 0.05);
        EXPECT_NEAR(haut->phase_deg, -180 + demi, 0.05);
    }
}

// Open lines: the turns meet into one piece; a line leaving the window ends on its edge.
TEST(AbaqueBlack, MorceauxAuxBordsEtTours) {
    const fenetre_black f = fenetre(-540, 0, -40, 40);
    const contour_black bas = contour_iso_module(-6, f);
    ASSERT_EQ(bas.morceaux.size(), 1u);
    EXPECT_NEAR(bas.morceaux[0].front().phase_deg, -540, 1e-9);
    EXPECT_NEAR(bas.morceaux[0].back().phase_deg, 0, 1e-9);

    // The 0 dB line rises out of the window at both ends.
    const contour_black zero = contour_iso_module(0, fenetre(-360, 0, -40, 40));
    ASSERT_EQ(zero.morceaux.size(), 1u);
    EXPECT_NEAR(zero.morceaux[0].front().gain_db, 40, 1e-9);
    EXPECT_NEAR(zero.morceaux[0].back().gain_db, 40, 1e-9);

    const contour_black phase = contour_iso_phase(-30, f);
    ASSERT_EQ(phase.morceaux.size(), 2u);
    for (const auto& m : phase.morceaux) EXPECT_NEAR(m.front().gain_db, -40, 1e-9);
    // Its mirror image starts at −330° + 360°·k at the bottom.
    const contour_black miroir = contour_iso_phase(30, fenetre(-360, 0, -40, 40));
    ASSERT_EQ(miroir.morceaux.size(), 1u);
    EXPECT_NEAR(miroir.morceaux[0].front().phase_deg, -330, 0.5);
    // It ends a tenth of a pixel short of (−180°, 0 dB), where every iso-phase line meets.
    EXPECT_LE(std::fabs(miroir.morceaux[0].back().phase_deg + 180) * 800 / 360, 0.1);
    EXPECT_LE(std::fabs(miroir.morceaux[0].back().gain_db) * 600 / 80, 0.1);

    // Out of sight, or an empty window: nothing.
    EXPECT_TRUE(contour_iso_module(12, fenetre(-60, 0, -40, 40)).morceaux.empty());
    EXPECT_TRUE(contour_iso_module(3, fenetre(0, 0, -40, 40)).morceaux.empty());
    EXPECT_TRUE(contour_iso_phase(0, f).morceaux.empty());
    EXPECT_TRUE(contour_iso_phase(180, f).morceaux.empty());
    for (const double m : {HUGE_VAL, -HUGE_VAL, 1e308, -1e308, std::nan("")})
        EXPECT_TRUE(contour_iso_module(m, f).morceaux.empty());
    // A very high contour is a tiny loop around (−180°, 0 dB), a very low one a line far down.
    EXPECT_FALSE(contour_iso_module(60, fenetre(-181, -179, -0.1, 0.1)).morceaux.empty());
    verifier(contour_iso_module(-100, fenetre(-360, 0, -120, 0)), fenetre(-360, 0, -120, 0));
}

// A zoomed window is sampled as finely as a whole one: consecutive points stay within a few
// pixels of each other.
TEST(AbaqueBlack, EchantillonnageALaTailleDeLaFenetre) {
    for (const fenetre_black& f : {fenetre(-360, 0, -40, 40), fenetre(-185, -175, -1, 1)}) {
        const double sx = f.largeur_px / (f.phase_max_deg - f.phase_min_deg);
        const double sy = f.hauteur_px / (f.gain_max_db - f.gain_min_db);
        for (const contour_black& c : contours_abaque(f))
            for (const auto& m : c.morceaux)
                for (std::size_t i = 1; i < m.size(); ++i)
                    ASSERT_LE(std::hypot((m[i].phase_deg - m[i - 1].phase_deg) * sx,
                                         (m[i].gain_db - m[i - 1].gain_db) * sy),
                              41);
    }
}

// Windows a zoom out or in can reach: turns so far out that the doubles no longer part them
// draw nothing (and end), a window far narrower than a pixel's worth of a degree stays bounded.
TEST(AbaqueBlack, FenetresExtremes) {
    for (const contour_black& c : contours_abaque(fenetre(-4.58e33, 5.73e32, -120, 30)))
        EXPECT_TRUE(c.morceaux.empty());
    for (const contour_black& c : contours_abaque(fenetre(-180 - 1e-9, -180 + 1e-9, -1, 1))) {
        std::size_t n = 0;
        for (const auto& m : c.morceaux) n += m.size();
        EXPECT_LE(n, 70000u);
    }
    // Far but still told apart: the 40 turns drawn at most.
    for (const contour_black& c : contours_abaque(fenetre(-3.6e6, 0, -40, 40)))
        EXPECT_LE(c.morceaux.size(), 200u);
}

// L = K/(p(1 + p)) closes into K/(p² + p + K): ω0 = √K, m = 1/(2√K), a peak of 1/(2m√(1−m²))
// at ω0·√(1 − 2m²).
TEST(AbaqueBlack, ResonanceDuSecondOrdre) {
    for (const double k : {0.8, 2.0, 10.0}) {
        SCOPED_TRACE(k);
        const fdt_travail l = test::analyse_acceptee(std::to_string(k), "(p)(1+p)");
        const std::optional<tangence_black> t = resonance_boucle_fermee(l);
        ASSERT_TRUE(t);
        const double w0 = std::sqrt(k), m = 1 / (2 * w0);
        EXPECT_NEAR(t->omega, w0 * std::sqrt(1 - 2 * m * m), 1e-9);
        EXPECT_NEAR(t->module_db, -20 * std::log10(2 * m * std::sqrt(1 - m * m)), 1e-9);
        EXPECT_NEAR(t->gain_db, fdt_gain_db(l.fonction, t->omega), 1e-12);
        EXPECT_NEAR(t->phase_deg, fdt_phase(l, t->omega) * degres, 1e-12);
        // The point of L lies on the contour it touches.
        EXPECT_NEAR(20 * std::log10(std::abs(boucle_fermee({t->phase_deg, t->gain_db}))),
                    t->module_db, 1e-9);
        // and no pulsation reaches a higher one.
        for (double lw = -2; lw <= 2; lw += 0.01)
            EXPECT_LE(boucle_fermee_en(l.fonction, std::pow(10.0, lw)).module_db,
                      t->module_db + 1e-12);
    }
    // Overdamped (m ≥ 1/√2): no peak, nothing touched.
    EXPECT_FALSE(resonance_boucle_fermee(test::analyse_acceptee("0.3", "(p)(1+p)")));
}

TEST(AbaqueBlack, ResonanceDeLaBoucleDuCours) {
    // 5 / ((1 + p)(1 + 0.5p)(1 + 0.2p)) in a unity loop: the peak of 5/(D + 5) sampled finely.
    const fdt_travail l = test::analyse_acceptee("5", "(1+p)(1+0.5p)(1+0.2p)");
    const std::optional<tangence_black> t = resonance_boucle_fermee(l);
    ASSERT_TRUE(t);
    double meilleur = -HUGE_VAL, w_meilleur = 0;
    for (double w = 0.5; w < 6; w += 1e-4) {
        const double g = boucle_fermee_en(l.fonction, w).module_db;
        if (g > meilleur) meilleur = g, w_meilleur = w;
    }
    EXPECT_NEAR(t->module_db, meilleur, 1e-7);
    EXPECT_GE(t->module_db, meilleur);
    EXPECT_NEAR(t->omega, w_meilleur, 1e-3);
}

TEST(AbaqueBlack, ValeurEnBoucleFermee) {
    const fdt_travail l = test::analyse_acceptee("(1+0.5p)", "(p^2)(1+0.1p)");
    for (double lw = -3; lw <= 3; lw += 0.25) {
        const double w = std::pow(10.0, lw);
        const complexe t = fdt_valeur(l.fonction, w);
        const std::complex<double> lc{t.re, t.im};
        const std::complex<double> f = lc / (1.0 + lc);
        const valeur_boucle_fermee v = boucle_fermee_en(l.fonction, w);
        EXPECT_NEAR(v.module_db, 20 * std::log10(std::abs(f)), 1e-9);
        EXPECT_NEAR(v.phase_deg, std::arg(f) * degres, 1e-9);
        EXPECT_GT(v.phase_deg, -180);
        EXPECT_LE(v.phase_deg, 180);
    }
    // A closed-loop pole on the axis: L = 1/p² closes into 1/(p² + 1).
    const fdt_travail axe = test::analyse_acceptee("1", "p^2");
    EXPECT_EQ(boucle_fermee_en(axe.fonction, 1).module_db, HUGE_VAL);
    EXPECT_FALSE(resonance_boucle_fermee(axe));
    EXPECT_EQ(
        boucle_fermee_en(test::fonction_depuis_racines(0, {}, {{-1, 0}}).fonction, 1).module_db,
        -10000);
    // With a delay the polynomials alone say nothing of it: e^(−p)/(1 + p) against its own F.
    fdt_travail retarde = test::analyse_acceptee("1", "1+p");
    retarde.fonction.retard = 1;
    for (const double w : {0.3, 1.0, 2.5}) {
        const std::complex<double> lc = std::polar(1.0, -w) / std::complex<double>(1, w);
        const std::complex<double> f = lc / (1.0 + lc);
        const valeur_boucle_fermee v = boucle_fermee_en(retarde.fonction, w);
        EXPECT_NEAR(v.module_db, 20 * std::log10(std::abs(f)), 1e-9) << w;
        EXPECT_NEAR(v.phase_deg, std::arg(f) * degres, 1e-9) << w;
    }
}

} // namespace
} // namespace varlem
