// The settings dialog's rules: bounds, texts, and the refresh each edit asks for.
#include "settings/edition_reglages.h"

#include "document/reglages_systeme.h"
#include "support/genres.h"

#include "document/outils_document.h"

#include <gtest/gtest.h>

#include <optional>

namespace varlem {
namespace {

constexpr rafraichissement aucun{};
constexpr rafraichissement simple = rafraichir(false, false);
constexpr rafraichissement avec_calcul = rafraichir(false, true);

TEST(EditionReglages, LongueurDesGraduationsEntiereEntreUnEtTrente) {
    struct cas {
        const char* texte;
        bool accepte;
        int longueur;
        const char* erreur;
    };
    for (const cas& c :
         {cas{"10", true, 10, ""}, cas{" 30 ", true, 30, ""}, cas{"+7", true, 7, ""},
          cas{"0", false, 3, ""}, cas{"31", false, 3, ""}, cas{"-4", false, 3, ""},
          cas{"2.5", false, 3, "'2.5' n'est pas une valeur entière correcte."},
          cas{"abc", false, 3, "'abc' n'est pas une valeur entière correcte."},
          cas{"", false, 3, "'' n'est pas une valeur entière correcte."},
          cas{"+-2", false, 3, "'+-2' n'est pas une valeur entière correcte."},
          cas{"99999999999", false, 3, "'99999999999' n'est pas une valeur entière correcte."}}) {
        param p;
        const effet_reglage e = saisir_longueur_graduations(p, c.texte);
        EXPECT_EQ(e.accepte, c.accepte) << c.texte;
        EXPECT_EQ(p.longueur_graduations, c.longueur) << c.texte;
        EXPECT_EQ(e.erreur, c.erreur) << c.texte;
        // Any integer refreshes, in bounds or not; a text that is not one stops everything.
        EXPECT_EQ(e.rafraichir, e.erreur.empty() ? simple : aucun) << c.texte;
    }
    EXPECT_EQ(texte_longueur_graduations(3), "Longueur graduations:  3");
}

TEST(EditionReglages, ChoixAnnuleLaisseCouleurEtPolice) {
    couleur c = 0x123456;
    EXPECT_FALSE(changer_couleur(c, std::nullopt).accepte);
    EXPECT_EQ(c, 0x123456u);
    EXPECT_EQ(changer_couleur(c, std::nullopt).rafraichir, aucun);
    EXPECT_EQ(changer_couleur(c, 0x00FF00).rafraichir, simple);
    EXPECT_EQ(c, 0x00FF00u);

    param p;
    for (const std::optional<police_graduations>& refusee :
         {std::optional<police_graduations>{}, std::optional(police_graduations{"", 10}),
          std::optional(police_graduations{"Serif", 0})}) {
        EXPECT_EQ(changer_police(p, refusee).rafraichir, aucun);
        EXPECT_EQ(p.police, "Arial");
        EXPECT_EQ(p.taille_police, 8);
    }
    EXPECT_EQ(changer_police(p, police_graduations{"Serif", 12}).rafraichir, simple);
    EXPECT_EQ(p.police, "Serif");
    EXPECT_EQ(p.taille_police, 12);
}

TEST(EditionReglages, InclureZeroRecalculeSeulementQuandCoche) {
    param p;
    EXPECT_EQ(cocher_inclure_zero(p, false).rafraichir, simple);
    EXPECT_FALSE(p.inclure_zero);
    EXPECT_EQ(cocher_inclure_zero(p, true).rafraichir, avec_calcul);
    EXPECT_TRUE(p.inclure_zero);
}

TEST(EditionReglages, UniteDeFrequenceReprendLesDecadesDesRacines) {
    const auto s = test::systeme_tape({{"1", "(1+p)(1+0.5p)"}});
    etude_frequence r;
    r.decade_min = -40;
    r.decade_max = 40;
    EXPECT_EQ(choisir_hertz(r, false, *s).rafraichir, simple);
    EXPECT_FALSE(r.en_hertz);
    EXPECT_GT(r.decade_min, -40);
    EXPECT_LT(r.decade_max, 40);
    r.decade_min = -40;
    EXPECT_EQ(choisir_radians(r, false, *s).rafraichir, simple);
    EXPECT_FALSE(r.en_radians);
    EXPECT_GT(r.decade_min, -40);
}

TEST(EditionReglages, TextesDesEtudesEnCours) {
    for (const auto& [lettre, texte] : {std::pair{diagramme::aucun, "Non choisie"},
                                        {diagramme::gain, "Gain"},
                                        {diagramme::phase, "Phase"},
                                        {diagramme::module, "Module"},
                                        {diagramme::nyquist, "Nyquist"},
                                        {diagramme::black, "Black"}}) {
        etat_etudes e;
        e.etude_freq_choisie = lettre;
        EXPECT_EQ(texte_etude_frequence(e), texte) << lettre;
        e.bode_double = true;
        EXPECT_EQ(texte_etude_frequence(e), "Bode") << lettre;
    }
    for (const auto& [lettre, texte] :
         {std::pair{entree_temps::impulsion, "Etude en cours:Rep impulsionnelle"},
          {entree_temps::echelon, "Etude en cours:Rep indicielle"},
          {entree_temps::rampe, "Etude en cours:Rep en accélération"},
          {entree_temps::sinus, "Etude en cours:Rep à une sinusoïde"},
          {entree_temps::carre, "Etude en cours:Rep à un signal carré"},
          {entree_temps::triangle, "Etude en cours:Rep à un signal triangle"},
          {entree_temps::aucune, ""}})
        EXPECT_EQ(texte_etude_temps(lettre), texte) << lettre;
}

TEST(EditionReglages, ParametresDeLaSinusoideDansLeursBornes) {
    using saisie = effet_reglage (*)(etude_temps&, const etat_etudes&, std::string_view);
    struct cas {
        saisie saisir;
        double etude_temps::*champ;
        const char* texte;
        const char* etiquette;
    };
    const saisie amplitude = saisir_amplitude;
    const saisie phase = saisir_phase_origine;
    const auto a = &etude_temps::amplitude;
    const auto phi = &etude_temps::phase_origine;
    etat_etudes e;
    e.temps_ouverte = true;
    for (const cas& c :
         {cas{amplitude, a, "2.5", "Amplitude = 2.5"}, cas{amplitude, a, "0", nullptr},
          cas{amplitude, a, "-1", nullptr}, cas{amplitude, a, "1e10", nullptr},
          cas{amplitude, a, "abc", nullptr}, cas{phase, phi, "-3", "Phase à l origine = -3rad"},
          cas{phase, phi, "0", "Phase à l origine = 0rad"}, cas{phase, phi, "-1e10", nullptr}}) {
        etude_temps r;
        r.phase_origine = 7;
        const double avant = r.*c.champ;
        const effet_reglage effet = c.saisir(r, e, c.texte);
        EXPECT_EQ(effet.accepte, c.etiquette != nullptr) << c.texte;
        if (c.etiquette) {
            EXPECT_EQ(effet.etiquette, c.etiquette);
            EXPECT_TRUE(effet.recalcul_temps);
            EXPECT_EQ(effet.rafraichir, simple);
        } else {
            EXPECT_EQ(r.*c.champ, avant) << c.texte;
            EXPECT_FALSE(effet.recalcul_temps);
            EXPECT_EQ(effet.rafraichir, aucun);
        }
    }
}

TEST(EditionReglages, PulsationTapeeDeplaceLeCurseurEntreSesBornesSeulement) {
    etat_etudes e;
    e.temps_ouverte = true;
    struct cas {
        const char* texte;
        double pulsation;
        std::optional<int> position;
    };
    for (const cas& c : {cas{"5.5", 5.5, 9}, cas{"10", 10, 0}, cas{"1", 1, 18},
                         cas{"20", 20, std::nullopt}, cas{"0.5", 0.5, std::nullopt}}) {
        etude_temps r;
        const effet_reglage effet = saisir_pulsation(r, e, c.texte);
        EXPECT_EQ(r.pulsation, c.pulsation) << c.texte;
        EXPECT_EQ(effet.position_curseur, c.position) << c.texte;
        EXPECT_TRUE(effet.recalcul_temps);
    }
    etude_temps r;
    EXPECT_EQ(saisir_pulsation(r, e, "0").etiquette, "");
    EXPECT_EQ(saisir_pulsation(r, e, "2").etiquette, "Pulsation = 2rad/s");
}

TEST(EditionReglages, CurseurDePulsationDuMaximumEnHautAuMinimumEnBas) {
    etude_temps r;
    r.pulsation_min = 2;
    r.pulsation_max = 20;
    etat_etudes e;
    e.temps_ouverte = true;
    e.etude_temps_choisie = entree_temps::echelon;
    EXPECT_FALSE(deplacer_curseur_pulsation(r, e, 0).recalcul_temps);
    EXPECT_EQ(r.pulsation, 20);
    e.etude_temps_choisie = entree_temps::sinus;
    const effet_reglage bas = deplacer_curseur_pulsation(r, e, 18);
    EXPECT_EQ(r.pulsation, 2);
    EXPECT_TRUE(bas.recalcul_temps);
    EXPECT_EQ(bas.etiquette, "Pulsation = 2rad/s");
    deplacer_curseur_pulsation(r, e, 9);
    EXPECT_EQ(r.pulsation, 11);
    EXPECT_EQ(position_pulsation(r), 9);

    r.pulsation = 50;
    EXPECT_EQ(position_pulsation(r), 0);
    r.pulsation = 0.1;
    EXPECT_EQ(position_pulsation(r), 18);
    r.pulsation_min = r.pulsation_max = 20;
    EXPECT_EQ(position_pulsation(r), 0);
}

TEST(EditionReglages, BornesDuCurseurSansRecalcul) {
    etude_temps r;
    const effet_reglage min = saisir_pulsation_min(r, "0.5");
    EXPECT_EQ(r.pulsation_min, 0.5);
    EXPECT_EQ(min.etiquette, "wmin = .5rad/s");
    EXPECT_FALSE(min.recalcul_temps);
    EXPECT_EQ(min.rafraichir, aucun);
    EXPECT_EQ(saisir_pulsation_max(r, "100").etiquette, "wmax = 100rad/s");
    EXPECT_FALSE(saisir_pulsation_max(r, "-3").accepte);
    EXPECT_EQ(r.pulsation_max, 100);
    EXPECT_EQ(texte_pulsation(1), "w = 1rad/s");
}

TEST(EditionReglages, TempsRecalculeSeulementQuandLEtudeEstOuverte) {
    etude_temps r;
    const etat_etudes fermee;
    const effet_reglage effet = saisir_amplitude(r, fermee, "3");
    EXPECT_EQ(r.amplitude, 3);
    EXPECT_FALSE(effet.recalcul_temps);
    EXPECT_EQ(effet.rafraichir, aucun);
}

TEST(EditionReglages, PrecisionPeriodiqueAttendOK) {
    struct cas {
        bool ouverte;
        entree_temps etude;
        bool recalcul;
    };
    for (const cas& c :
         {cas{true, entree_temps::carre, true}, cas{true, entree_temps::triangle, true},
          cas{true, entree_temps::sinus, false}, cas{false, entree_temps::carre, false}}) {
        reglages reg;
        etat_etudes e;
        e.temps_ouverte = c.ouverte;
        e.etude_temps_choisie = c.etude;
        const effet_reglage fleches = regler_precision_periodique(reg, 9);
        EXPECT_EQ(reg.precision_periodique, 9);
        EXPECT_TRUE(reg.temps.precision_modifiee);
        EXPECT_FALSE(fleches.recalcul_temps);
        EXPECT_EQ(fleches.rafraichir, aucun);
        EXPECT_EQ(valider_reglages(reg, e).recalcul_temps, c.recalcul) << c.etude;
        EXPECT_FALSE(reg.temps.precision_modifiee);
        EXPECT_FALSE(valider_reglages(reg, e).recalcul_temps) << "nothing pending any more";
    }
    reglages reg;
    regler_precision_periodique(reg, 40);
    EXPECT_EQ(reg.precision_periodique, 11);
    regler_precision_periodique(reg, 0);
    EXPECT_EQ(reg.precision_periodique, 1);
}

TEST(EditionReglages, NonCorrigeRafraichitSeulementEnBoucleFermee) {
    etat_etudes e;
    EXPECT_EQ(cocher_non_corrige(e, true).rafraichir, aucun);
    EXPECT_TRUE(e.afficher_non_corrige);
    e.boucle_fermee = true;
    EXPECT_EQ(cocher_non_corrige(e, false).rafraichir, simple);
    EXPECT_FALSE(e.afficher_non_corrige);
}

TEST(EditionReglages, TailleDesSymbolesDeUnAVingt) {
    struct cas {
        const char* texte;
        int taille;
    };
    for (const cas& c : {cas{"1", 1}, cas{"20.9", 20}, cas{"7", 7}, cas{"0", 10}, cas{"0.9", 10},
                         cas{"-5", 10}, cas{"21", 10}, cas{"1e300", 10}, cas{"x", 10}}) {
        reglages_pz pz;
        const effet_reglage e = saisir_taille_symboles(pz, c.texte);
        EXPECT_EQ(pz.taille_symboles, c.taille) << c.texte;
        EXPECT_EQ(e.rafraichir, c.taille != 10 ? simple : aucun) << c.texte;
    }
}

TEST(EditionReglages, ListeDePrecisionDeTroisASix) {
    reglages_pz pz;
    EXPECT_EQ(rang_precision(pz), 0);
    EXPECT_EQ(choisir_precision(pz, 3).rafraichir, simple);
    EXPECT_EQ(pz.precision, 6);
    EXPECT_EQ(rang_precision(pz), 3);
    choisir_precision(pz, 9);
    EXPECT_EQ(pz.precision, 6);
}

TEST(EditionReglages, TailleDeCopiePlusDeCinquantePixelsEtMoinsDeTrenteCentimetres) {
    struct cas {
        const char* texte;
        bool accepte;
        int pixels;
        const char* etiquette;
    };
    for (const cas& c : {cas{"1", false, 567, "15 cm"}, cas{"1.34", false, 567, "15 cm"},
                         cas{"1.35", true, 51, "1.35 cm"}, cas{"29.9", true, 1131, "29.9 cm"},
                         cas{"30", false, 567, "15 cm"}, cas{"-20", false, 567, "15 cm"},
                         cas{"1e400", false, 567, "15 cm"}}) {
        reglages reg;
        const effet_reglage e = saisir_largeur_copie(reg, c.texte);
        EXPECT_EQ(e.accepte, c.accepte) << c.texte;
        EXPECT_EQ(reg.largeur_copie, c.pixels) << c.texte;
        EXPECT_EQ(e.etiquette, c.etiquette) << c.texte;
        EXPECT_EQ(e.rafraichir, aucun);
    }
    reglages reg;
    EXPECT_EQ(texte_taille_copie(reg.hauteur_copie), "11 cm");
    EXPECT_EQ(texte_centimetres(reg.largeur_copie), "15");
    saisir_hauteur_copie(reg, "5");
    EXPECT_EQ(reg.hauteur_copie, 189);
    EXPECT_EQ(reg.largeur_copie, 567);
}

TEST(EditionReglages, CasesEtGroupesSimples) {
    reglages reg;
    etat_etudes e;
    EXPECT_EQ(cocher(reg.graphe.quadrillage, true).rafraichir, simple);
    EXPECT_TRUE(reg.graphe.quadrillage);
    EXPECT_EQ(choisir_quadrillage_plein(reg.graphe, true).rafraichir, simple);
    EXPECT_FALSE(reg.graphe.pointilles);
    EXPECT_EQ(choisir_toutes_fonctions(e, false).rafraichir, simple);
    EXPECT_FALSE(e.toutes_fonctions);
}

} // namespace
} // namespace varlem
