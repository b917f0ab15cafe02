#include "document/etude_parametree.h"
#include "document/etudes_systeme.h"
#include "document/gabarits.h"
#include "support/genres.h"

#include "analysis/frequences.h"
#include "numeric/analyseur.h"
#include "outils_document.h"

#include <gtest/gtest.h>

namespace varlem {
namespace {

// A first-order band-pass: no such template exists.
constexpr gabarit_filtre gabarit_inconnu{ordre_gabarit::premier, genre_gabarit::passe_bande};

using test::systeme_tape;

polynome lire(const std::string& texte, char lettre = 'p') {
    contexte_calcul ctx;
    ctx.variable_p = lettre;
    polynome p;
    lire_polynome(ctx, texte, p);
    EXPECT_FALSE(ctx.erreur_syntaxe || ctx.erreur_degre) << texte;
    return p;
}

TEST(GabaritTest, ExtremitesDesCurseurs) {
    struct cas {
        gabarit_filtre gabarit;
        int position;
        double attendu;
    } const table[] = {
        {test::passe_bas_1, 0, 10},       {test::passe_bas_1, 99, 0.1},
        {test::passe_haut_1, 0, 10.1},    {test::passe_haut_1, 99, 0.1},
        {test::passe_bas_2, 0, 2.01},     {test::passe_haut_2, 200, 0.01},
        {test::passe_bande_2, 130, 0.71}, {test::rejecteur_2, 100, 1.01},
        {test::passe_bas_1, -3, 10},      {test::passe_bas_2, 500, 0.01},
    };
    for (const cas& c : table) {
        systeme s;
        s.gabarit = c.gabarit;
        fixer_plage_gabarit(s, c.gabarit);
        EXPECT_NEAR(parametre_de_position(s, c.position), c.attendu, 1e-12)
            << c.gabarit << " at " << c.position;
    }
}

TEST(GabaritTest, TextesAffichesEtAnalyses) {
    struct cas {
        gabarit_filtre gabarit;
        double valeur;
        char lettre;
        textes_gabarit attendu;
    } const table[] = {
        {test::passe_bas_1, 10, 'p', {"1", "1+ p /w0", "1", "1+0.1p"}},
        {test::passe_haut_1, 4, 'p', {"1/w0 p", "1+ p /w0", "0.25p", "1+0.25p"}},
        {test::passe_bas_2, 0.25, 'p', {"1", "1+ 2.m p+p^2", "1", "1+0.5p+p^2"}},
        {test::passe_haut_2, 1, 'p', {"p^2", "1+ 2.m p+p^2", "p^2", "1+2p+p^2"}},
        {test::passe_bande_2, 0.25, 's', {"2.m.s", "1+ 2.m s+s^2", "0.5s", "1+0.5s+s^2"}},
        {test::rejecteur_2, 0.5, 'p', {"1+p^2", "1+ 2.m p+p^2", "1+p^2", "1+1p+p^2"}},
    };
    for (const cas& c : table) {
        const textes_gabarit t = textes_du_gabarit(c.gabarit, c.valeur, c.lettre);
        EXPECT_EQ(t.num_affiche, c.attendu.num_affiche) << c.gabarit;
        EXPECT_EQ(t.den_affiche, c.attendu.den_affiche) << c.gabarit;
        EXPECT_EQ(t.num, c.attendu.num) << c.gabarit;
        EXPECT_EQ(t.den, c.attendu.den) << c.gabarit;
    }
}

// The analysed texts read back as the very values they stand for, over the whole slider.
TEST(GabaritTest, LesTextesAnalysesRelisentLaValeurExacte) {
    for (gabarit_filtre g :
         {test::passe_bas_1, test::passe_haut_1, test::passe_bande_2, test::passe_bas_2}) {
        systeme s;
        s.gabarit = g;
        fixer_plage_gabarit(s, g);
        const int bas = plage_du_gabarit(g).curseur_max;
        for (int position = 0; position <= bas; ++position) {
            const double v = parametre_de_position(s, position);
            const textes_gabarit t = textes_du_gabarit(g, v, 'p');
            const polynome den = lire(t.den);
            const double attendu = premier_ordre(g) ? 1 / v : 2 * v;
            ASSERT_EQ(den.coef[1].re, attendu) << g << " at " << position << ": " << t.den;
            if (g == test::passe_haut_1 || g == test::passe_bande_2) {
                ASSERT_EQ(lire(t.num).coef[1].re, attendu) << t.num;
            }
        }
    }
}

// The labels the parameter study does not show otherwise (its own tests read the others).
TEST(GabaritTest, Etiquettes) {
    systeme s;
    s.gabarit = test::passe_haut_1;
    fixer_plage_gabarit(s, test::passe_haut_1);
    EXPECT_EQ(etiquette_haut_gabarit(s), "w0max= 10.1 rad/s");
    s.gabarit = test::rejecteur_2;
    fixer_plage_gabarit(s, test::rejecteur_2);
    EXPECT_EQ(etiquette_bas_gabarit(s), "m min= .01");
}

TEST(GabaritTest, ConstructionDansUnSlot) {
    systeme s;
    s.calcul.graine = 1;
    ASSERT_TRUE(construire_gabarit(s, test::passe_bas_2, 2, 1));
    EXPECT_EQ(s.fonctions[2].fonction.texte_den, "1+2p+p^2");
    EXPECT_EQ(s.fonctions[2].poles[1], (complexe{-1, 0}));
    EXPECT_FALSE(construire_gabarit(s, test::passe_bas_2, 3, 0.5));
    EXPECT_FALSE(construire_gabarit(s, gabarit_inconnu, 1, 0.5));
    EXPECT_FALSE(construire_gabarit(s, test::passe_bas_1, 1, 0));
}

TEST(EtudeParametreeTest, PasseBasDuPremierOrdreSurUnSystemeVide) {
    auto s = systeme_tape({});
    reglages r;
    const choix_gabarit c = choisir_gabarit(*s, r, test::passe_bas_1, std::nullopt);
    ASSERT_TRUE(c.effectue);
    EXPECT_EQ(c.textes.num_affiche, "1");
    EXPECT_EQ(c.textes.den_affiche, "1+ p /w0");
    EXPECT_EQ(c.numero + " " + c.compte, "1 sur 1");
    EXPECT_EQ(c.etiquette_valeur, "w0= .1 rad/s");
    EXPECT_EQ(c.etiquette_haut, "w0max= 10 rad/s");
    EXPECT_EQ(c.etiquette_bas, "w0min= .1 rad/s");
    EXPECT_EQ(c.curseur_max, 99);
    EXPECT_EQ(c.graduation, 10);
    EXPECT_EQ(c.position, 99);
    EXPECT_EQ(c.rafraichir, rafraichir(false, false));
    EXPECT_EQ(s->nb_fonctions, 1);
    EXPECT_TRUE(s->systeme_saisi);
    EXPECT_TRUE(s->etudes.mode_filtre);
    EXPECT_FALSE(r.frequence.en_hertz);
    EXPECT_EQ(r.temps.nb_points, 200);
    EXPECT_DOUBLE_EQ(s->w0, 0.1);
    EXPECT_EQ(s->fonctions[1].poles[1], (complexe{-0.1, 0}));
    EXPECT_EQ(s->fonctions[2].poles[1], (complexe{-10, 0}));

    // The frequency range is the one of both extreme functions, not of the first alone.
    auto deux = systeme_tape({{"1", "1+10p"}, {"1", "1+0.1p"}});
    etude_frequence attendu;
    attendu.en_hertz = false;
    preparer_frequences(attendu, true, *deux);
    EXPECT_EQ(r.frequence.decade_min, attendu.decade_min);
    EXPECT_EQ(r.frequence.decade_max, attendu.decade_max);
    auto un = systeme_tape({{"1", "1+10p"}});
    etude_frequence seul;
    seul.en_hertz = false;
    preparer_frequences(seul, true, *un);
    EXPECT_LT(seul.decade_max, attendu.decade_max);
    // A common pole-zero scale holds both poles.
    EXPECT_LE(r.pz.re_min, -10);
}

TEST(EtudeParametreeTest, SecondOrdreEtCurseur) {
    auto s = systeme_tape({{"1", "1+p"}, {"1", "1+2p"}, {"1", "1+3p"}});
    reglages r;
    EXPECT_TRUE(demander_avant_parametres(*s));
    const choix_gabarit c = choisir_gabarit(*s, r, test::passe_bas_2, 500);
    ASSERT_TRUE(c.effectue);
    EXPECT_FALSE(demander_avant_parametres(*s));
    EXPECT_EQ(r.temps.nb_points, 230);
    EXPECT_EQ(c.position, 130);
    EXPECT_EQ(c.curseur_max, 200);
    EXPECT_EQ(c.graduation, 20);
    EXPECT_EQ(c.etiquette_valeur, "m= .707");
    EXPECT_EQ(c.etiquette_haut, "m max= 2");
    EXPECT_EQ(s->nb_fonctions, 1);
    EXPECT_EQ(s->fonctions[1].fonction.den.coef[1].re, 2 * 0.707);

    // Setting the slider to 130 runs its handler: m becomes 0.71.
    const reglage_curseur m = deplacer_curseur_p(*s, 130);
    ASSERT_TRUE(m.effectue);
    EXPECT_EQ(m.etiquette_valeur, "m= .71");
    EXPECT_EQ(m.rafraichir, rafraichir(false, false));
    EXPECT_DOUBLE_EQ(s->m, 0.71);
    EXPECT_EQ(s->fonctions[1].fonction.den.coef[1].re, 2 * parametre_de_position(*s, 130));

    // Another template while in the study rebuilds everything for it.
    ASSERT_TRUE(choisir_gabarit(*s, r, test::passe_haut_1, std::nullopt).effectue);
    EXPECT_EQ(s->fonctions[2].fonction.texte_num, "0.09900990099009901p");
    const reglage_curseur w = deplacer_curseur_p(*s, 0);
    EXPECT_EQ(w.etiquette_valeur, "w0= 10.1 rad/s");
}

TEST(EtudeParametreeTest, CurseurPHorsDesDeuxModes) {
    auto s = systeme_tape({{"1", "1+p"}});
    EXPECT_FALSE(deplacer_curseur_p(*s, 10).effectue);
    EXPECT_FALSE(
        choisir_gabarit(*s, *std::make_unique<reglages>(), gabarit_inconnu, std::nullopt).effectue);
    EXPECT_FALSE(s->etudes.mode_filtre);
}

} // namespace
} // namespace varlem
