// The rules the study windows apply: captions by the loop's state, the interval's decade
// limits, the bound of the time scale, the map's scale, the readouts read without a drawing.
#include "analysis/frequences.h"
#include "document/boucle.h"
#include "document/etudes_systeme.h"
#include "document/outils_document.h"
#include "settings/reglages.h"
#include "studies/carte_poles_zeros.h"
#include "studies/lecture_frequentielle.h"
#include "studies/lecture_temporelle.h"
#include "studies/lectures.h"
#include "studies/titres_etudes.h"
#include "studies/zoom_frequentiel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace varlem {
namespace {

TEST(ReglesEtudes, TitresSelonLaBoucle) {
    auto s = test::systeme_tape({{"1", "(1+p)(1+2p)"}, {"1", "1+p"}}, 'p', 2);
    EXPECT_EQ(titre_frequentiel(s->etudes), "Etude frequentielle");
    EXPECT_EQ(titre_poles_zeros(*s), "Poles et zéros de la fonction n°2");
    EXPECT_EQ(titre_decomposition(s->etudes), "Décomposition de la fonction courante");
    EXPECT_EQ(legende_bouclage(s->etudes), "Bouclage");
    auto r = std::make_unique<reglages>();
    ASSERT_TRUE(fermer_boucle(*s, *r).effectue);
    EXPECT_EQ(titre_frequentiel(s->etudes), "Etude fréquentielle (boucle ouverte)");
    EXPECT_EQ(titre_poles_zeros(*s), "Poles et zéros de la fonction n°2 bouclée");
    EXPECT_EQ(titre_decomposition(s->etudes), "Décomposition de la fonction du systeme bouclé");
    EXPECT_EQ(legende_bouclage(s->etudes), "Fdt seule");
}

TEST(ReglesEtudes, IntervalleElargiJusquAuxLimites) {
    auto s = test::systeme_tape({{"1", "1+p"}});
    etude_frequence r;
    r.en_hertz = false;
    preparer_frequences(r, true, *s);
    struct cas {
        int depart_min, depart_max;
        bool vers_le_bas, attendu;
        int min_apres, max_apres;
    };
    const cas table[] = {
        {-1, 1, true, true, -2, 1},
        {-1, 1, false, true, -1, 2},
        {-decade_limite, 1, true, false, -decade_limite, 1},
        {-1, decade_limite, false, false, -1, decade_limite},
        {-decade_limite + 1, 1, true, true, -decade_limite, 1},
    };
    for (const cas& c : table) {
        r.decade_min = c.depart_min;
        r.decade_max = c.depart_max;
        EXPECT_EQ(elargir_intervalle(r, *s, c.vers_le_bas), c.attendu) << c.depart_min;
        EXPECT_EQ(r.decade_min, c.min_apres);
        EXPECT_EQ(r.decade_max, c.max_apres);
        EXPECT_TRUE(std::isfinite(r.w_min) && std::isfinite(r.w_max));
        if (c.attendu) {
            EXPECT_DOUBLE_EQ(r.w_max, std::pow(10.0, c.max_apres));
        }
    }
}

TEST(ReglesEtudes, EchelleDuTempsBorneADixDansChaqueSens) {
    auto s = test::systeme_tape({{"1", "1+p"}});
    auto reg = std::make_unique<reglages>();
    s->etudes.temps_ouverte = true;
    EXPECT_FALSE(changer_echelle_temps(reg->temps, *s, *reg, 1)) << "no input chosen";
    choisir_entree_temps(s->etudes, entree_temps::echelon);
    calculer_reponse_temps(reg->temps, true, *s, *reg);
    const double depart = reg->temps.t_max;
    int doublements = 0;
    while (changer_echelle_temps(reg->temps, *s, *reg, 1)) ++doublements;
    EXPECT_EQ(doublements, echelle_temps_max);
    // Each step graduates the interval again, which may round its end up.
    EXPECT_GE(reg->temps.t_max, depart * 1024);
    int moities = 0;
    while (changer_echelle_temps(reg->temps, *s, *reg, -1)) ++moities;
    EXPECT_EQ(moities, 2 * echelle_temps_max);
    EXPECT_LT(reg->temps.t_max, depart);
    // A periodic input keeps the count; an exact one starts it again.
    choisir_entree_temps(s->etudes, entree_temps::carre);
    EXPECT_EQ(s->etudes.echelle_temps, -echelle_temps_max);
    choisir_entree_temps(s->etudes, entree_temps::rampe);
    EXPECT_EQ(s->etudes.echelle_temps, 0);
}

TEST(ReglesEtudes, LaCarteSuitLaFonctionSaufEnBoucleEtEnGabarit) {
    auto s = test::systeme_tape({{"1", "(1+p)(1+0.01p)"}});
    reglages_pz pz;
    suivre_echelle_pz(*s, pz);
    EXPECT_LE(pz.re_min, -100);
    for (const auto& [boucle, gabarit] : {std::pair{true, false}, std::pair{false, true}}) {
        reglages_pz fixe;
        fixe.re_min = -3;
        s->etudes.boucle_fermee = boucle;
        s->etudes.mode_filtre = gabarit;
        suivre_echelle_pz(*s, fixe);
        EXPECT_EQ(fixe.re_min, -3);
    }
}

TEST(ReglesEtudes, DiagrammeOuVueDeBode) {
    etat_etudes e;
    choisir_vue_bode(e);
    EXPECT_TRUE(e.bode_double);
    EXPECT_EQ(e.etude_freq_choisie, diagramme::phase);
    choisir_diagramme(e, diagramme::nyquist);
    EXPECT_FALSE(e.bode_double);
    EXPECT_EQ(e.etude_freq_choisie, diagramme::nyquist);
}

// The readouts know their values from the document alone: moving the cursor and reading it
// again gives the new values, no drawing in between.
TEST(ReglesEtudes, LecturesSansDessin) {
    auto s = test::systeme_tape({{"1", "(1+p)(1+0.5p)"}});
    auto reg = std::make_unique<reglages>();
    s->lecture.w_lecture = 2;
    const std::optional<valeurs_lecture_frq> v = valeurs_lecture(*s);
    ASSERT_TRUE(v);
    // |T(2j)| = 1 / (√5 · √2), arg = −atan 2 − atan 1.
    EXPECT_NEAR(v->gain, -20 * std::log10(std::sqrt(10.0)), 1e-12);
    EXPECT_NEAR(v->phase, -std::atan(2.0) - std::atan(1.0), 1e-12);
    EXPECT_EQ(textes_valeurs_frq(*s).w, "2");
    ASSERT_EQ(lignes_marges_lecture(*s).size(), 3u);

    s->etudes.temps_ouverte = true;
    choisir_entree_temps(s->etudes, entree_temps::echelon);
    calculer_reponse_temps(reg->temps, true, *s, *reg);
    for (const double t : {0.5, 1.0, 3.0}) {
        s->lecture.t_lecture = t;
        const std::optional<point_lecture_tps> p = point_lecture_temporelle(reg->temps, *s);
        ASSERT_TRUE(p);
        EXPECT_NEAR(p->y, 1 - 2 * std::exp(-t) + std::exp(-2 * t), 1e-9) << t;
    }
    ASSERT_EQ(lignes_indicielle_lecture(*s).size(), 4u);
    choisir_entree_temps(s->etudes, entree_temps::impulsion);
    EXPECT_TRUE(lignes_indicielle_lecture(*s).empty());
    // No function of the system: nothing to read.
    s->nb_fonctions = 0;
    EXPECT_FALSE(valeurs_lecture(*s));
    EXPECT_TRUE(textes_valeurs_frq(*s).gain.empty());
}

// Closing either readout takes its arrow away with a refresh that draws again without new
// scales or curves; each readout shows its own rows.
TEST(ReglesEtudes, GenresDeLecture) {
    auto s = test::systeme_tape({{"1", "(1+p)(1+0.5p)"}});
    s->lecture.lecture_frq_active = s->lecture.lecture_tps_active = true;
    s->lecture.lecture_tps_detaillee = true;
    EXPECT_EQ(fermer_lecture(genre_lecture::frequentielle, s->lecture), rafraichir(false, false));
    EXPECT_FALSE(s->lecture.lecture_frq_active);
    EXPECT_TRUE(s->lecture.lecture_tps_active);
    EXPECT_EQ(fermer_lecture(genre_lecture::temporelle, s->lecture), rafraichir(false, false));
    EXPECT_FALSE(s->lecture.lecture_tps_active || s->lecture.lecture_tps_detaillee);
    EXPECT_EQ(lignes_lecture(genre_lecture::frequentielle, *s)[0].libelle, "Marge de gain");
    s->etudes.etude_temps_choisie = entree_temps::echelon;
    EXPECT_EQ(lignes_lecture(genre_lecture::temporelle, *s)[0].libelle, "Valeur finale");
}

} // namespace
} // namespace varlem
