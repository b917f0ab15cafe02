#include "document/systeme.h"

#include "support/fabrique.h"

#include "support/genres.h"

#include <gtest/gtest.h>

#include <memory>

namespace varlem {
namespace {

TEST(SystemeTest, NouveauSystemeVideLeCompteEtGardeLeReste) {
    auto s = std::make_unique<systeme>();
    reglages r;
    s->nb_fonctions = 5;
    s->fonction_courante = 4;
    s->lettre_variable = 's';
    s->systeme_saisi = true;
    s->fonctions[2] = test::fonction_depuis_racines(1, {}, {{-3, 0}});
    s->etudes = {.toutes_fonctions = false,
                 .frequence_ouverte = true,
                 .temps_ouverte = true,
                 .decomp_ouverte = true,
                 .poles_zeros_ouverte = true,
                 .mode_filtre = true,
                 .bode_double = true,
                 .boucle_fermee = true,
                 .afficher_non_corrige = true,
                 .etude_freq_choisie = diagramme::gain,
                 .etude_temps_choisie = entree_temps::echelon};
    r.graphe.quadrillage = true;
    r.graphe.couleurs[2] = 0x123456;
    r.frequence.en_hertz = false;
    r.largeur_copie = 800;
    r.pz.taille_symboles = 14;
    r.temps.afficher_entree = false;

    nouveau_systeme(*s, r);

    EXPECT_EQ(s->nb_fonctions, 0);
    EXPECT_EQ(s->fonction_courante, 1);
    EXPECT_FALSE(s->systeme_saisi);
    const etat_etudes& e = s->etudes;
    EXPECT_FALSE(e.frequence_ouverte || e.temps_ouverte || e.decomp_ouverte ||
                 e.poles_zeros_ouverte || e.mode_filtre || e.bode_double || e.boucle_fermee ||
                 e.afficher_non_corrige);
    EXPECT_EQ(e.etude_freq_choisie, diagramme::aucun);
    EXPECT_EQ(e.etude_temps_choisie, entree_temps::aucune);
    // Kept: the letter, the slots' contents, the choice of all functions, the copy size,
    // the symbol size and whether the input signal is shown.
    EXPECT_EQ(s->lettre_variable, 's');
    EXPECT_EQ(s->fonctions[2].poles[1], (complexe{-3, 0}));
    EXPECT_FALSE(e.toutes_fonctions);
    EXPECT_EQ(r.largeur_copie, 800);
    EXPECT_EQ(r.pz.taille_symboles, 14);
    EXPECT_FALSE(r.temps.afficher_entree);
    // Reset: the graph settings and the units.
    EXPECT_FALSE(r.graphe.quadrillage);
    EXPECT_TRUE(r.graphe.pointilles);
    EXPECT_EQ(r.graphe.couleur_axes, 0u);
    EXPECT_EQ(r.graphe.police, "Arial");
    EXPECT_EQ(r.graphe.taille_police, 8);
    EXPECT_EQ(r.graphe.longueur_graduations, 3);
    EXPECT_EQ(r.graphe.couleurs[2], 0xFF0000u); // pure blue in the 0x00BBGGRR layout
    EXPECT_TRUE(r.frequence.en_hertz);
}

TEST(SystemeTest, SlotsMontres) {
    systeme s;
    s.nb_fonctions = 3;
    EXPECT_EQ(s.slots_montres(2), (std::vector<int>{1, 2, 3}));
    s.etudes.toutes_fonctions = false;
    EXPECT_EQ(s.slots_montres(2), (std::vector<int>{2}));
    EXPECT_TRUE(s.slots_montres(0).empty());
    s.etudes.boucle_fermee = true;
    EXPECT_EQ(s.slot_etudie(), 3);
}

} // namespace
} // namespace varlem
