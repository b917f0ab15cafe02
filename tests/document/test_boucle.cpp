#include "document/boucle.h"

#include "numeric/analyseur.h"
#include "outils_document.h"

#include <gtest/gtest.h>

#include <complex>
#include <vector>

namespace varlem {
namespace {

using test::systeme_tape;
using coefs = std::vector<double>;

// Polynomial arithmetic on plain coefficient lists, independent of the core's.
coefs fois(const coefs& a, const coefs& b) {
    coefs r(a.size() + b.size() - 1, 0.0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) r[i + j] += a[i] * b[j];
    return r;
}

coefs plus(coefs a, const coefs& b) {
    if (a.size() < b.size()) a.resize(b.size(), 0.0);
    for (std::size_t i = 0; i < b.size(); ++i) a[i] += b[i];
    return a;
}

coefs sans_zero_de_tete(coefs a) {
    while (a.size() > 1 && a.back() == 0) a.pop_back();
    return a;
}

// |P(z)| relative to the size of its terms: ~0 at a root whatever the coefficients' scale.
double residu_relatif(const coefs& c, std::complex<double> z) {
    std::complex<double> somme = 0, puissance = 1;
    double echelle = 0;
    for (double ck : c) {
        somme += ck * puissance;
        echelle += std::abs(ck) * std::abs(puissance);
        puissance *= z;
    }
    return std::abs(somme) / echelle;
}

void attendre_coefs(const polynome& obtenu, const coefs& attendu, const char* quoi) {
    ASSERT_EQ(obtenu.degre + 1, static_cast<int>(attendu.size())) << quoi;
    for (std::size_t k = 0; k < attendu.size(); ++k)
        EXPECT_NEAR(obtenu.coef[k].re, attendu[k], 1e-12 * (1 + std::abs(attendu[k])))
            << quoi << " coefficient " << k;
}

TEST(BoucleTest, FermetureAvecLesValeursDeDepart) {
    auto s = systeme_tape({{"1", "1+p"}});
    reglages r;
    const fermeture_boucle f = fermer_boucle(*s, r);
    ASSERT_TRUE(f.effectue);
    EXPECT_EQ(f.rafraichir, rafraichir(true, true));
    EXPECT_EQ(s->correcteur.fonction.texte_num, "1");
    EXPECT_EQ(s->correcteur.fonction.texte_den, "1");
    EXPECT_EQ(s->retour.fonction.texte_num, "1");
    EXPECT_EQ(s->retour.fonction.texte_den, "1");
    EXPECT_EQ(f.texte_boucle,
              "Fonction de transfert du système en boucle fermée:\r\n1*p^0\r\nsur\r\n"
              "2*p^0+1*p^1");
    EXPECT_EQ(s->fonctions[3].poles[1], (complexe{-2, 0}));
    EXPECT_EQ(s->fonctions[4].poles[1], (complexe{-2, 0}));
    EXPECT_EQ(s->nb_fonctions, 1);
    EXPECT_EQ(s->fonction_courante, 1);
    EXPECT_TRUE(s->etudes.boucle_fermee);
    EXPECT_FALSE(s->etudes.toutes_fonctions);
    EXPECT_FALSE(r.frequence.en_hertz);
    // Pole-zero scale of the closed loop: its pole at −2 is inside.
    EXPECT_LE(r.pz.re_min, -2);

    const curseurs_correcteur& c = f.curseurs;
    EXPECT_EQ(c.p.position, 191);
    EXPECT_EQ(c.ti.position, 0);
    EXPECT_EQ(c.td.position, 100);
    EXPECT_EQ(c.p.haut + "|" + c.p.valeur + "|" + c.p.bas, "20|1|0");
    EXPECT_EQ(c.ti.haut + "|" + c.ti.valeur + "|" + c.ti.bas, "10|10|0");
    EXPECT_EQ(c.td.haut + "|" + c.td.valeur + "|" + c.td.bas, "1|0|0");
    EXPECT_FALSE(c.avec_i);
    // The start position of the P slider gives back the start gain.
    EXPECT_DOUBLE_EQ(valeur_curseur(*s, curseur_correcteur::p, c.p.position), 1.0);
}

TEST(BoucleTest, FermetureRefuseeHorsEdition) {
    reglages r;
    auto vide = systeme_tape({});
    EXPECT_FALSE(fermer_boucle(*vide, r).effectue);
    EXPECT_FALSE(vide->etudes.boucle_fermee);

    auto s = systeme_tape({{"1", "1+p"}});
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    EXPECT_FALSE(fermer_boucle(*s, r).effectue);
    EXPECT_EQ(ouvrir_boucle(*s), rafraichir(true, true));
    EXPECT_EQ(ouvrir_boucle(*s), rafraichissement{});
}

TEST(BoucleTest, ReglesDesCurseurs) {
    systeme s;
    initialiser_correcteur(s);
    struct cas {
        curseur_correcteur c;
        int position;
        double attendu;
    } const table[] = {
        {curseur_correcteur::p, 0, 20.1},   {curseur_correcteur::p, 200, 0.1},
        {curseur_correcteur::p, 100, 10.1}, {curseur_correcteur::p, -7, 20.1},
        {curseur_correcteur::p, 999, 0.1},  {curseur_correcteur::ti, 0, 10},
        {curseur_correcteur::ti, 50, 5},    {curseur_correcteur::ti, 100, 0.01},
        {curseur_correcteur::td, 0, 1},     {curseur_correcteur::td, 100, 0},
        {curseur_correcteur::td, 75, 0.25},
    };
    for (const cas& t : table)
        EXPECT_NEAR(valeur_curseur(s, t.c, t.position), t.attendu, 1e-12)
            << static_cast<int>(t.c) << " at " << t.position;
}

TEST(BoucleTest, DeplacementsEtDrapeaux) {
    auto s = systeme_tape({{"1", "1+p"}});
    reglages r;
    EXPECT_FALSE(deplacer_curseur_correcteur(*s, curseur_correcteur::p, 0).effectue);
    fermer_boucle(*s, r);

    const reglage_curseur p = deplacer_curseur_correcteur(*s, curseur_correcteur::p, 100);
    ASSERT_TRUE(p.effectue);
    EXPECT_EQ(p.etiquette_valeur, "10.1");
    EXPECT_EQ(p.rafraichir, rafraichir(true, true));
    // C·T / (1 + C·T) with C = 10.1: 10.1 / (11.1 + p).
    EXPECT_EQ(p.texte_boucle,
              "Fonction de transfert du système en boucle fermée:\r\n10.1*p^0\r\nsur\r\n"
              "11.1*p^0+1*p^1");

    // ti only acts with the integral action.
    EXPECT_FALSE(deplacer_curseur_correcteur(*s, curseur_correcteur::ti, 50).effectue);
    const reglage_curseur i = basculer_avec_i(*s, true);
    ASSERT_TRUE(i.effectue);
    EXPECT_EQ(i.rafraichir, rafraichir(false, true));
    const reglage_curseur ti = deplacer_curseur_correcteur(*s, curseur_correcteur::ti, 100);
    ASSERT_TRUE(ti.effectue);
    EXPECT_EQ(ti.etiquette_valeur, ".01");
    EXPECT_EQ(ti.rafraichir, rafraichir(false, true));
    const reglage_curseur td = deplacer_curseur_correcteur(*s, curseur_correcteur::td, 50);
    ASSERT_TRUE(td.effectue);
    EXPECT_EQ(td.etiquette_valeur, ".5");
    EXPECT_EQ(td.rafraichir, rafraichir(false, true));
    EXPECT_DOUBLE_EQ(s->td, 0.5);
}

TEST(BoucleTest, TextesDuCorrecteurSansTermeNul) {
    struct cas {
        double kp, ti, td;
        bool avec_i;
        const char *num, *den;
    } const table[] = {
        {1, 10, 0, false, "1", "1"},
        {1, 10, 0, true, "1+10p", "10p"},
        {2, 0.5, 0.1, true, "2+1p+0.1p^2", "0.5p"},
        {0.5, 10, 0.2, false, "0.5+0.1p", "1"},
        {20.1, 0.01, 0, true, "20.1+0.201p", "0.01p"},
    };
    for (const cas& c : table) {
        const textes_fdt t = textes_correcteur(c.kp, c.ti, c.td, c.avec_i, 'p');
        EXPECT_EQ(t.num, c.num);
        EXPECT_EQ(t.den, c.den);
    }
    // The start values with "Avec I" checked: the corrector is analysed, not refused.
    auto s = systeme_tape({{"1", "1+p"}});
    reglages r;
    fermer_boucle(*s, r);
    ASSERT_TRUE(basculer_avec_i(*s, true).effectue);
    EXPECT_EQ(s->correcteur.fonction.texte_num, "1+10p");
    attendre_coefs(s->correcteur.fonction.num, {1, 10}, "C num");
    attendre_coefs(s->correcteur.fonction.den, {0, 10}, "C den");
}

// The closed loop against polynomials multiplied out here, for several corrector settings and
// a return path of first order.
TEST(BoucleTest, BoucleFermeeContreCalculIndependant) {
    const coefs n_t = {2}, d_t = {1, 1.5, 0.5}; // 2 / ((1+p)(1+0.5p))
    const coefs n_r = {1}, d_r = {1, 0.1};      // 1 / (1+0.1p)
    struct cas {
        double kp, ti, td;
        bool avec_i;
    } const table[] = {{1, 10, 0, false},
                       {5, 2, 0.3, true},
                       {0.3, 0.5, 0, true},
                       {12, 1, 0.05, true},
                       {3, 10, 0.7, false}};
    for (const cas& c : table) {
        auto s = systeme_tape({{"2", "(1+p)(1+0.5p)"}});
        reglages r;
        fermer_boucle(*s, r);
        ASSERT_FALSE(entrer_retour(*s, "1", "1+0.1p").erreur_syntaxe);
        ASSERT_TRUE(regler_correcteur(*s, c.kp, c.ti, c.td, c.avec_i));

        const coefs n_c =
            c.avec_i ? coefs{c.kp, c.kp * c.ti, c.kp * c.ti * c.td} : coefs{c.kp, c.kp * c.td};
        const coefs d_c = c.avec_i ? coefs{0, c.ti} : coefs{1};
        const coefs nc = sans_zero_de_tete(fois(n_c, n_t)), dc = fois(d_c, d_t);
        const coefs num3 = fois(nc, d_r);
        const coefs den3 = sans_zero_de_tete(plus(fois(dc, d_r), fois(nc, n_r)));

        SCOPED_TRACE(testing::Message() << "kp " << c.kp << " ti " << c.ti << " td " << c.td);
        attendre_coefs(s->fonctions[2].fonction.num, nc, "slot 2 num");
        attendre_coefs(s->fonctions[2].fonction.den, dc, "slot 2 den");
        attendre_coefs(s->fonctions[1].fonction.num, fois(nc, n_r), "slot 1 num");
        attendre_coefs(s->fonctions[1].fonction.den, fois(dc, d_r), "slot 1 den");
        attendre_coefs(s->fonctions[3].fonction.num, num3, "slot 3 num");
        attendre_coefs(s->fonctions[3].fonction.den, den3, "slot 3 den");

        const fdt_travail& boucle = s->fonctions[3];
        const int degre = static_cast<int>(den3.size()) - 1;
        ASSERT_EQ(boucle.fonction.den.degre, degre);
        std::complex<double> somme_poles = 0;
        for (int k = 1; k <= degre; ++k) {
            const complexe z = boucle.poles[static_cast<std::size_t>(k)];
            // Poles are rounded to 5 significant digits.
            EXPECT_LT(residu_relatif(den3, {z.re, z.im}), 1e-3) << "pole " << k;
            somme_poles += std::complex<double>(z.re, z.im);
        }
        EXPECT_EQ(boucle.poles[static_cast<std::size_t>(degre + 1)], (complexe{}));
        // Sum of the roots: −c(n−1)/c(n).
        const double attendu = -den3[den3.size() - 2] / den3.back();
        EXPECT_NEAR(somme_poles.real(), attendu, 1e-3 * (1 + std::abs(attendu)));
        EXPECT_NEAR(somme_poles.imag(), 0, 1e-3);
        EXPECT_NEAR(boucle.gain, num3.back() / den3.back(), 1e-9);
        EXPECT_FALSE(s->calcul.racines_globales);
    }
}

TEST(BoucleTest, MaximaSaisis) {
    systeme s;
    initialiser_correcteur(s);
    const demande_maximum d = question_maximum(s, curseur_correcteur::p);
    EXPECT_EQ(d.titre, "Entrer la valeur max de P");
    EXPECT_EQ(d.invite, "entrée de P max");
    EXPECT_EQ(d.defaut, "20.1");
    EXPECT_EQ(question_maximum(s, curseur_correcteur::ti).titre, "Entrer la valeur max de ti");
    EXPECT_EQ(question_maximum(s, curseur_correcteur::td).invite, "entrée de td max");

    EXPECT_FALSE(saisir_maximum(s, curseur_correcteur::p, "5"));
    EXPECT_DOUBLE_EQ(s.kp_max, 20.1);
    EXPECT_EQ(saisir_maximum(s, curseur_correcteur::p, "50"), "50");
    EXPECT_DOUBLE_EQ(s.kp_max, 50);
    // The P maximum is never lowered, even below a raised one.
    EXPECT_FALSE(saisir_maximum(s, curseur_correcteur::p, "30"));

    EXPECT_FALSE(saisir_maximum(s, curseur_correcteur::ti, "0"));
    EXPECT_FALSE(saisir_maximum(s, curseur_correcteur::ti, "-3"));
    EXPECT_FALSE(saisir_maximum(s, curseur_correcteur::ti, "abc"));
    EXPECT_EQ(saisir_maximum(s, curseur_correcteur::ti, "2"), "2");
    EXPECT_DOUBLE_EQ(s.ti_max, 2);
    EXPECT_DOUBLE_EQ(s.ti_min, 0.02);
    EXPECT_EQ(saisir_maximum(s, curseur_correcteur::td, "0,5"), ".5");
    EXPECT_DOUBLE_EQ(s.td_max, 0.5);
    // Values whose corrector the parser would refuse are ignored like any refused value.
    EXPECT_FALSE(saisir_maximum(s, curseur_correcteur::p, "1e40"));
    EXPECT_FALSE(saisir_maximum(s, curseur_correcteur::td, "1e-40"));
}

TEST(BoucleTest, ParcoursEnBoucleFermee) {
    auto s = systeme_tape({{"1", "1+p"}, {"2", "1+3p+p^2"}, {"5", "(1+2p)(1+p)"}}, 'p', 2);
    reglages r;
    fermer_boucle(*s, r);
    EXPECT_EQ(s->courante_sauvee, 2);
    deplacer_curseur_correcteur(*s, curseur_correcteur::p, 180); // kp = 2.1

    parcours_boucle b = parcourir_boucle(*s, r, true);
    ASSERT_TRUE(b.effectue);
    EXPECT_EQ(b.numero, 3);
    EXPECT_EQ(b.compte, "sur 3");
    EXPECT_EQ(b.textes.num, "5");
    EXPECT_EQ(b.textes.den, "(1+2p)(1+p)");
    EXPECT_EQ(b.rafraichir, rafraichir(true, true));
    EXPECT_EQ(s->nb_fonctions, 1);
    // Same corrector on function 3: 2.1·5 / (1 + 3p + 2p² + 10.5).
    attendre_coefs(s->fonctions[3].fonction.num, {10.5}, "slot 3 num");
    attendre_coefs(s->fonctions[3].fonction.den, {11.5, 3, 2}, "slot 3 den");
    // The loop without corrector belongs to the function now looped: 5 / (6 + 3p + 2p²).
    attendre_coefs(s->fonctions[4].fonction.num, {5}, "slot 4 num");
    attendre_coefs(s->fonctions[4].fonction.den, {6, 3, 2}, "slot 4 den");

    EXPECT_EQ(parcourir_boucle(*s, r, true).numero, 3);
    EXPECT_EQ(ouvrir_boucle(*s), rafraichir(true, true));
    EXPECT_EQ(s->fonction_courante, 3);
    EXPECT_EQ(s->nb_fonctions, 3);
    EXPECT_TRUE(s->etudes.toutes_fonctions);
    EXPECT_EQ(s->fonctions[1].fonction.texte_den, "1+p");
    EXPECT_EQ(s->fonctions[2].fonction.texte_den, "1+3p+p^2");

    fermer_boucle(*s, r);
    EXPECT_EQ(parcourir_boucle(*s, r, false).numero, 2);
    EXPECT_EQ(parcourir_boucle(*s, r, false).numero, 1);
    EXPECT_EQ(parcourir_boucle(*s, r, false).numero, 1);
    attendre_coefs(s->fonctions[4].fonction.den, {2, 1}, "slot 4 den of function 1");
}

TEST(BoucleTest, CheminDeRetour) {
    auto s = systeme_tape({{"1", "1+p"}});
    reglages r;
    fermer_boucle(*s, r);
    const saisie_retour ok = entrer_retour(*s, "2", "1+0.5p");
    EXPECT_FALSE(ok.erreur_syntaxe || ok.erreur_degre);
    EXPECT_EQ(ok.rafraichir, rafraichir(true, true));
    EXPECT_EQ(ok.textes.den, "1+0.5p");
    // 1·(1+0.5p) / ((1+p)(1+0.5p) + 2).
    attendre_coefs(s->fonctions[3].fonction.num, {1, 0.5}, "slot 3 num");
    attendre_coefs(s->fonctions[3].fonction.den, {3, 1.5, 0.5}, "slot 3 den");
    attendre_coefs(s->fonctions[1].fonction.den, {1, 1.5, 0.5}, "slot 1 den");
    attendre_coefs(s->fonctions[4].fonction.den, {3, 1.5, 0.5}, "slot 4 den");

    struct cas {
        const char *num, *den;
        bool syntaxe, degre;
    } const refus[] = {
        {"1+", "1", true, false}, {"1", "p^16", false, true}, {"1", "x", true, false}};
    for (const cas& c : refus) {
        const saisie_retour k = entrer_retour(*s, c.num, c.den);
        EXPECT_EQ(k.erreur_syntaxe, c.syntaxe) << c.num << " / " << c.den;
        EXPECT_EQ(k.erreur_degre, c.degre) << c.num << " / " << c.den;
        EXPECT_FALSE(k.rafraichir.a_faire);
        // The path in force stays, texts included.
        EXPECT_EQ(k.textes.den, "1+0.5p");
        attendre_coefs(s->fonctions[3].fonction.den, {3, 1.5, 0.5}, "slot 3 den kept");
    }
}

TEST(BoucleTest, BoucleDegenereeSansPanne) {
    // T = −1 with R = 1: 1 + C·T·R vanishes, there is no closed loop to analyse.
    auto s = systeme_tape({{"1-2", "1"}});
    reglages r;
    const fermeture_boucle f = fermer_boucle(*s, r);
    EXPECT_TRUE(f.effectue);
    EXPECT_FALSE(construire_boucle_fermee(*s));
    EXPECT_EQ(s->fonctions[3].fonction.den.degre, 0);
}

TEST(BoucleTest, LettreDeLaVariable) {
    auto s = systeme_tape({{"1", "1+s"}}, 's');
    reglages r;
    const fermeture_boucle f = fermer_boucle(*s, r);
    EXPECT_EQ(f.texte_boucle,
              "Fonction de transfert du système en boucle fermée:\r\n1*s^0\r\nsur\r\n"
              "2*s^0+1*s^1");
    ASSERT_TRUE(basculer_avec_i(*s, true).effectue);
    EXPECT_EQ(s->correcteur.fonction.texte_num, "1+10s");
}

} // namespace
} // namespace varlem
