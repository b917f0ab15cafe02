#include "document/boucle.h"
#include "document/copie_systeme.h"
#include "document/systeme.h"
#include "document/textes_aide.h"
#include "document/textes_construits.h"

#include "numeric/analyseur.h"
#include "numeric/nombres.h"
#include "outils_document.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace varlem {
namespace {

using test::systeme_tape;

TEST(TextesConstruitsTest, NombresExacts) {
    struct cas {
        double x;
        const char* texte;
    } const table[] = {
        {0.1, "0.1"},
        {2, "2"},
        {1e20, "1E20"},
        {1.5e-7, "1.5E-07"},
        {0.707, "0.707"},
        {1e300, "1E300"},
        {123456789012, "123456789012"},
    };
    for (const cas& c : table) EXPECT_EQ(nombre_exact(c.x), c.texte);
}

// Every double in a wide range reads back through the parser's number reader unchanged, where
// the four-decimal display would lose it.
TEST(TextesConstruitsTest, RelectureExacteParLeLecteurDuParseur) {
    std::mt19937_64 alea(7);
    std::uniform_real_distribution<double> exposant(-25, 25);
    for (int i = 0; i < 5000; ++i) {
        const double x = std::pow(10.0, exposant(alea));
        double relu = 0;
        ASSERT_TRUE(lire_decimal(nombre_exact(x), relu)) << nombre_exact(x);
        ASSERT_EQ(relu, x) << nombre_exact(x);
    }
    EXPECT_NE(lire_nombre(texte_nombre(1 / 10.1)), 1 / 10.1);
}

TEST(TextesConstruitsTest, SommesSansTermesNuls) {
    EXPECT_EQ(somme_texte({{1, 0}, {10, 1}, {0, 2}}, 'p'), "1+10p");
    EXPECT_EQ(somme_texte({{0, 0}, {2.5, 1}, {1, 2}}, 's'), "2.5s+1s^2");
    EXPECT_EQ(somme_texte({{0, 0}}, 'p'), "0");
    EXPECT_EQ(somme_texte({{1, 0}, {-0.5, 1}}, 'p'), "1-0.5p");
    // What the parser reads is the polynomial of the terms, the zero ones included.
    contexte_calcul ctx;
    polynome p;
    lire_polynome(ctx, somme_texte({{3, 0}, {0, 1}, {1e-20, 2}, {4e15, 3}}, 'p'), p);
    ASSERT_FALSE(ctx.erreur_syntaxe || ctx.erreur_degre);
    EXPECT_EQ(p.degre, 3);
    EXPECT_EQ(p.coef[0].re, 3);
    EXPECT_EQ(p.coef[1].re, 0);
    EXPECT_EQ(p.coef[2].re, 1e-20);
    EXPECT_EQ(p.coef[3].re, 4e15);
}

TEST(CopieSystemeTest, BoucleOuverteEtFermee) {
    auto s = systeme_tape({{"1", "1+p"}, {"2", "1+3p+p^2"}});
    EXPECT_EQ(copier_systeme(*s), "Fonctions de transfert composant le système en cours\r\n"
                                  "1\r\n_____________________\r\n1+p\r\n\r\n"
                                  "2\r\n_____________________\r\n1+3p+p^2\r\n\r\n");
    auto un = systeme_tape({{"1", "1+p"}});
    reglages r;
    fermer_boucle(*un, r);
    // With the loop closed the copy holds the closed-loop function.
    EXPECT_EQ(copier_systeme(*un), "Fonctions de transfert composant le système en cours\r\n"
                                   "1*p^0\r\n_____________________\r\n2*p^0+1*p^1\r\n\r\n");
}

TEST(TextesAideTest, SyntaxeEtCorrecteur) {
    const std::string syntaxe = texte_aide_syntaxe();
    std::vector<std::string> lignes;
    std::size_t debut = 0;
    for (std::size_t fin; (fin = syntaxe.find("\r\n", debut)) != std::string::npos; debut = fin + 2)
        lignes.push_back(syntaxe.substr(debut, fin - debut));
    lignes.push_back(syntaxe.substr(debut));
    ASSERT_EQ(lignes.size(), 18u);
    EXPECT_EQ(lignes[0], "Entrée des fractions rationnelles");
    EXPECT_EQ(lignes[1].back(), ' ');
    EXPECT_EQ(lignes[10], "ou (3e-4p+2e-2)(1+2e-1p+1.5e-2p^3)");
    EXPECT_EQ(lignes[13], "Ne pas employer 1.25e+3 ni p^+2 mais 1.25e3 et p^2");
    EXPECT_EQ(lignes[17], "Le nombre maximum de fonctions est de 8");
    // The help states the system's real capacity.
    EXPECT_EQ(lignes[17],
              "Le nombre maximum de fonctions est de " + std::to_string(nb_fonctions_max));
    EXPECT_EQ(std::string(titre_aide_syntaxe), "Syntaxe à utiliser");

    EXPECT_EQ(texte_aide_correcteur(), "La fonction de transfert du correcteur est du type:\r\n"
                                       "\r\n    k .( (1/ti p)+ td p +1)\r\n\r\n");
    EXPECT_EQ(std::string(titre_aide_correcteur), "Fonction de transfert du correcteur:");
}

} // namespace
} // namespace varlem
