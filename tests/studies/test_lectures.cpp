#include "analysis/outils_frequence.h"
#include "plot/echelles.h"
#include "plot/enregistreur.h"
#include "plot/fleche_lecture.h"
#include "studies/lecture_frequentielle.h"
#include "studies/lecture_temporelle.h"
#include "studies/trace_frequentiel.h"
#include "support/genres.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace varlem {
namespace {

using test::etude_de;
using test::systeme_de;

// Frames of 600 × 400 pixels: x from 15 to 615, y from 10 to 410.
constexpr int largeur = 630;
constexpr int hauteur = 420;

TEST(LectureFrequentielle, CurseurEtPas) {
    etude_frequence r;
    r.w_min = 0.05;
    lectures l;
    ouvrir_lecture_frq(l, r);
    // Linear steps from the left end of the axis.
    for (int k = 2; k <= 4; ++k) {
        deplacer_lecture_frq(l, +1);
        EXPECT_NEAR(l.w_lecture, k * 0.05, 1e-15);
    }
    for (int k = 0; k < 5; ++k) deplacer_lecture_frq(l, -1);
    EXPECT_EQ(l.w_lecture, 1e-30);
    for (int k = 0; k < 200; ++k) changer_pas_lecture_frq(l, true);
    EXPECT_EQ(l.pas_lecture_frq, 1e30);
    EXPECT_EQ(fermer_lecture_frq(l), rafraichir(false, false));
    EXPECT_FALSE(l.lecture_frq_active);
    r.w_min = 3;
    ouvrir_lecture_frq(l, r);
    EXPECT_TRUE(l.lecture_frq_active);
    EXPECT_EQ(l.w_lecture, 3);
    EXPECT_EQ(l.pas_lecture_frq, 3);
}

TEST(Lectures, Textes) {
    for (const auto& [g, t] : {std::pair{diagramme::black, "Diagramme de Black"},
                               {diagramme::gain, "Gain"},
                               {diagramme::module, "Etude de l amplification"},
                               {diagramme::nyquist, "Diagramme de Nyquist"},
                               {diagramme::phase, "Phase"}}) {
        EXPECT_EQ(texte_reponse_frq(g, false), t);
        EXPECT_EQ(texte_reponse_frq(g, true), "Diagramme de Bode");
    }
    for (const auto& [g, t] : {std::pair{entree_temps::echelon, "Réponse indicielle"},
                               {entree_temps::impulsion, "Réponse impulsionnelle"},
                               {entree_temps::rampe, "Réponse à une rampe"},
                               {entree_temps::sinus, "Réponse à une sinusoïde"},
                               {entree_temps::carre, "Réponse à un signal carré"},
                               {entree_temps::triangle, "Réponse à un signal triangle"},
                               {entree_temps::aucune, "avant"}})
        EXPECT_EQ(texte_reponse_tps(g, "avant"), t);
    EXPECT_EQ(texte_fonction_lecture(3), "Pour la fonction n°3");
    const textes_lecture_frq f = textes_valeurs_frq(valeurs_lecture_frq{0.5, 1500, -2});
    EXPECT_EQ(f.w + "|" + f.gain + "|" + f.phase, ".5| 1.5E3|-2");
    const textes_lecture_tps t = textes_valeurs_tps(0.25, -0.5);
    EXPECT_EQ(t.t + "|" + t.y, ".25|-0.5");
    for (const double y : {std::numeric_limits<double>::quiet_NaN(), HUGE_VAL, -HUGE_VAL})
        EXPECT_EQ(textes_valeurs_tps(0.25, y).y, "non calculable") << y;
}

TEST(LectureFrequentielle, LaFonctionLueEstCelleQueMarqueLaFleche) {
    // Closed loop: the other studies show slot 3, the diagrams mark the current slot.
    auto s = systeme_de({{1, {}, {{-1, 0}}}, {2, {}, {{-3, 0}}}, {5, {}, {{-0.2, 0}}}}, true, 2);
    s->etudes.boucle_fermee = true;
    s->etudes.etude_freq_choisie = diagramme::nyquist;
    s->lecture.lecture_frq_active = true;
    s->lecture.w_lecture = 0.7;
    const etude_frequence r = etude_de(*s);
    param p;
    for (std::size_t k = 0; k < p.couleurs.size(); ++k) p.couleurs[k] = 0x100000 + couleur(k);
    enregistreur e(largeur, hauteur);
    tracer_frequentiel(e, r, p, *s);
    const auto fleche = e.segments(couleur_fleche_lecture);
    ASSERT_FALSE(fleche.empty());
    const point_frq pt = point_frequentiel(s->fonctions[static_cast<std::size_t>(fonction_lue(*s))],
                                           r, diagramme::nyquist, 0.7, cadre_bas(hauteur),
                                           cadre_haut(), cadre_droite(largeur), cadre_gauche());
    EXPECT_EQ(std::pair(fleche[0].x2, fleche[0].y2), std::pair(pt.px, pt.py));
}

TEST(LectureFrequentielle, ClicSurUnAxe) {
    const auto s = systeme_de({{1, {}, {{-1, 0}}}});
    // The decades graduate f in hertz: the pixel of 10^0 is 1 Hz, 2π rad/s.
    etude_frequence r = etude_de(*s, true);
    r.decade_min = -1, r.decade_max = 2;
    EXPECT_NEAR(pulsation_cliquee(r, *s, diagramme::gain, largeur, hauteur, 215, 100).value_or(0),
                2 * std::numbers::pi, 1e-12);
    // Whatever the unit, the pulsation read at a column maps back to that column.
    for (const bool hertz : {true, false}) {
        r = etude_de(*s, hertz);
        for (const diagramme g : {diagramme::gain, diagramme::phase, diagramme::module})
            for (int px = 15; px <= 615; px += 50) {
                const auto w = pulsation_cliquee(r, *s, g, largeur, hauteur, px, 200);
                ASSERT_TRUE(w.has_value());
                if (*w == w_lecture_min) continue; // a module axis from zero
                EXPECT_EQ(point_frequentiel(s->fonctions[1], r, g, *w, 410, 10, 615, 15).px, px)
                    << g << hertz;
            }
    }
    for (const diagramme g : {diagramme::gain, diagramme::phase, diagramme::module,
                              diagramme::black, diagramme::nyquist})
        for (const auto& [x, y] : {std::pair{14, 100}, {616, 100}, {100, 9}, {100, 411}})
            EXPECT_FALSE(pulsation_cliquee(r, *s, g, largeur, hauteur, x, y)) << g;
}

TEST(LectureFrequentielle, NyquistLePointLePlusProche) {
    // 1 / (1 + p): a half circle of centre 1/2, radius 1/2. Below its lowest point 1/2 − j/2
    // (ω = 1), that point is the nearest. 300 pixels a unit on both axes.
    auto s = systeme_de({{1, {}, {{-1, 0}}}});
    etude_frequence r;
    r.w_min = 0.001, r.w_max = 1000;
    r.re_min = -1, r.re_max = 1;
    r.im_min = -1, r.im_max = 1.0 / 3;
    const int x = x_vers_pixel(15, 615, 0.5, r.re_min, r.re_max);
    const int y = y_vers_pixel(10, 410, -0.5, r.im_min, r.im_max);
    const auto w = pulsation_cliquee(r, *s, diagramme::nyquist, largeur, hauteur, x, y + 60);
    ASSERT_TRUE(w.has_value());
    EXPECT_NEAR(*w, 1, 0.01);
    // Nothing when the locus is out of sight or there is no function to read.
    r.re_min = 10, r.re_max = 20;
    EXPECT_FALSE(pulsation_cliquee(r, *s, diagramme::nyquist, largeur, hauteur, x, y));
    s->fonction_courante = 0;
    EXPECT_FALSE(pulsation_cliquee(etude_de(*s), *s, diagramme::black, largeur, hauteur, x, y));
}

etude_temps intervalle_tps(double t_max, double t_pas, int nb_points = 200) {
    etude_temps r;
    r.t_min = 0, r.t_max = t_max, r.t_pas = t_pas, r.nb_points = nb_points;
    return r;
}

TEST(LectureTemporelle, CurseurEtPas) {
    const etude_temps r = intervalle_tps(10, 1);
    lectures l;
    l.t_lecture = 7;
    ouvrir_lecture_tps(l, r);
    EXPECT_EQ(l.t_lecture, 0);
    reculer_lecture_tps(l, r);
    EXPECT_EQ(l.t_lecture, 0) << "never before t_min";
    basculer_detail_tps(l);
    EXPECT_DOUBLE_EQ(l.pas_lecture_tps, 0.01);
    EXPECT_EQ(texte_bouton_detail(l), "Rapide");
    avancer_lecture_tps(l, r, entree_temps::echelon);
    EXPECT_EQ(fermer_lecture_tps(l), rafraichir(false, false));
    EXPECT_EQ(texte_bouton_detail(l), "Détaillé");
    // Reopening over a new graduation step starts afresh.
    ouvrir_lecture_tps(l, intervalle_tps(20, 2));
    EXPECT_EQ(l.t_lecture, 0);
    EXPECT_DOUBLE_EQ(l.pas_lecture_tps, 0.2);
    EXPECT_FALSE(l.lecture_tps_detaillee);
}

TEST(LectureTemporelle, PeriodiqueBorneParLeDernierEchantillon) {
    // N = 201: round(100.5) + 1 = 101 samples 6/201 s apart, the last at 600/201 s < t_max.
    const etude_temps r = intervalle_tps(3, 1, 201);
    const double dernier = 600.0 / 201;
    for (const entree_temps g :
         {entree_temps::carre, entree_temps::triangle, entree_temps::sinus}) {
        lectures l;
        ouvrir_lecture_tps(l, r);
        for (int k = 0; k < 100; ++k) avancer_lecture_tps(l, r, g);
        EXPECT_NEAR(l.t_lecture, g == entree_temps::sinus ? 10 : dernier, 1e-9) << g;
    }
    EXPECT_DOUBLE_EQ(temps_clique(r, entree_temps::echelon, largeur, hauteur, 315).value_or(-1),
                     1.5);
    EXPECT_DOUBLE_EQ(temps_clique(r, entree_temps::echelon, largeur, hauteur, 615).value_or(-1), 3);
    EXPECT_NEAR(temps_clique(r, entree_temps::carre, largeur, hauteur, 615).value_or(-1), dernier,
                1e-12);
    EXPECT_FALSE(temps_clique(r, entree_temps::echelon, largeur, hauteur, 14));
    EXPECT_FALSE(temps_clique(intervalle_tps(0, 1), entree_temps::echelon, largeur, hauteur, 300));
}

} // namespace
} // namespace varlem
