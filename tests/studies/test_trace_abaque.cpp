// The chart's drawing, read from the recorded commands: thin light contours on the analysis's
// contours, the 2.3 dB one stronger, the same picture in radians and degrees, labels clear of
// the captions and of one another at three sizes, and the resonance marked.
#include "document/etudes_systeme.h"
#include "studies/trace_abaque.h"

#include "plot/echelles.h"
#include "studies/outils_cours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace varlem {
namespace {

constexpr couleur vert = 0x00A000;
const std::pair<std::string, std::string> boucle_du_cours = {"5", "(1+p)(1+0.5p)(1+0.2p)"};

etude_frequence etude_black(const systeme& s, bool en_radians) {
    etude_frequence r;
    r.en_radians = en_radians;
    preparer_frequences(r, true, s);
    return r;
}

bool dedans(const segment_enregistre& s, int w, int h) {
    for (const int x : {s.x1, s.x2})
        if (x < cadre_gauche() || x > cadre_droite(w)) return false;
    for (const int y : {s.y1, s.y2})
        if (y < cadre_haut() || y > cadre_bas(h)) return false;
    return true;
}

TEST(TraceAbaque, ContoursLegersEtContourFort) {
    const auto sys = test::systeme_saisi({boucle_du_cours}, diagramme::black);
    const etude_frequence r = etude_black(*sys, false);
    constexpr int w = 800, h = 600;
    enregistreur e(w, h);
    tracer_abaque(e, r, param{}, boucle_ouverte_abaque(*sys), vert);

    const auto legers = e.segments(couleur_abaque);
    const auto forts = e.segments(couleur_abaque_forte);
    ASSERT_GT(legers.size(), 200u);
    ASSERT_GT(forts.size(), 20u);
    for (const auto& s : legers) {
        EXPECT_EQ(s.epaisseur, 1);
        EXPECT_TRUE(dedans(s, w, h));
    }
    // The strong pen draws the 2.3 dB contour of the analysis, mapped onto the frame.
    const fenetre_black f = fenetre_du_diagramme(e, r);
    std::vector<std::pair<double, double>> attendus;
    for (const auto& m : contour_iso_module(module_fort_db, f).morceaux)
        for (const point_black& q : m)
            attendus.emplace_back(
                x_vers_pixel(cadre_gauche(), cadre_droite(w), q.phase_deg, f.phase_min_deg,
                             f.phase_max_deg),
                y_vers_pixel(cadre_haut(), cadre_bas(h), q.gain_db, f.gain_min_db, f.gain_max_db));
    const auto distance = [&](double x, double y) {
        double d = HUGE_VAL;
        for (std::size_t i = 0; i + 1 < attendus.size(); ++i) {
            const auto [ax, ay] = attendus[i];
            const auto [bx, by] = attendus[i + 1];
            const double l2 = (bx - ax) * (bx - ax) + (by - ay) * (by - ay);
            const double u =
                l2 > 0 ? std::clamp(((x - ax) * (bx - ax) + (y - ay) * (by - ay)) / l2, 0.0, 1.0)
                       : 0;
            d = std::min(d, std::hypot(x - ax - u * (bx - ax), y - ay - u * (by - ay)));
        }
        return d;
    };
    for (const auto& s : forts) {
        EXPECT_EQ(s.epaisseur, epaisseur_abaque_forte);
        EXPECT_LE(distance(s.x1, s.y1), 1.0);
        EXPECT_LE(distance(s.x2, s.y2), 1.0);
    }
    // No contour runs under a label of the chart.
    std::vector<rectangle_px> etiquettes;
    for (const auto& t : e.textes())
        if (t.c == couleur_etiquettes_abaque) etiquettes.push_back(test::rectangle_de(t));
    ASSERT_GT(etiquettes.size(), 5u);
    for (const auto* liste : {&legers, &forts})
        for (const auto& s : *liste)
            for (const rectangle_px& q : etiquettes)
                for (const double u : {0.0, 0.5, 1.0}) {
                    const double x = s.x1 + u * (s.x2 - s.x1), y = s.y1 + u * (s.y2 - s.y1);
                    EXPECT_FALSE(x > q.gauche + 1 && x < q.droite - 1 && y > q.haut + 1 &&
                                 y < q.bas - 1);
                }
    // No segment of zero length, the pen back to 1 pixel.
    for (const auto& s : e.segments()) EXPECT_TRUE(s.x1 != s.x2 || s.y1 != s.y2);
    const auto& k = e.commandes();
    const auto epaisseur = std::find_if(k.rbegin(), k.rend(), [](const commande& c) {
        return c.sorte == sorte_commande::epaisseur;
    });
    ASSERT_NE(epaisseur, k.rend());
    EXPECT_EQ(epaisseur->valeur, 1);
}

// The phase in radians gives the same picture as in degrees over the same window.
TEST(TraceAbaque, RadiansCommeDegres) {
    const auto sys = test::systeme_saisi({boucle_du_cours}, diagramme::black);
    const etude_frequence deg = etude_black(*sys, false);
    etude_frequence rad = deg;
    rad.en_radians = true;
    for (double* v : {&rad.black_phase_min, &rad.black_phase_max, &rad.black_phase_pas})
        *v *= std::numbers::pi / 180;
    enregistreur a(600, 400), b(600, 400);
    tracer_abaque(a, deg, param{}, boucle_ouverte_abaque(*sys), vert);
    tracer_abaque(b, rad, param{}, boucle_ouverte_abaque(*sys), vert);
    const auto sa = a.segments(), sb = b.segments();
    ASSERT_EQ(sa.size(), sb.size());
    int ecarts = 0;
    for (std::size_t i = 0; i < sa.size(); ++i)
        ecarts += std::abs(sa[i].x1 - sb[i].x1) + std::abs(sa[i].y1 - sb[i].y1) > 1;
    EXPECT_EQ(ecarts, 0);
}

// Every turn of phase the window shows repeats the chart: the 2.3 dB loop around −180° and
// around −540°.
TEST(TraceAbaque, RepeteDansChaqueTour) {
    const auto sys = test::systeme_saisi({boucle_du_cours}, diagramme::black);
    etude_frequence r = etude_black(*sys, false);
    r.black_phase_min = -720;
    r.black_phase_max = 0;
    constexpr int w = 900;
    enregistreur e(w, 500);
    tracer_abaque(e, r, param{}, nullptr, vert);
    const auto colonne = [&](double phase) {
        return x_vers_pixel(cadre_gauche(), cadre_droite(w), phase, -720, 0);
    };
    int autour_180 = 0, autour_540 = 0;
    for (const auto& s : e.segments(couleur_abaque_forte)) {
        autour_180 += std::abs(s.x1 - colonne(-180)) < colonne(-120) - colonne(-180);
        autour_540 += std::abs(s.x1 - colonne(-540)) < colonne(-120) - colonne(-180);
    }
    EXPECT_GT(autour_180, 10);
    EXPECT_EQ(autour_180, autour_540);
    // Without an open loop, no resonance mark.
    EXPECT_TRUE(e.rectangles().empty());
}

// The resonance: a square on the curve of L where it touches its highest contour, its value
// written beside it.
TEST(TraceAbaque, ResonanceMarquee) {
    const auto sys = test::systeme_saisi({boucle_du_cours}, diagramme::black);
    const etude_frequence r = etude_black(*sys, false);
    constexpr int w = 800, h = 600;
    enregistreur e(w, h);
    const std::optional<tangence_black> t =
        tracer_abaque(e, r, param{}, boucle_ouverte_abaque(*sys), vert);
    ASSERT_TRUE(t);
    const auto carres = e.rectangles();
    ASSERT_EQ(carres.size(), 1u);
    EXPECT_EQ(carres[0].c, vert);
    const int x = x_vers_pixel(cadre_gauche(), cadre_droite(w), t->phase_deg, r.black_phase_min,
                               r.black_phase_max);
    const int y =
        y_vers_pixel(cadre_haut(), cadre_bas(h), t->gain_db, r.black_gain_min, r.black_gain_max);
    EXPECT_EQ((carres[0].x1 + carres[0].x2) / 2, x);
    EXPECT_EQ((carres[0].y1 + carres[0].y2) / 2, y);
    // The point of the curve drawn at that pulsation is the same pixel.
    const point_frq q =
        point_frequentiel(sys->fonctions[1], r, diagramme::black, t->omega, cadre_bas(h),
                          cadre_haut(), cadre_droite(w), cadre_gauche());
    EXPECT_EQ(q.px, x);
    EXPECT_EQ(q.py, y);
    bool ecrit = false;
    for (const auto& x2 : e.textes()) ecrit |= x2.texte == texte_resonance(t->module_db);
    EXPECT_TRUE(ecrit);
    EXPECT_EQ(texte_resonance(2.3456), "Mr = 2.35 dB");
}

// Over the Black diagram of eight functions: the labels (contours and resonance) clear of the
// captions and axis labels and of one another, within the frame, at three sizes; the 2.3 dB
// contour labelled at each.
TEST(TraceAbaque, EtiquettesSansChevauchement) {
    const auto sys = test::systeme_saisi(test::huit_fonctions(), diagramme::black);
    sys->fonction_courante = 2;
    for (const auto& [w, h] : {std::pair{400, 300}, std::pair{800, 600}, std::pair{1600, 1000}}) {
        SCOPED_TRACE(w);
        const etude_frequence r = etude_black(*sys, false);
        param p;
        enregistreur e(w, h);
        const std::vector<rectangle_px> legendes = test::dessiner_sous(e, r, p, *sys);
        ASSERT_FALSE(legendes.empty());
        const std::size_t avant = e.textes().size();
        tracer_abaque(e, r, p, boucle_ouverte_abaque(*sys), vert, legendes);
        const auto textes = e.textes();
        ASSERT_GT(textes.size(), avant + 5);
        std::vector<rectangle_px> places;
        bool fort = false;
        // The axes' lines, through the origin.
        const int x0 =
            x_vers_pixel(cadre_gauche(), cadre_droite(w), 0, r.black_phase_min, r.black_phase_max);
        const int y0 =
            y_vers_pixel(cadre_haut(), cadre_bas(h), 0, r.black_gain_min, r.black_gain_max);
        for (std::size_t i = avant; i < textes.size(); ++i) {
            fort |= textes[i].texte == "2.3 dB";
            const rectangle_px q = test::rectangle_de(textes[i]);
            EXPECT_FALSE(q.haut <= y0 && y0 < q.bas) << textes[i].texte;
            EXPECT_FALSE(q.gauche <= x0 && x0 < q.droite) << textes[i].texte;
            EXPECT_TRUE(
                contenu_dans(q, {cadre_gauche(), cadre_haut(), cadre_droite(w), cadre_bas(h)}));
            for (const rectangle_px& l : legendes)
                EXPECT_FALSE(se_chevauchent(q, l)) << textes[i].texte;
            for (const rectangle_px& l : places)
                EXPECT_FALSE(se_chevauchent(q, l)) << textes[i].texte;
            places.push_back(q);
        }
        EXPECT_TRUE(fort);
    }
}

TEST(TraceAbaque, BoucleOuverteLue) {
    auto sys = test::systeme_saisi({boucle_du_cours, {"1", "1+p"}}, diagramme::black);
    sys->fonction_courante = 2;
    EXPECT_EQ(boucle_ouverte_abaque(*sys), &sys->fonctions[2]);
    sys->etudes.boucle_fermee = true;
    EXPECT_EQ(boucle_ouverte_abaque(*sys), &sys->fonctions[1]);
    sys->etudes.boucle_fermee = false;
    sys->nb_fonctions = 0;
    EXPECT_EQ(boucle_ouverte_abaque(*sys), nullptr);
    EXPECT_EQ(texte_contour({sorte_contour::iso_module, -20, {}}), "-20 dB");
    EXPECT_EQ(texte_contour({sorte_contour::iso_phase, -30, {}}), "-30\u00b0");
}

} // namespace
} // namespace varlem
