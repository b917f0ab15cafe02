#include "analysis/frequences.h"

#include "analysis/outils_frequence.h"
#include "plot/echelles.h"

#include "support/genres.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace varlem {
namespace {

using test::etude_de;
using test::fonction_test;
using test::systeme_de;

constexpr double deux_pi = 2 * std::numbers::pi;

struct cas_decades {
    const char* nom;
    std::vector<complexe> zeros;
    std::vector<complexe> poles;
    bool en_hertz;
    int decade_min;
    int decade_max;
};

TEST(PreparerFrequencesTest, DecadesDepuisLesRacines) {
    const cas_decades cas[] = {
        {"-1 et -100 en rad/s", {}, {{-1, 0}, {-100, 0}}, false, -1, 3},
        // log10(1/2π) = -0.798 and log10(100/2π) = 1.202.
        {"-1 et -100 en Hz", {}, {{-1, 0}, {-100, 0}}, true, -2, 2},
        // The zero modulus is ignored when a non-zero pole comes first.
        {"-10 puis 0", {}, {{-10, 0}, {0, 0}}, false, 0, 2},
        // A pole at the origin stored first keeps the lower bound at 0: 10 / 100 then.
        {"0 puis -10", {}, {{0, 0}, {-10, 0}}, false, -2, 2},
        // A ratio of 1e7 is cut to 1e6 below the largest modulus: 0.01.
        {"rapport 1e6", {{-1e-3, 0}}, {{-1e4, 0}}, false, -3, 5},
        {"zeros comptes", {{-1000, 0}}, {{-1, 0}}, false, -1, 4},
        {"paire complexe", {}, {{-3, 4}, {-3, -4}}, false, 0, 2},
        // No roots at all: 0.1 .. 10 rad/s.
        {"constante", {}, {}, false, -2, 2},
    };
    for (const auto& c : cas) {
        const auto s = systeme_de({{1.0, c.zeros, c.poles}});
        const etude_frequence r = etude_de(*s, c.en_hertz);
        EXPECT_EQ(r.decade_min, c.decade_min) << c.nom;
        EXPECT_EQ(r.decade_max, c.decade_max) << c.nom;
        const double facteur = c.en_hertz ? deux_pi : 1.0;
        EXPECT_NEAR(r.w_min, std::pow(10.0, c.decade_min) * facteur, 1e-12 * r.w_min) << c.nom;
        EXPECT_NEAR(r.w_max, std::pow(10.0, c.decade_max) * facteur, 1e-12 * r.w_max) << c.nom;
    }
}

TEST(PreparerFrequencesTest, FonctionsBalayees) {
    const std::vector<fonction_test> f = {
        {1, {}, {{-1, 0}}}, {1, {}, {{-1000, 0}}}, {1, {}, {{-1e-2, 0}}}};
    // All functions: 0.01 .. 1000.
    EXPECT_EQ(etude_de(*systeme_de(f, true)).decade_min, -3);
    EXPECT_EQ(etude_de(*systeme_de(f, true)).decade_max, 4);
    // The current one only, but both bounds start at the first pole of function 1.
    const etude_frequence seule = etude_de(*systeme_de(f, false, 2));
    EXPECT_EQ(seule.decade_min, -1);
    EXPECT_EQ(seule.decade_max, 4);
    const etude_frequence premiere = etude_de(*systeme_de(f, false, 1));
    EXPECT_EQ(premiere.decade_min, -1);
    EXPECT_EQ(premiere.decade_max, 1);
}

TEST(PreparerFrequencesTest, GainConstantUn) {
    const auto s = systeme_de({{1.0, {}, {}}});
    const etude_frequence r = etude_de(*s);
    // 0 dB everywhere: the gain range is 0 .. 3 before widening.
    double lo = 0, hi = 3;
    const double pas = pas_graduation(lo, hi, true);
    EXPECT_EQ(r.gain_pas, pas);
    EXPECT_EQ(r.gain_min, lo);
    EXPECT_EQ(r.gain_max, hi);
    EXPECT_GT(r.gain_max, 3);
    // Phase 0 .. 0.5 rad, modulus 0 .. 1, real part 0 .. 1, imaginary part 0 .. 1.
    EXPECT_DOUBLE_EQ(r.phase_pas, 0.1);
    EXPECT_GT(r.phase_max, 0.5);
    EXPECT_GT(r.module_max, 1);
    EXPECT_GT(r.im_max, 1);
    EXPECT_GT(r.re_max, 1);
}

TEST(PreparerFrequencesTest, PhaseNulleEnDegres) {
    const auto s = systeme_de({{1.0, {}, {}}});
    const etude_frequence r = etude_de(*s, false, false);
    // 0 .. 0.5 rad is 0 .. 28.65°: a step of 1 and the range -1 .. 29.
    EXPECT_EQ(r.phase_pas, 1.0);
    EXPECT_EQ(r.phase_min, -1.0);
    EXPECT_EQ(r.phase_max, 29.0);
    EXPECT_EQ(r.black_phase_min, r.phase_min);
    EXPECT_EQ(r.black_phase_max, r.phase_max);
}

// Every value met on a dense grid of the analysed range lies in the graduated ranges, up to
// what the 1.1 sweep can miss between two of its points near an extreme.
bool dans_plage(double v, double lo, double hi) {
    const double marge = 0.02 * (hi - lo);
    return lo - marge <= v && v <= hi + marge;
}

TEST(PreparerFrequencesTest, LesPlagesContiennentLaReponse) {
    const std::vector<fonction_test> cas = {
        {1, {}, {{-1, 0}}},
        {-3, {{2, 0}}, {{-1, 0}, {-0.5, 0}}},
        {2, {{-2, 0}}, {{0, 0}, {-10, 0}}},
        test::second_ordre(5, 0.5),
        {1, {{-1, 0}}, {{2, 0}, {1, 3}, {1, -3}}},
    };
    for (const bool degres : {false, true}) {
        for (const auto& f : cas) {
            const auto s = systeme_de({f});
            const etude_frequence r = etude_de(*s, true, !degres);
            const fdt_travail& ft = s->fonctions[1];
            ASSERT_LT(r.w_min, r.w_max);
            for (int k = 0; k <= 2000; ++k) {
                const double w = r.w_min * std::pow(r.w_max / r.w_min, k / 2000.0);
                const complexe t = fdt_valeur(ft.fonction, w);
                const double g = fdt_gain_db(ft.fonction, w);
                const double ph = fdt_phase(ft, w) * (degres ? 180 / std::numbers::pi : 1);
                EXPECT_TRUE(dans_plage(t.re, r.re_min, r.re_max)) << w;
                EXPECT_TRUE(dans_plage(t.im, r.im_min, r.im_max)) << w;
                EXPECT_TRUE(dans_plage(c_module(t), r.module_min, r.module_max)) << w;
                EXPECT_TRUE(dans_plage(g, r.gain_min, r.gain_max)) << w;
                EXPECT_TRUE(dans_plage(ph, r.phase_min, r.phase_max)) << w;
            }
            // The sweep's own end points are strictly inside.
            for (const double w : {r.w_min, r.w_max}) {
                const complexe t = fdt_valeur(ft.fonction, w);
                EXPECT_TRUE(r.re_min < t.re && t.re < r.re_max) << w;
                EXPECT_TRUE(r.im_min < t.im && t.im < r.im_max) << w;
                EXPECT_TRUE(r.module_min < c_module(t) && c_module(t) < r.module_max) << w;
                const double g = fdt_gain_db(ft.fonction, w);
                EXPECT_TRUE(r.gain_min < g && g < r.gain_max) << w;
            }
            // Ranges contain zero; steps are positive; the Black window is the automatic one.
            EXPECT_TRUE(r.gain_min < 0 && 0 < r.gain_max);
            EXPECT_TRUE(r.phase_min < 0 && 0 < r.phase_max);
            EXPECT_EQ(r.black_gain_min, r.gain_min);
            EXPECT_EQ(r.black_gain_pas, r.gain_pas);
            EXPECT_EQ(r.black_phase_pas, r.phase_pas);
            // Linear axes: from 0 to beyond the top of the range.
            EXPECT_EQ(r.wl_min, 0.0);
            EXPECT_GT(r.wl_max, r.w_max);
            EXPECT_EQ(r.f_min, 0.0);
            EXPECT_GT(r.f_max, r.w_max / deux_pi);
        }
    }
}

TEST(PreparerFrequencesTest, DecadesGardeesHorsAutomatique) {
    const auto s = systeme_de({{1, {}, {{-1, 0}}}});
    etude_frequence r = etude_de(*s);
    r.decade_min = -4;
    r.decade_max = 6;
    preparer_frequences(r, false, *s);
    EXPECT_EQ(r.decade_min, -4);
    EXPECT_EQ(r.decade_max, 6);
    EXPECT_NEAR(r.w_min, 1e-4, 1e-16);
    EXPECT_NEAR(r.w_max, 1e6, 1e-6);
}

bool plages_finies(const etude_frequence& r) {
    for (const double v :
         {r.gain_min,   r.gain_max,   r.gain_pas,   r.phase_min, r.phase_max, r.phase_pas,
          r.module_min, r.module_max, r.module_pas, r.re_min,    r.re_max,    r.re_pas,
          r.im_min,     r.im_max,     r.im_pas,     r.wl_min,    r.wl_max,    r.wl_pas,
          r.f_min,      r.f_max,      r.f_pas,      r.w_min,     r.w_max})
        if (!std::isfinite(v)) return false;
    return r.gain_pas > 0 && r.phase_pas > 0 && r.module_pas > 0 && r.re_pas > 0 && r.im_pas > 0 &&
           r.wl_pas > 0 && r.f_pas > 0;
}

TEST(PreparerFrequencesTest, EntreesDegenereesDonnentDesPlagesFinies) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double w10 = puissance_dix(1);
    struct cas {
        const char* nom;
        fonction_test f;
        bool automatique;
        int decade_min, decade_max;
    };
    const cas liste[] = {
        {"bornes egales", {1, {}, {{-1, 0}}}, false, 2, 2},
        {"bornes inversees", {1, {}, {{-1, 0}}}, false, 3, -3},
        {"decades immenses", {1, {}, {{-1, 0}}}, false, -1000, 1000},
        {"decades au-dela des doubles", {1, {}, {{-1, 0}}}, false, 400, 500},
        // The sweep ends exactly on the poles ±j·10^1: T(jω) is infinite there.
        {"pole sur l'axe", {1, {}, {{0, w10}, {0, -w10}}}, false, -1, 1},
        {"pole NaN", {1, {}, {{nan, 0}}}, true, 0, 0},
        {"racines enormes", {1, {{-1e250, 0}}, {{-1e-250, 0}}}, true, 0, 0},
        {"vide", {1, {}, {}}, true, 0, 0},
    };
    for (const auto& c : liste) {
        const auto s = systeme_de({c.f});
        etude_frequence r;
        r.en_hertz = false;
        r.decade_min = c.decade_min;
        r.decade_max = c.decade_max;
        preparer_frequences(r, c.automatique, *s);
        EXPECT_TRUE(plages_finies(r)) << c.nom;
        EXPECT_LE(std::abs(r.decade_min), decade_limite) << c.nom;
        EXPECT_LE(std::abs(r.decade_max), decade_limite) << c.nom;
    }
    // An empty system scans nothing and still gets usable ranges.
    const auto vide = systeme_de({});
    etude_frequence r;
    preparer_frequences(r, true, *vide);
    EXPECT_TRUE(plages_finies(r));
}

// Each diagram's point against the values of T(jω) and the world/pixel maps.
TEST(PointFrequentielTest, ValeursEtPixelsDeChaqueDiagramme) {
    const auto s = systeme_de({{-2, {{-3, 0}}, {{-1, 0}, {-0.2, 1}, {-0.2, -1}}}});
    const fdt_travail& ft = s->fonctions[1];
    const int bas = 390, haut = 10, droite = 585, gauche = 15;
    for (const bool hertz : {false, true}) {
        for (const bool radians : {false, true}) {
            const etude_frequence r = etude_de(*s, hertz, radians);
            const double conv = radians ? 1 : 180 / std::numbers::pi;
            for (const double w : {0.05, 0.7, 1.0, 3.3, 20.0}) {
                const complexe t = fdt_valeur(ft.fonction, w);
                const double g = fdt_gain_db(ft.fonction, w);
                const double ph = fdt_phase(ft, w) * conv;
                const double xw = hertz ? w / deux_pi : w;
                struct attendu {
                    diagramme genre;
                    double h, v;
                    int px, py;
                };
                const attendu liste[] = {
                    {diagramme::gain, xw, g,
                     log_vers_pixel(r.decade_min, r.decade_max, gauche, droite, xw),
                     y_vers_pixel(haut, bas, g, r.gain_min, r.gain_max)},
                    {diagramme::phase, xw, ph,
                     log_vers_pixel(r.decade_min, r.decade_max, gauche, droite, xw),
                     y_vers_pixel(haut, bas, ph, r.phase_min, r.phase_max)},
                    {diagramme::black, ph, g,
                     x_vers_pixel(gauche, droite, ph, r.black_phase_min, r.black_phase_max),
                     y_vers_pixel(haut, bas, g, r.black_gain_min, r.black_gain_max)},
                    {diagramme::nyquist, t.re, t.im,
                     x_vers_pixel(gauche, droite, t.re, r.re_min, r.re_max),
                     y_vers_pixel(haut, bas, t.im, r.im_min, r.im_max)},
                    {diagramme::module, xw, c_module(t),
                     hertz ? x_vers_pixel(gauche, droite, xw, r.f_min, r.f_max)
                           : x_vers_pixel(gauche, droite, xw, r.wl_min, r.wl_max),
                     y_vers_pixel(haut, bas, c_module(t), r.module_min, r.module_max)},
                };
                for (const auto& a : liste) {
                    const point_frq p =
                        point_frequentiel(ft, r, a.genre, w, bas, haut, droite, gauche);
                    SCOPED_TRACE(testing::Message()
                                 << a.genre << " w=" << w << " hz=" << hertz << " rad=" << radians);
                    EXPECT_TRUE(p.defini);
                    EXPECT_DOUBLE_EQ(p.valeur_h, a.h);
                    EXPECT_DOUBLE_EQ(p.valeur_v, a.v);
                    EXPECT_EQ(p.px, a.px);
                    EXPECT_EQ(p.py, a.py);
                }
            }
        }
    }
}

TEST(PointFrequentielTest, GainNegatifEnDemiTour) {
    // -1/(1+p) at low pulsation: 0 dB and a phase of -π, on the branch of the roots.
    const auto s = systeme_de({{-1, {}, {{-1, 0}}}});
    const etude_frequence r = etude_de(*s);
    const point_frq p =
        point_frequentiel(s->fonctions[1], r, diagramme::phase, 1e-6, 390, 10, 585, 15);
    EXPECT_NEAR(p.valeur_v, -std::numbers::pi, 1e-5);
    const point_frq n =
        point_frequentiel(s->fonctions[1], r, diagramme::nyquist, 1e-6, 390, 10, 585, 15);
    EXPECT_NEAR(n.valeur_h, -1, 1e-9);
}

TEST(PointFrequentielTest, PointsIndefinis) {
    // On the pole ±j: T(j) is infinite; a zero pulsation has no place on a log axis.
    const auto s = systeme_de({{1, {}, {{0, 1}, {0, -1}}}});
    const etude_frequence r = etude_de(*s);
    for (const diagramme g : {diagramme::gain, diagramme::nyquist, diagramme::module})
        EXPECT_FALSE(point_frequentiel(s->fonctions[1], r, g, 1.0, 390, 10, 585, 15).defini) << g;
    EXPECT_FALSE(
        point_frequentiel(s->fonctions[1], r, diagramme::gain, 0.0, 390, 10, 585, 15).defini);
    EXPECT_FALSE(
        point_frequentiel(s->fonctions[1], r, diagramme::aucun, 2.0, 390, 10, 585, 15).defini);
    EXPECT_TRUE(
        point_frequentiel(s->fonctions[1], r, diagramme::gain, 2.0, 390, 10, 585, 15).defini);
}

} // namespace
} // namespace varlem
