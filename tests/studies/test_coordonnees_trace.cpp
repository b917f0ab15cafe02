#include "studies/coordonnees_trace.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <tuple>

namespace varlem {
namespace {

// Frames of 600 × 400 pixels (x 15..615, y 10..410): 150 pixels a decade, 5 a dB.
constexpr int largeur = 630;
constexpr int hauteur = 420;

etude_frequence etude_ronde(bool hertz, bool radians) {
    etude_frequence r;
    r.en_hertz = hertz;
    r.en_radians = radians;
    r.decade_min = -1, r.decade_max = 3;
    r.gain_min = -60, r.gain_max = 20;
    r.phase_min = r.black_phase_min = radians ? -4 : -180;
    r.black_gain_min = -60, r.black_gain_max = 20;
    r.f_min = 0, r.f_max = 150, r.wl_min = 0, r.wl_max = 1000;
    r.module_min = 0, r.module_max = 2;
    r.re_min = -3, r.re_max = 3, r.im_min = -2, r.im_max = 2;
    return r;
}

TEST(CoordonneesTrace, ChaqueDiagrammeSesUnites) {
    struct cas {
        diagramme genre;
        bool hertz, radians;
        int px, py;
        const char* texte;
    };
    const cas table[] = {
        {diagramme::gain, true, true, 315, 160, "f = 10 Hz    G = -10 dB"},
        {diagramme::gain, false, true, 315, 160, "ω = 10 rad/s    G = -10 dB"},
        {diagramme::phase, true, true, 390, 210, "f = 31.62 Hz    φ = -2 rad"},
        {diagramme::phase, false, false, 15, 210, "ω = 0.1 rad/s    φ = -90°"},
        {diagramme::module, true, true, 315, 210, "f = 75 Hz    |T| = 1"},
        {diagramme::module, false, true, 315, 310, "ω = 500 rad/s    |T| = 0.5"},
        {diagramme::black, true, false, 465, 410, "φ = -45°    G = -60 dB"},
        {diagramme::nyquist, true, true, 115, 110, "Re = -2    Im = 1"},
        {diagramme::gain, true, true, 14, 160, ""},
        {diagramme::nyquist, true, true, 100, 411, ""},
        {diagramme::aucun, true, true, 100, 100, ""},
    };
    for (const cas& c : table)
        EXPECT_EQ(coordonnees_frequentiel(etude_ronde(c.hertz, c.radians), c.genre, largeur,
                                          hauteur, c.px, c.py),
                  c.texte);
}

TEST(CoordonneesTrace, QuatreChiffresSignificatifs) {
    // Over [0, re_max], column 215 is a third of the way and column 315 half.
    etude_frequence r = etude_ronde(true, true);
    for (const auto& [re_max, px, texte] : {std::tuple{1.0, 215, "Re = 0.3333"},
                                            {2e6, 315, "Re = 1E6"},
                                            {3e-5, 315, "Re = 1.5E-5"},
                                            {24691.2, 315, "Re = 1.235E4"},
                                            {-7.0, 315, "Re = -3.5"}}) {
        r.re_min = 0, r.re_max = re_max;
        EXPECT_EQ(coordonnees_frequentiel(r, diagramme::nyquist, largeur, hauteur, px, 210),
                  texte + std::string("    Im = 0"));
    }
    // The rounding of the map around zero reads as zero.
    r.re_min = -0.3, r.re_max = -0.3 + 0.9;
    EXPECT_EQ(coordonnees_frequentiel(r, diagramme::nyquist, largeur, hauteur, 215, 210),
              "Re = 0    Im = 0");
}

TEST(CoordonneesTrace, TempsEtPointDecimal) {
    etude_temps r;
    r.t_min = 0, r.t_max = 5, r.y_min = 0, r.y_max = 1;
    const std::string attendu = "t = 0.5 s    y = 0.25";
    EXPECT_EQ(coordonnees_temporel(r, largeur, hauteur, 75, 310), attendu);
    EXPECT_EQ(coordonnees_temporel(r, largeur, hauteur, 616, 310), "");
    // A locale with a decimal comma, where one is installed, changes nothing.
    const std::string avant = std::setlocale(LC_ALL, nullptr);
    for (const char* nom : {"fr_FR.UTF-8", "fr_FR.utf8", "de_DE.UTF-8"}) {
        if (std::setlocale(LC_ALL, nom) == nullptr) continue;
        EXPECT_EQ(coordonnees_temporel(r, largeur, hauteur, 75, 310), attendu) << nom;
    }
    std::setlocale(LC_ALL, avant.c_str());
    // An interval the plot does not draw either.
    r.y_max = r.y_min;
    EXPECT_EQ(coordonnees_temporel(r, largeur, hauteur, 75, 310), "");
}

} // namespace
} // namespace varlem
