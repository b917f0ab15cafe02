#include "studies/trace_temporel.h"

#include "numeric/nombres.h"
#include "support/genres.h"

#include "analysis/outils_temps.h"
#include "analysis/reponse_temps.h"
#include "plot/echelles.h"
#include "plot/enregistreur.h"
#include "plot/fleche_lecture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace varlem {
namespace {

using test::banc;
using test::banc_temps;

constexpr int W = 630;
constexpr int H = 380;
constexpr couleur gris_entree = 0x808080;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Curve colours that no frame, input or arrow uses.
couleur couleur_slot(int k) {
    return 0x100000 + static_cast<couleur>(k);
}

std::unique_ptr<banc_temps> banc_colore(const std::vector<std::pair<std::string, std::string>>& f) {
    auto b = banc(f);
    for (int k = 1; k <= 8; ++k)
        b->reg.graphe.couleurs[static_cast<std::size_t>(k)] = couleur_slot(k);
    return b;
}

int px(const etude_temps& r, double t) {
    return x_vers_pixel(15, W - 15, t, r.t_min, r.t_max);
}
int py(const etude_temps& r, double v) {
    return y_vers_pixel(10, H - 10, v, r.y_min, r.y_max);
}

// Slots whose curves appear, in drawing order (consecutive segments of one colour count once);
// 0 stands for the readout arrow.
std::vector<int> ordre_courbes(const enregistreur& e) {
    std::vector<int> ordre;
    for (const auto& s : e.segments()) {
        int k = -1;
        if (s.c == couleur_fleche_lecture) k = 0;
        for (int i = 1; i <= 8; ++i)
            if (s.c == couleur_slot(i)) k = i;
        if (k >= 0 && (ordre.empty() || ordre.back() != k)) ordre.push_back(k);
    }
    return ordre;
}

// The first point of the curve of slot k: the move that precedes its first segment.
commande premier_point(const enregistreur& e, int k) {
    couleur crayon = 0;
    for (const auto& c : e.commandes()) {
        if (c.sorte == sorte_commande::crayon) crayon = c.c;
        if (c.sorte == sorte_commande::deplacer && crayon == couleur_slot(k)) return c;
    }
    ADD_FAILURE() << "aucune courbe du slot " << k;
    return {};
}

// A periodic study on 0..3 s, N = 200, with samples i/100 for the input and 1 − i/100 for
// every response.
void preparer_periodique(banc_temps& b, std::size_t n) {
    etude_temps& r = b.r();
    b.sys.etudes.etude_temps_choisie = entree_temps::carre;
    r.nb_points = 200;
    r.t_min = 0;
    r.t_max = 3;
    r.t_pas = 0.1;
    r.y_min = -0.2;
    r.y_max = 1.2;
    r.y_pas = 0.1;
    auto& p = b.sys.periodique;
    p.echantillons_entree.assign(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) p.echantillons_entree[i] = double(i) / 100;
    for (auto& s : p.echantillons_reponse) {
        s.assign(n, 0.0);
        for (std::size_t i = 0; i < n; ++i) s[i] = 1 - double(i) / 100;
    }
}

TEST(TracerTemporelTest, FenetreFermeeSeulLePeriodiqueDessine) {
    for (const entree_temps genre : {entree_temps::impulsion, entree_temps::echelon,
                                     entree_temps::rampe, entree_temps::sinus}) {
        auto b = banc_colore({{"1", "1+p"}});
        b->calculer(genre);
        b->sys.etudes.temps_ouverte = false;
        enregistreur e(W, H);
        tracer_temporel(e, b->r(), b->sys, b->reg);
        EXPECT_TRUE(e.commandes().empty()) << genre;
    }
    auto b = banc_colore({{"1", "1+p"}});
    preparer_periodique(*b, 101);
    b->sys.etudes.etude_temps_choisie = entree_temps::triangle;
    b->sys.etudes.temps_ouverte = false;
    enregistreur e(W, H);
    tracer_temporel(e, b->r(), b->sys, b->reg);
    EXPECT_EQ(e.segments(couleur_slot(1)).size(), 100u);
}

TEST(TracerTemporelTest, EntreeEchelonEtRampe) {
    auto b = banc_colore({{"1", "1+p"}});
    for (const entree_temps genre : {entree_temps::echelon, entree_temps::rampe}) {
        const etude_temps& r = b->calculer(genre);
        enregistreur e(W, H);
        tracer_temporel(e, r, b->sys, b->reg);
        const auto entree = e.segments(gris_entree);
        ASSERT_EQ(entree.size(), 1u) << genre;
        const double fin = genre == entree_temps::echelon ? 1.0 : r.t_max;
        const double debut = genre == entree_temps::echelon ? 1.0 : 0.0;
        EXPECT_EQ(entree[0].epaisseur, 2);
        EXPECT_EQ(entree[0].x1, 15);
        EXPECT_EQ(entree[0].y1, py(r, debut));
        EXPECT_EQ(entree[0].x2, W - 15);
        EXPECT_EQ(entree[0].y2, py(r, fin));
        // The curves that follow are drawn 1 pixel wide again.
        for (const auto& s : e.segments(couleur_slot(1))) EXPECT_EQ(s.epaisseur, 1);
    }
    b->r().afficher_entree = false;
    b->calculer(entree_temps::echelon);
    enregistreur e(W, H);
    tracer_temporel(e, b->r(), b->sys, b->reg);
    EXPECT_TRUE(e.segments(gris_entree).empty());
}

TEST(TracerTemporelTest, EntreeSinusoidale) {
    auto b = banc_colore({{"1", "1+p"}});
    b->r().amplitude = 2;
    b->r().pulsation = 3;
    b->r().phase_origine = 0.5;
    const etude_temps& r = b->calculer(entree_temps::sinus);
    enregistreur e(W, H);
    tracer_temporel(e, r, b->sys, b->reg);
    const auto entree = e.segments(gris_entree);
    const grille_temps g = grille_trace(r);
    ASSERT_EQ(entree.size(), static_cast<std::size_t>(g.nombre));
    // From (x(0), y(0)) to the sine's value at t_min, then along the sine.
    EXPECT_EQ(entree[0].x1, px(r, 0));
    EXPECT_EQ(entree[0].y1, py(r, 0));
    EXPECT_EQ(entree[0].y2, py(r, 2 * std::sin(0.5)));
    const double t = g.t0 + 37 * g.pas;
    EXPECT_EQ(entree[37].x2, px(r, t));
    EXPECT_EQ(entree[37].y2, py(r, 2 * std::sin(3 * t + 0.5)));
    for (const auto& s : entree) EXPECT_EQ(s.epaisseur, 2);
}

TEST(TracerTemporelTest, ValeursHorsPlageEcretees) {
    struct cas {
        const char* num;
        double y_min, y_max;
        double premier;       // where the first value (1 or -1 at t = 0) is drawn
        double premier_copie; // the same, unclipped, in a copy
        double haut, bas;     // the clipping levels
    };
    const cas table[] = {
        {"1", -0.1, 0.5, 0.75, 1.0, 0.75, -0.15},
        {"0-1", -0.5, 0.1, -0.75, -1.0, 0.15, -0.75},
        // A range wholly above zero: values below it go half the range further down, off
        // the frame, rather than to 1.5 times a positive bound inside it.
        {"1", 2, 4, 1.0, 1.0, 6, 1},
    };
    for (const auto& c : table) {
        auto b = banc_colore({{c.num, "1+p"}});
        etude_temps& r = b->calculer(entree_temps::impulsion);
        r.y_min = c.y_min;
        r.y_max = c.y_max;
        r.y_pas = 0.1;
        enregistreur e(W, H);
        tracer_temporel(e, r, b->sys, b->reg);
        EXPECT_EQ(premier_point(e, 1).y, py(r, c.premier)) << c.num << c.y_min;
        enregistreur copie(W, H);
        copier_temporel(copie, r, b->sys, b->reg);
        EXPECT_EQ(premier_point(copie, 1).y, py(r, c.premier_copie)) << c.num << c.y_min;
        // Every later point lies between the clipping levels in both drawings.
        for (const auto* en : {&e, &copie}) {
            const auto courbe = en->segments(couleur_slot(1));
            ASSERT_GT(courbe.size(), 100u);
            for (const auto& s : courbe) {
                EXPECT_GE(s.y2, py(r, c.haut)) << c.num << c.y_min;
                EXPECT_LE(s.y2, py(r, c.bas)) << c.num << c.y_min;
            }
        }
    }
}

TEST(TracerTemporelTest, OrdreDesCourbesEnBoucleFermee) {
    struct cas {
        entree_temps genre;
        bool toutes;
        std::vector<int> ordre;
    };
    const cas table[] = {
        {entree_temps::impulsion, true, {1, 2, 3, 4}}, {entree_temps::impulsion, false, {3, 4}},
        {entree_temps::echelon, true, {1, 2, 3}},      {entree_temps::echelon, false, {3, 4}},
        {entree_temps::sinus, false, {3, 4}},
    };
    for (const auto& c : table) {
        auto b = banc_colore({{"1", "1+p"}, {"1", "1+2p"}, {"1", "1+0.5p"}, {"1", "1+3p"}});
        b->sys.nb_fonctions = 3;
        b->sys.etudes.boucle_fermee = true;
        b->sys.etudes.afficher_non_corrige = true;
        b->sys.etudes.toutes_fonctions = c.toutes;
        b->sys.fonction_courante = 1;
        b->calculer(c.genre);
        enregistreur e(W, H);
        tracer_temporel(e, b->r(), b->sys, b->reg);
        EXPECT_EQ(ordre_courbes(e), c.ordre) << c.genre << c.toutes;
    }
}

TEST(TracerTemporelTest, PeriodiqueEnBoucleFermeeNeDessineQueLesSlotsCalcules) {
    // With every function shown, the periodic computation leaves slot 4 alone: samples left
    // there by an earlier computation must not be drawn.
    for (const bool toutes : {true, false}) {
        auto b = banc_colore({{"1", "1+p"}, {"1", "1+2p"}, {"1", "1+0.5p"}, {"1", "1+3p"}});
        b->sys.nb_fonctions = 3;
        b->sys.etudes.boucle_fermee = true;
        b->sys.etudes.afficher_non_corrige = true;
        b->sys.etudes.toutes_fonctions = toutes;
        b->sys.fonction_courante = 1;
        preparer_periodique(*b, 101);
        enregistreur e(W, H);
        tracer_temporel(e, b->r(), b->sys, b->reg);
        const std::vector<int> attendu =
            toutes ? std::vector<int>{1, 2, 3} : std::vector<int>{3, 4};
        EXPECT_EQ(ordre_courbes(e), attendu) << toutes;
    }
}

TEST(TracerTemporelTest, PeriodiqueRelieLesEchantillons) {
    struct cas {
        std::size_t taille;
        std::size_t segments;
    };
    // N = 200: round(N/2) + 1 = 101 samples, whatever the arrays hold beyond them.
    const cas table[] = {{101, 100}, {150, 100}, {50, 49}, {1, 0}, {0, 0}};
    for (const auto& c : table) {
        auto b = banc_colore({{"1", "1+p"}, {"1", "1+2p"}});
        preparer_periodique(*b, c.taille);
        enregistreur e(W, H);
        tracer_temporel(e, b->r(), b->sys, b->reg);
        const auto entree = e.segments(gris_entree);
        ASSERT_EQ(entree.size(), c.segments) << c.taille;
        for (const int k : {1, 2}) EXPECT_EQ(e.segments(couleur_slot(k)).size(), c.segments);
        if (c.segments == 0) continue;
        const etude_temps& r = b->r();
        for (const auto& s : entree) EXPECT_EQ(s.epaisseur, 2);
        EXPECT_EQ(entree.front().x1, 15);
        EXPECT_EQ(entree.front().y1, py(r, 0));
        // Sample i at t_min + i·2(t_max − t_min)/N: sample 100 at t_max, not clipped.
        const auto dernier = e.segments(couleur_slot(2)).back();
        EXPECT_EQ(dernier.x2, px(r, 0.03 * double(c.segments)));
        EXPECT_EQ(dernier.y2, py(r, 1 - double(c.segments) / 100));
    }
}

TEST(TracerTemporelTest, PeriodiqueNaNCoupeLaCourbe) {
    auto b = banc_colore({{"1", "1+p"}});
    preparer_periodique(*b, 101);
    b->sys.periodique.echantillons_reponse[1][40] = nan;
    enregistreur e(W, H);
    tracer_temporel(e, b->r(), b->sys, b->reg);
    EXPECT_EQ(e.segments(couleur_slot(1)).size(), 98u);
}

TEST(TracerTemporelTest, TitresEtEtiquetteDuTemps) {
    struct cas {
        entree_temps genre;
        const char* titre;
    };
    const cas table[] = {{entree_temps::impulsion, "Réponse Impulsionnelle"},
                         {entree_temps::echelon, "Réponse Indicielle"},
                         {entree_temps::rampe, "Réponse à une Rampe"},
                         {entree_temps::sinus, "Réponse à une sinusoïde"}};
    for (const auto& c : table) {
        auto b = banc_colore({{"1", "1+p"}});
        b->reg.graphe.police = "Courier";
        b->reg.graphe.taille_police = 11;
        b->calculer(c.genre);
        enregistreur e(W, H);
        tracer_temporel(e, b->r(), b->sys, b->reg);
        const auto textes = e.textes();
        const auto titre = std::find_if(textes.begin(), textes.end(),
                                        [&](const auto& t) { return t.texte == c.titre; });
        ASSERT_NE(titre, textes.end()) << c.titre;
        EXPECT_EQ(titre->x, 0);
        EXPECT_EQ(titre->y, 0);
        EXPECT_EQ(titre->police, "Arial");
        EXPECT_EQ(titre->taille, 9);
        EXPECT_EQ(titre->c, 0u);
        const auto t = std::find_if(textes.begin(), textes.end(),
                                    [](const auto& x) { return x.texte == "t"; });
        ASSERT_NE(t, textes.end());
        EXPECT_EQ(t->x, W - 8);
        EXPECT_EQ(t->y, H - 14);
    }
    auto b = banc_colore({{"1", "1+p"}});
    b->reg.graphe.police = "Courier";
    b->reg.graphe.taille_police = 11;
    preparer_periodique(*b, 101);
    enregistreur e(W, H);
    tracer_temporel(e, b->r(), b->sys, b->reg);
    // The periodic title comes first, in the surface's own font (Arial 8 here); no "t".
    ASSERT_FALSE(e.commandes().empty());
    EXPECT_EQ(e.commandes().front().sorte, sorte_commande::texte);
    const auto textes = e.textes();
    EXPECT_EQ(textes.front().texte, "Réponse à un signal périodique");
    EXPECT_EQ(textes.front().x, 0);
    EXPECT_EQ(textes.front().y, 0);
    EXPECT_EQ(textes.front().taille, 8);
    for (const auto& t : textes) EXPECT_NE(t.texte, "t");
}

TEST(TracerTemporelTest, FlecheDeLecture) {
    auto b = banc_colore({{"1", "1+p"}, {"2", "1+p"}});
    b->sys.fonction_courante = 1;
    b->sys.lecture.lecture_tps_active = true;
    b->sys.lecture.t_lecture = 2;
    const etude_temps& r = b->calculer(entree_temps::echelon);
    enregistreur e(W, H);
    const rendu_temporel rendu = tracer_temporel(e, r, b->sys, b->reg);
    const double y = 1 - std::exp(-2.0);
    ASSERT_TRUE(rendu.fleche);
    EXPECT_NEAR(rendu.fleche->y, y, 1e-9);
    EXPECT_EQ(textes_valeurs_tps(r, b->sys).y, texte_nombre(rendu.fleche->y));
    const auto fleche = e.segments(couleur_fleche_lecture);
    ASSERT_EQ(fleche.size(), 3u);
    EXPECT_EQ(fleche[0].x1, px(r, 2));
    EXPECT_EQ(fleche[0].y1, py(r, y) + 15);
    EXPECT_EQ(fleche[0].x2, px(r, 2));
    EXPECT_EQ(fleche[0].y2, py(r, y));
    // Right after the current function's curve, before the next one.
    EXPECT_EQ(ordre_courbes(e), (std::vector<int>{1, 0, 2}));

    enregistreur copie(W, H);
    copier_temporel(copie, r, b->sys, b->reg);
    EXPECT_TRUE(copie.segments(couleur_fleche_lecture).empty());
    EXPECT_NEAR(point_lecture_temporelle(r, b->sys)->y, y, 1e-9);

    // The impulse's arrow comes after every curve, on the current function (here the second).
    b->sys.fonction_courante = 2;
    const etude_temps& ri = b->calculer(entree_temps::impulsion);
    enregistreur ei(W, H);
    const rendu_temporel rendu_i = tracer_temporel(ei, ri, b->sys, b->reg);
    EXPECT_EQ(ordre_courbes(ei), (std::vector<int>{1, 2, 0}));
    ASSERT_TRUE(rendu_i.fleche);
    EXPECT_NEAR(rendu_i.fleche->y, 2 * std::exp(-2.0), 1e-9);
}

TEST(TracerTemporelTest, FlechePeriodique) {
    struct cas {
        double t_lecture;
        std::size_t rang;
        double t_fleche;
    };
    // 101 samples over 0..3 s: t = 1.5 reads sample 50; beyond the samples, the last one.
    const cas table[] = {{1.5, 50, 1.5}, {0.0, 0, 0.0}, {10.0, 100, 3.0}, {-4.0, 0, 0.0}};
    for (const auto& c : table) {
        auto b = banc_colore({{"1", "1+p"}});
        preparer_periodique(*b, 101);
        b->sys.lecture.lecture_tps_active = true;
        b->sys.lecture.t_lecture = c.t_lecture;
        enregistreur e(W, H);
        const rendu_temporel rendu = tracer_temporel(e, b->r(), b->sys, b->reg);
        const double y = 1 - double(c.rang) / 100;
        ASSERT_TRUE(rendu.fleche);
        EXPECT_DOUBLE_EQ(rendu.fleche->y, y) << c.t_lecture;
        const auto fleche = e.segments(couleur_fleche_lecture);
        ASSERT_EQ(fleche.size(), 3u);
        EXPECT_EQ(fleche[0].x2, px(b->r(), c.t_fleche)) << c.t_lecture;
        EXPECT_EQ(fleche[0].y2, py(b->r(), y)) << c.t_lecture;
    }
}

TEST(TracerTemporelTest, TaillesEtPlagesInutilisablesNeDessinentRien) {
    struct cas {
        const char* nom;
        int w, h;
        std::function<void(etude_temps&)> modifier;
    };
    const cas table[] = {
        {"vide", 0, 0, [](etude_temps&) {}},
        {"negative", -5, 100, [](etude_temps&) {}},
        {"sans cadre", 30, 20, [](etude_temps&) {}},
        {"plage plate", W, H, [](etude_temps& r) { r.y_min = r.y_max = 1; }},
        {"plage NaN", W, H, [](etude_temps& r) { r.y_max = nan; }},
        {"intervalle vide", W, H, [](etude_temps& r) { r.t_max = r.t_min; }},
        {"intervalle inverse", W, H, [](etude_temps& r) { r.t_max = -1; }},
    };
    for (const entree_temps genre : {entree_temps::echelon, entree_temps::carre}) {
        for (const auto& c : table) {
            auto b = banc_colore({{"1", "1+p"}});
            if (genre == entree_temps::carre)
                preparer_periodique(*b, 101);
            else
                b->calculer(genre);
            c.modifier(b->r());
            enregistreur e(c.w, c.h);
            tracer_temporel(e, b->r(), b->sys, b->reg);
            EXPECT_TRUE(e.commandes().empty()) << c.nom << genre;
        }
    }
}

TEST(TracerTemporelTest, PasDegeneresTerminent) {
    for (const double dt : {0.0, -1.0, nan, 1e-300, std::numeric_limits<double>::infinity()}) {
        auto b = banc_colore({{"1", "1+p"}});
        etude_temps& r = b->calculer(entree_temps::sinus);
        r.dt = dt;
        enregistreur e(W, H);
        tracer_temporel(e, r, b->sys, b->reg);
        const auto courbe = e.segments(couleur_slot(1));
        EXPECT_LE(courbe.size(), static_cast<std::size_t>(max_echantillons_temps)) << dt;
        // The curve still crosses the interval, up to the last step or two.
        if (!courbe.empty()) {
            EXPECT_GE(courbe.back().x2, W - 22) << dt;
        }
    }
}

} // namespace
} // namespace varlem
