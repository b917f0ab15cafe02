// varlem-calc's document commands: closed loop, templates and system files.
#include "support/json_lu.h"
#include "support/processus.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

namespace varlem {
namespace {

using test::json_lu;
using test::varlem_calc;

std::string ecrire_fichier(const std::string& nom, const std::string& contenu) {
    const std::string chemin = ::testing::TempDir() + "/" + nom;
    std::ofstream(chemin, std::ios::binary) << contenu;
    return chemin;
}

TEST(VarlemCalcDocumentTest, BoucleDeUnSurUnPlusPAvecLesValeursDeDepart) {
    const json_lu j = test::varlem_calc_json({"boucle", "--", "1", "1+p"});
    EXPECT_EQ(j["correcteur"]["texte_num"].chaine(), "1");
    EXPECT_EQ(j["correcteur"]["texte_den"].chaine(), "1");
    ASSERT_EQ(j["fonctions"].taille(), 3u);
    const json_lu fermee = j["fonctions"][2];
    EXPECT_EQ(fermee["den"][0].nombre(), 2);
    EXPECT_EQ(fermee["den"][1].nombre(), 1);
    EXPECT_DOUBLE_EQ(fermee["poles"][0][0].nombre(), -2);
    EXPECT_EQ(j["texte_boucle_fermee"].chaine(),
              "Fonction de transfert du système en boucle fermée:\r\n1*p^0\r\nsur\r\n2*p^0+1*p^1");
}

TEST(VarlemCalcDocumentTest, BoucleAvecCorrecteurEtRetour) {
    const json_lu j = test::varlem_calc_json({"boucle", "--kp", "2", "--ti", "0.5", "--avec-i",
                                              "--retour", "1", "1+0.1p", "--", "1", "(1+p)(1+2p)"});
    const json_lu fermee = j["fonctions"][2];
    // Every pole of the closed loop cancels its denominator 1 + C·T·R.
    const json_lu den = fermee["den"];
    for (std::size_t i = 0; i < fermee["poles"].taille(); ++i) {
        const double re = fermee["poles"][i][0].nombre(), im = fermee["poles"][i][1].nombre();
        double sr = 0, si = 0, pr = 1, pi = 0, echelle = 0;
        for (std::size_t k = 0; k < den.taille(); ++k) {
            sr += den[k].nombre() * pr;
            si += den[k].nombre() * pi;
            echelle += std::fabs(den[k].nombre()) * std::hypot(pr, pi);
            const double t = pr * re - pi * im;
            pi = pr * im + pi * re;
            pr = t;
        }
        EXPECT_LT(std::hypot(sr, si), 1e-4 * echelle) << i;
    }
    EXPECT_EQ(fermee["poles"].taille(), den.taille() - 1);
}

TEST(VarlemCalcDocumentTest, GabaritsTextesAffichesEtAnalyses) {
    const json_lu h = test::varlem_calc_json({"gabarit", "H", "--valeur", "10.1"});
    EXPECT_EQ(h["texte_num_affiche"].chaine(), "1/w0 p");
    EXPECT_EQ(h["texte_den_affiche"].chaine(), "1+ p /w0");
    EXPECT_NEAR(h["poles"][0][0].nombre(), -10.1, 1e-12);
    const json_lu d =
        test::varlem_calc_json({"gabarit", "D", "--valeur", "0.5", "--variable", "s"});
    EXPECT_EQ(d["texte_num_affiche"].chaine(), "2.m.s");
    EXPECT_EQ(d["texte_num"].chaine().back(), 's');
    EXPECT_EQ(varlem_calc({"gabarit", "Q", "--valeur", "1"}).statut, 1);
}

TEST(VarlemCalcDocumentTest, SystemeLuOuRefuse) {
    const std::string bon = ecrire_fichier("deux.fdt", "2\r\n1\r\n1+p\r\n2\r\n1+3p+p^2\r\n");
    const json_lu j = test::varlem_calc_json({"systeme", bon});
    ASSERT_EQ(j["fonctions"].taille(), 2u);
    EXPECT_EQ(j["fonctions"][1]["texte_den"].chaine(), "1+3p+p^2");
    EXPECT_EQ(j["fonctions"][1]["gain"].nombre(), 2);

    const std::string mot = ecrire_fichier("mot.fdt", "abc\r\n");
    const auto r = varlem_calc({"systeme", mot});
    EXPECT_EQ(r.statut, 3);
    EXPECT_NE(r.erreurs.find("Saisie numérique incorrecte"), std::string::npos);
    EXPECT_TRUE(r.sortie.empty());
    EXPECT_EQ(varlem_calc({"systeme", ::testing::TempDir() + "/absent.fdt"}).statut, 3);
}

TEST(VarlemCalcDocumentTest, TracerUnSystemeEnBoucleFermee) {
    const std::string fichier = ecrire_fichier("trace.fdt", "2\r\n1\r\n1+p\r\n2\r\n1+3p+p^2\r\n");
    for (const char* etude : {"G", "E", "Z"}) {
        const std::string image = ::testing::TempDir() + "/boucle.svg";
        const auto r =
            varlem_calc({"tracer", "--etude", etude, "--systeme", fichier, "--boucle", "--kp", "5",
                         "--courante", "2", "--taille", "300x200", "-o", image});
        EXPECT_EQ(r.statut, 0) << etude << r.erreurs;
        std::remove(image.c_str());
    }
    EXPECT_EQ(varlem_calc({"tracer", "--etude", "G", "-o", ::testing::TempDir() + "/x.png"}).statut,
              1);
}

} // namespace
} // namespace varlem
