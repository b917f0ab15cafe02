// varlem-calc with a pure delay: --retard on the function commands, the closed loop's time
// response through `temps`, the delay margin, and system files with delays.
#include "support/donnees.h"
#include "support/json_lu.h"
#include "support/processus.h"

#include "support/retard_exact.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace varlem {
namespace {

using test::json_lu;
using test::varlem_calc;
using test::varlem_calc_json;

std::string texte(double x) {
    std::ostringstream s;
    s.precision(17);
    s << x;
    return s.str();
}

TEST(VarlemCalcRetardTest, TempsEnBoucleFermee) {
    // Both ways of giving the instants.
    for (const std::vector<std::string>& instants :
         {std::vector<std::string>{"--t", "0.5,1.5,3"}, {"--t", "0.5", "1.5", "3"}}) {
        std::vector<std::string> args = {"temps", "--entree", "E", "--kp", "2", "--retard", "1"};
        args.insert(args.end(), instants.begin(), instants.end());
        args.insert(args.end(), {"--", "1", "1+p"});
        const json_lu j = varlem_calc_json(args);
        ASSERT_EQ(j["points"].taille(), 3u);
        for (std::size_t k = 0; k < 3; ++k) {
            const double t = j["points"][k]["t"].nombre();
            EXPECT_NEAR(j["points"][k]["y"].nombre(), test::echelon_boucle_retard(2, 1, t), 1e-9)
                << t;
        }
    }
    // The whole study, without instants: the samples the plot joins.
    const json_lu e = varlem_calc_json({"temps", "--entree", "E", "--kp", "0.5", "--retard", "1",
                                        "--points", "300", "--", "1", "1+p"});
    ASSERT_GT(e["points"].taille(), 100u);
    for (std::size_t k = 0; k < e["points"].taille(); k += 23) {
        const double t = e["points"][k]["t"].nombre();
        EXPECT_NEAR(e["points"][k]["y"].nombre(), test::echelon_boucle_retard(0.5, 1, t), 1e-9)
            << t;
    }
    // Without a loop option the delay only shifts the open loop's response.
    const json_lu o = varlem_calc_json(
        {"temps", "--entree", "E", "--retard", "2", "--t", "1,2.5,4", "--", "1", "(1+p)"});
    EXPECT_EQ(o["points"][0]["y"].nombre(), 0.0);
    EXPECT_NEAR(o["points"][1]["y"].nombre(), 1 - std::exp(-0.5), 1e-15);
    EXPECT_NEAR(o["points"][2]["y"].nombre(), 1 - std::exp(-2.0), 1e-15);
}

TEST(VarlemCalcRetardTest, ReferenceDeBoutEnBout) {
    const json_lu cas = json_lu::lire_fichier(test::chemin_donnees("retard.json"))["cas"];
    for (std::size_t i = 0; i < cas.taille(); ++i) {
        const json_lu c = cas[i];
        SCOPED_TRACE(c["id"].chaine());
        const std::string genre = c["genre"].chaine(), tau = texte(c["retard"].nombre());
        const json_lu points = c["ref"]["points"];
        std::string liste;
        for (std::size_t k = 0; k < points.taille(); ++k)
            liste +=
                (k ? "," : "") + texte(points[k][genre == "frequence" ? "omega" : "t"].nombre());
        const std::string num = c["num"].chaine(), den = c["den"].chaine();
        if (genre == "frequence") {
            const json_lu j =
                varlem_calc_json({"frequence", "--retard", tau, "--omega", liste, "--", num, den});
            for (std::size_t k = 0; k < points.taille(); ++k) {
                EXPECT_NEAR(j["points"][k]["re"].nombre(), points[k]["re"].nombre(), 1e-12);
                EXPECT_NEAR(j["points"][k]["phase"].nombre(), points[k]["phase"].nombre(), 1e-9);
            }
        } else if (genre == "temps" || genre == "boucle") {
            std::vector<std::string> args = {"temps", "--entree", "E",  "--retard",
                                             tau,     "--t",      liste};
            if (genre == "boucle") args.insert(args.end(), {"--kp", texte(c["kp"].nombre())});
            args.insert(args.end(), {"--", num, den});
            const json_lu j = varlem_calc_json(args);
            for (std::size_t k = 0; k < points.taille(); ++k)
                EXPECT_NEAR(j["points"][k]["y"].nombre(), points[k]["y"].nombre(), 1e-7);
        } else if (genre == "marges") {
            const json_lu m =
                varlem_calc_json({"caracteristiques", "--retard", tau, "--", num, den})["marges"];
            const json_lu r = c["ref"];
            EXPECT_NEAR(m["marge_retard"].nombre(), r["marge_retard"].nombre(), 1e-12);
            EXPECT_NEAR(m["marge_phase_deg"].nombre(), r["marge_phase_deg"].nombre(), 1e-9);
            EXPECT_NEAR(m["marge_gain_db"].nombre(), r["marge_gain_db"].nombre(), 1e-9);
            EXPECT_EQ(m["croisements_phase"].taille(), r["croisements_phase"].taille());
        }
    }
}

TEST(VarlemCalcRetardTest, AnalyseBoucleEtRefus) {
    const json_lu a = varlem_calc_json({"analyse", "--retard", "2", "--", "1", "1+p"});
    EXPECT_EQ(a["retard"].nombre(), 2);
    EXPECT_NE(a["decomposition"].chaine().find("e^(-2p)"), std::string::npos);
    EXPECT_TRUE(varlem_calc_json({"analyse", "--", "1", "1+p"})["retard"].est_nul());

    const json_lu b = varlem_calc_json({"boucle", "--kp", "3", "--retard", "1", "--", "1", "1+p"});
    EXPECT_EQ(b["fonctions"][0]["retard"].nombre(), 1);
    EXPECT_EQ(b["fonctions"][1]["retard"].nombre(), 1);
    EXPECT_TRUE(b["fonctions"][2]["retard"].est_nul());
    EXPECT_EQ(b["fonctions"][2]["ordre_pade"].nombre(), 18);
    EXPECT_NE(b["texte_boucle_fermee"].chaine().find(
                  "\r\nretard remplacé par son approximation de Padé d'ordre 18"),
              std::string::npos);

    // The readings of the loop: stable at P = 2, unstable at P = 3.
    const json_lu k2 =
        varlem_calc_json({"caracteristiques", "--kp", "2", "--retard", "1", "--", "1", "1+p"});
    EXPECT_TRUE(k2["indicielle"]["stable"].booleen());
    EXPECT_NEAR(k2["indicielle"]["valeur_finale"].nombre(), 2.0 / 3, 1e-15);
    EXPECT_NEAR(k2["marges"]["marge_retard"].nombre(),
                (std::acos(-1.0) - std::atan(std::sqrt(3.0)) - std::sqrt(3.0)) / std::sqrt(3.0),
                1e-12);
    const json_lu k3 =
        varlem_calc_json({"caracteristiques", "--kp", "3", "--retard", "1", "--", "1", "1+p"});
    EXPECT_FALSE(k3["indicielle"]["stable"].booleen());

    EXPECT_EQ(varlem_calc({"analyse", "--retard", "-1", "--", "1", "1+p"}).statut, 1);
    EXPECT_EQ(varlem_calc({"temps", "--retard", "x", "--t", "1", "--", "1", "1+p"}).statut, 1);
}

TEST(VarlemCalcRetardTest, SystemeAvecRetards) {
    const std::string chemin = ::testing::TempDir() + "/retards.fdt";
    std::ofstream(chemin, std::ios::binary)
        << "2\r\n1\r\n1+p\r\n2\r\n1+3p+p^2\r\n[retards]\r\n0.5\r\n0\r\n";
    const test::resultat_processus r = varlem_calc({"systeme", chemin});
    ASSERT_EQ(r.statut, 0) << r.erreurs;
    const json_lu j = json_lu::analyser(r.sortie);
    EXPECT_EQ(j["fonctions"][0]["retard"].nombre(), 0.5);
    EXPECT_TRUE(j["fonctions"][1]["retard"].est_nul());
    EXPECT_EQ(r.erreurs, "");
    std::ofstream(chemin, std::ios::binary)
        << "2\r\n1\r\n1+p\r\n2\r\n1+3p+p^2\r\n[retards]\r\n0.5\r\n";
    const test::resultat_processus m = varlem_calc({"systeme", chemin});
    ASSERT_EQ(m.statut, 0);
    EXPECT_TRUE(json_lu::analyser(m.sortie)["fonctions"][0]["retard"].est_nul());
    EXPECT_NE(m.erreurs.find("Retards ignorés : le retard de la fonction n°2 manque."),
              std::string::npos);
}

} // namespace
} // namespace varlem
