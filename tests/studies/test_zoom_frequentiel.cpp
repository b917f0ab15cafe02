#include "analysis/frequences.h"
#include "plot/echelles.h"
#include "studies/zoom_frequentiel.h"

#include "support/genres.h"

#include <gtest/gtest.h>

#include <tuple>

namespace varlem {
namespace {

TEST(ZoomArriere, BornesElargies) {
    // [-2, 3] gives [-3, 4.5]; [1, 5] gives [0.667, 7.5]; a negative top moves towards zero.
    EXPECT_DOUBLE_EQ(borne_basse_elargie(-2), -3);
    EXPECT_DOUBLE_EQ(borne_haute_elargie(3), 4.5);
    EXPECT_DOUBLE_EQ(borne_basse_elargie(1), 1 / 1.5);
    EXPECT_DOUBLE_EQ(borne_haute_elargie(5), 7.5);
    EXPECT_DOUBLE_EQ(borne_haute_elargie(-3), -2);
    EXPECT_DOUBLE_EQ(borne_basse_elargie(0), 0);
}

TEST(ZoomArriere, ChaqueDiagrammeSesPlages) {
    etude_frequence r;
    r.gain_min = -2, r.gain_max = 3;
    ASSERT_TRUE(zoom_arriere(r, diagramme::gain, false));
    double lo = -3, hi = 4.5;
    EXPECT_EQ(r.gain_pas, pas_graduation(lo, hi, false));
    EXPECT_EQ(r.gain_min, lo);
    EXPECT_EQ(r.gain_max, hi);

    r.en_hertz = false;
    r.wl_min = 0, r.wl_max = 10, r.module_max = 2, r.module_pas = 0.5;
    ASSERT_TRUE(zoom_arriere(r, diagramme::module, true));
    EXPECT_GE(r.wl_max, 15);
    EXPECT_DOUBLE_EQ(r.module_max, 3);
    EXPECT_EQ(r.module_pas, 0.5) << "the modulus keeps its step";

    r.re_min = -1, r.re_max = 1, r.im_min = -1, r.im_max = 1;
    ASSERT_TRUE(zoom_arriere(r, diagramme::nyquist, true));
    EXPECT_LE(r.re_min, -1.5);
    EXPECT_GE(r.im_max, 1.5);

    const etude_frequence avant = r;
    EXPECT_FALSE(zoom_arriere(r, diagramme::aucun, true));
    EXPECT_EQ(r.gain_min, avant.gain_min);
}

// Every field of the record, to compare two of them whole.
auto champs(const etude_frequence& r) {
    return std::tie(r.en_hertz, r.en_radians, r.decade_min, r.decade_max, r.black_phase_min,
                    r.black_phase_max, r.black_phase_pas, r.black_gain_min, r.black_gain_max,
                    r.black_gain_pas, r.f_min, r.f_max, r.f_pas, r.w_min, r.w_max, r.wl_min,
                    r.wl_max, r.gain_pas, r.re_pas, r.im_pas, r.phase_pas, r.module_pas, r.wl_pas,
                    r.im_min, r.im_max, r.re_min, r.re_max, r.phase_min, r.phase_max, r.module_min,
                    r.module_max, r.gain_min, r.gain_max);
}

// Frames of 600 × 400 pixels (x 15..615, y 10..410); 4 decades, Nyquist 100 pixels a unit.
constexpr int largeur = 630;
constexpr int hauteur = 420;

etude_frequence etude_zoom() {
    etude_frequence r;
    r.decade_min = -1, r.decade_max = 3;
    r.gain_min = -60, r.gain_max = 20;
    r.phase_min = -4, r.phase_max = 0;
    r.re_min = -3, r.re_max = 3, r.im_min = -2, r.im_max = 2;
    r.black_phase_min = -4, r.black_phase_max = 0, r.black_gain_min = -60, r.black_gain_max = 20;
    r.f_min = 0, r.f_max = 150, r.wl_min = 0, r.wl_max = 1000;
    r.module_min = 0, r.module_max = 2;
    return r;
}

TEST(ZoomSouris, ClicEtRectanglesPlatsRefuses) {
    for (const diagramme g : {diagramme::gain, diagramme::phase, diagramme::module,
                              diagramme::nyquist, diagramme::black})
        for (const rectangle_zoom z :
             {rectangle_zoom{100, 100, 100, 100}, {100, 50, 100, 300}, {50, 200, 400, 200}}) {
            etude_frequence r = etude_zoom();
            bool inclure_zero = true;
            EXPECT_FALSE(zoom_souris(r, g, largeur, hauteur, z, inclure_zero)) << g;
            EXPECT_TRUE(champs(r) == champs(etude_zoom()) && inclure_zero) << g;
        }
    etude_frequence r = etude_zoom();
    bool inclure_zero = true;
    EXPECT_FALSE(
        zoom_souris(r, diagramme::aucun, largeur, hauteur, {10, 10, 200, 200}, inclure_zero));
}

TEST(ZoomSouris, LeSensDuGlissementNeComptePas) {
    for (const diagramme g : {diagramme::gain, diagramme::phase, diagramme::module,
                              diagramme::nyquist, diagramme::black})
        for (const bool hertz : {true, false}) {
            etude_frequence reference = etude_zoom();
            reference.en_hertz = hertz;
            bool z_reference = true;
            ASSERT_TRUE(
                zoom_souris(reference, g, largeur, hauteur, {120, 60, 470, 330}, z_reference));
            for (const rectangle_zoom z :
                 {rectangle_zoom{470, 330, 120, 60}, {120, 330, 470, 60}, {470, 60, 120, 330}}) {
                etude_frequence r = etude_zoom();
                r.en_hertz = hertz;
                bool inclure_zero = !z_reference;
                ASSERT_TRUE(zoom_souris(r, g, largeur, hauteur, z, inclure_zero));
                EXPECT_TRUE(champs(r) == champs(reference) && inclure_zero == z_reference) << g;
            }
        }
}

TEST(ZoomSouris, NyquistAutourDeMoinsUn) {
    const auto x = [](double re) { return x_vers_pixel(15, 615, re, -3, 3); };
    const auto y = [](double im) { return y_vers_pixel(10, 410, im, -2, 2); };
    struct cas {
        double re0, re1;
        bool origine;
    };
    for (const cas c : {cas{-1.5, 0.5, true}, cas{-1.4, -0.6, false}}) {
        etude_frequence r = etude_zoom();
        bool inclure_zero = !c.origine;
        ASSERT_TRUE(zoom_souris(r, diagramme::nyquist, largeur, hauteur,
                                {x(c.re0), y(0.3), x(c.re1), y(-0.3)}, inclure_zero));
        EXPECT_EQ(inclure_zero, c.origine);
        EXPECT_LE(r.re_min, c.re0);
        EXPECT_GE(r.re_max, c.re1 - 1e-9);
        EXPECT_EQ(r.re_max > 0, c.origine) << "the origin shown only when asked";
        EXPECT_LT(r.re_pas, 1) << "a step for the new range";
        EXPECT_LE(r.im_min, -0.3);
        EXPECT_GE(r.im_max, 0.3);
    }
}

TEST(ZoomSouris, DecadesDuGainEtDeLaPhase) {
    // 150 pixels a decade, w = 1 at column 165: the rectangle from 1 to 100 gives 10^-1..10^2.
    etude_frequence r = etude_zoom();
    bool inclure_zero = true;
    ASSERT_TRUE(
        zoom_souris(r, diagramme::gain, largeur, hauteur, {165, 60, 465, 300}, inclure_zero));
    EXPECT_EQ(std::pair(r.decade_min, r.decade_max), std::pair(-1, 2));
    // Every rectangle: its left edge less than two decades above the lower decade, its right
    // edge in the first decade that holds it, one decade at least.
    for (const diagramme g : {diagramme::gain, diagramme::phase})
        for (int x0 = 15; x0 <= 615; x0 += 25)
            for (int x1 = x0 + 1; x1 <= 615; x1 += 31) {
                r = etude_zoom();
                ASSERT_TRUE(zoom_souris(r, g, largeur, hauteur, {x0, 100, x1, 200}, inclure_zero));
                const double l0 = -1 + 4.0 * (x0 - 15) / 600;
                const double l1 = -1 + 4.0 * (x1 - 15) / 600;
                EXPECT_TRUE(r.decade_min <= l0 + 1e-9 && r.decade_min > l0 - 2 - 1e-9) << x0;
                EXPECT_TRUE(r.decade_max >= l1 - 1e-9 && r.decade_max >= r.decade_min + 1) << x1;
                if (r.decade_max > r.decade_min + 1) {
                    EXPECT_LT(r.decade_max - 1, l1 - 1e-9) << x0 << ".." << x1;
                }
            }
    // Held within the decades a frequency study keeps.
    r = etude_zoom();
    r.decade_min = -decade_limite, r.decade_max = decade_limite;
    ASSERT_TRUE(zoom_souris(r, diagramme::phase, largeur, hauteur, {-100000, 60, 100000, 300},
                            inclure_zero));
    EXPECT_EQ(std::pair(r.decade_min, r.decade_max), std::pair(-decade_limite, decade_limite));
}

TEST(ZoomSouris, VerticalesEtModule) {
    // The gain's origin is 0 dB: a rectangle below it turns the zero off.
    const auto y_gain = [](double g) { return y_vers_pixel(10, 410, g, -60, 20); };
    etude_frequence r = etude_zoom();
    bool inclure_zero = true;
    ASSERT_TRUE(zoom_souris(r, diagramme::gain, largeur, hauteur,
                            {100, y_gain(-10), 300, y_gain(-30)}, inclure_zero));
    EXPECT_FALSE(inclure_zero);
    EXPECT_TRUE(r.gain_min <= -30 && r.gain_max >= -10 && r.gain_max < 0);
    // The module zooms the axis of its unit and leaves the other one.
    for (const bool hertz : {true, false}) {
        r = etude_zoom();
        r.en_hertz = hertz;
        ASSERT_TRUE(zoom_souris(r, diagramme::module, largeur, hauteur, {135, 110, 375, 310},
                                inclure_zero));
        const double haut = hertz ? 150 : 1000;
        EXPECT_LE(hertz ? r.f_min : r.wl_min, 0.2 * haut);
        EXPECT_GE(hertz ? r.f_max : r.wl_max, 0.6 * haut);
        EXPECT_LT(hertz ? r.f_max : r.wl_max, haut);
        EXPECT_EQ(hertz ? r.wl_max : r.f_max, hertz ? 1000 : 150);
        EXPECT_TRUE(r.module_min <= 0.5 && r.module_max >= 1.5 && r.module_max < 2);
    }
}

} // namespace
} // namespace varlem
