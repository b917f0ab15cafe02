// The texts of the readings: captions, values by the number texts, the null readings and the
// section of the decomposition window.
#include "studies/textes_caracteristiques.h"

#include <gtest/gtest.h>

namespace varlem {
namespace {

caracteristiques exemple() {
    caracteristiques c;
    c.marges.marge_gain_db = 6.020599913279624;
    c.marges.omega_marge_gain = 1.7320508075688772;
    c.bande_passante = 2.1000005580743886;
    c.resonance = pic_resonance{1.5275252316519468, -1.7069622716897508};
    reponse_indicielle& r = c.indicielle;
    r.stable = true;
    r.valeur_finale = 0.25;
    r.temps_montee = 0.9546428920540674;
    r.pic = 0.3716057868065703;
    r.temps_pic = 2.5644580890996136;
    r.depassement_pct = 48.642314722628115;
    r.temps_reponse_5 = 15.103265521393684;
    r.temps_reponse_2 = 20.940941171975886;
    return c;
}

TEST(TextesCaracteristiquesTest, Lignes) {
    const caracteristiques c = exemple();
    const struct {
        ligne_caracteristique ligne;
        const char* libelle;
        const char* valeur;
    } cas[] = {
        {ligne_marge_gain(c.marges), "Marge de gain", "6.0206 dB à 1.7321 rad/s"},
        {ligne_marge_phase(c.marges), "Marge de phase", "aucune"},
        {ligne_bande_passante(c), "Bande passante", "2.1 rad/s"},
        {ligne_resonance(c), "Résonance", "-1.707 dB à 1.5275 rad/s"},
        {ligne_valeur_finale(c.indicielle), "Valeur finale", ".25"},
        {ligne_depassement(c.indicielle), "Dépassement", "48.6423 %"},
        {ligne_temps_montee(c.indicielle), "Temps de montée", ".9546 s"},
        {ligne_pic(c.indicielle), "Pic", ".3716 à 2.5645 s"},
        {ligne_temps_reponse_5(c.indicielle), "Temps de réponse à 5 %", "15.1033 s"},
        {ligne_temps_reponse_2(c.indicielle), "Temps de réponse à 2 %", "20.9409 s"},
        {ligne_marge_gain({}), "Marge de gain", "infinie"},
        {ligne_valeur_finale({}), "Valeur finale", "sans objet"},
        {ligne_pic({true, 2.0, 1.0, 2.0, std::nullopt, 0.0, 1.0, 1.5}), "Pic", "2 (non atteint)"},
    };
    for (const auto& e : cas) {
        EXPECT_EQ(e.ligne.libelle, e.libelle);
        EXPECT_EQ(e.ligne.valeur, e.valeur) << e.libelle;
    }
    marges_stabilite m;
    m.marge_phase_deg = 63.84244593481324;
    m.omega_marge_phase = 1500;
    EXPECT_EQ(texte_ligne(ligne_marge_phase(m)), "Marge de phase : 63.8424° à 1.5E3 rad/s");
    EXPECT_EQ(texte_stabilite_boucle(c.indicielle), "Boucle fermée stable");
    EXPECT_EQ(texte_stabilite_boucle({}), "Boucle fermée instable");
}

TEST(TextesCaracteristiquesTest, Section) {
    EXPECT_EQ(section_caracteristiques(exemple(), false),
              "Caractéristiques\r\n\r\n"
              "Marge de gain : 6.0206 dB à 1.7321 rad/s\r\n"
              "Marge de phase : aucune\r\n"
              "Bande passante : 2.1 rad/s\r\n"
              "Résonance : -1.707 dB à 1.5275 rad/s\r\n"
              "Fonction stable\r\n"
              "Valeur finale : .25\r\n"
              "Temps de montée : .9546 s\r\n"
              "Pic : .3716 à 2.5645 s\r\n"
              "Dépassement : 48.6423 %\r\n"
              "Temps de réponse à 5 % : 15.1033 s\r\n"
              "Temps de réponse à 2 % : 20.9409 s\r\n");
    const std::string instable = section_caracteristiques(caracteristiques{}, true);
    EXPECT_NE(instable.find("Boucle fermée instable\r\n"), std::string::npos);
    EXPECT_EQ(instable.find("Valeur finale"), std::string::npos);
}

} // namespace
} // namespace varlem
