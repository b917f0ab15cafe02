// varlem-calc caracteristiques: the reference cases end to end, the loop options, refusals.
#include "analysis/caracteristiques.h"
#include "support/json_lu.h"
#include "support/processus.h"
#include "support/reference_caracteristiques.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace varlem {
namespace {

using test::json_lu;

std::vector<std::string> arguments(const test::cas_caracteristiques& c) {
    std::vector<std::string> a = {"caracteristiques"};
    if (c.variable != 'p') a.insert(a.end(), {"--variable", std::string(1, c.variable)});
    a.insert(a.end(), {"--", c.num_saisi, c.den});
    return a;
}

TEST(VarlemCalcCaracteristiquesTest, CasDeReference) {
    for (const auto& c : test::cas_caracteristiques_reference()) {
        const json_lu j = test::varlem_calc_json(arguments(c));
        const auto ecarts =
            test::ecarts_caracteristiques(test::caracteristiques_lues(j), c.attendu);
        std::string t;
        for (const auto& e : ecarts) t += "\n  " + e;
        EXPECT_TRUE(ecarts.empty()) << c.id << t;
    }
}

// The fields in their order, numbers that read back to the library's doubles exactly, and an
// unstable step reduced to its flag.
TEST(VarlemCalcCaracteristiquesTest, ChampsEtChiffres) {
    const test::resultat_processus r =
        test::varlem_calc({"caracteristiques", "--", "1", "1+p+p^2"});
    ASSERT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_EQ(r.sortie.rfind(
                  "{\"marges\": {\"croisements_gain\": [{\"omega\": 1, \"phase_deg\": -90, "
                  "\"marge_phase_deg\": 90}], \"croisements_phase\": [], \"marge_gain_db\": null, "
                  "\"omega_marge_gain\": null, \"marge_phase_deg\": 90, \"omega_marge_phase\": 1, "
                  "\"marge_retard\": 1.5707963267948966}, "
                  "\"bande_passante\": ",
                  0),
              0u)
        << r.sortie;
    EXPECT_NE(r.sortie.find(
                  "\"indicielle\": {\"stable\": true, \"valeur_finale\": 1, \"temps_montee\": "),
              std::string::npos);
    const json_lu j = json_lu::analyser(r.sortie);
    fdt f;
    f.num.coef[0] = {1, 0};
    f.den.degre = 2;
    f.den.coef[0] = f.den.coef[1] = f.den.coef[2] = {1, 0};
    EXPECT_EQ(j["bande_passante"].nombre(), calculer_bande_passante(f).value());
    EXPECT_EQ(j["indicielle"]["temps_reponse_2"].nombre(),
              calculer_indicielle(f).temps_reponse_2.value());

    const json_lu instable = test::varlem_calc_json({"caracteristiques", "--", "1", "(p)(1+p)"});
    EXPECT_EQ(instable["indicielle"].taille(), 1u);
    EXPECT_FALSE(instable["indicielle"]["stable"].booleen());
    EXPECT_TRUE(instable["bande_passante"].est_nul());
    EXPECT_TRUE(instable["resonance"].est_nul());
}

// With a loop option the margins are those of C·T·R and the rest that of the closed loop:
// 1/(p(1+p)) looped with C = 1 is the second order m = 0.5 of the references.
TEST(VarlemCalcCaracteristiquesTest, BoucleFermee) {
    const json_lu j =
        test::varlem_calc_json({"caracteristiques", "--kp", "1", "--", "1", "(p)(1+p)"});
    EXPECT_NEAR(j["marges"]["omega_marge_phase"].nombre(), std::sqrt((std::sqrt(5.0) - 1) / 2),
                1e-14);
    const auto& ref = test::cas_caracteristiques_reference();
    const auto m05 = std::find_if(ref.begin(), ref.end(),
                                  [](const auto& e) { return e.id == "pub_second_ordre_m05"; });
    ASSERT_NE(m05, ref.end());
    caracteristiques attendu = m05->attendu;
    caracteristiques lu = test::caracteristiques_lues(j);
    attendu.marges = lu.marges;
    EXPECT_TRUE(test::ecarts_caracteristiques(lu, attendu).empty());

    // A PI corrector and a return path: the open loop's margins differ from the function's.
    const json_lu pi =
        test::varlem_calc_json({"caracteristiques", "--kp", "2", "--ti", "5", "--avec-i",
                                "--retour", "1", "1+0.1p", "--", "1", "(1+p)(1+2p)"});
    const json_lu seul = test::varlem_calc_json({"caracteristiques", "--", "1", "(1+p)(1+2p)"});
    EXPECT_TRUE(seul["marges"]["marge_phase_deg"].est_nul());
    EXPECT_FALSE(pi["marges"]["marge_phase_deg"].est_nul());
    EXPECT_TRUE(pi["indicielle"]["stable"].booleen());
    EXPECT_NEAR(pi["indicielle"]["valeur_finale"].nombre(), 1, 1e-12);
}

TEST(VarlemCalcCaracteristiquesTest, Refus) {
    const auto refusee = test::varlem_calc({"caracteristiques", "--", "1+", "1+p"});
    EXPECT_EQ(refusee.statut, 2);
    EXPECT_NE(refusee.erreurs.find("erreur de syntaxe"), std::string::npos);
    EXPECT_EQ(
        test::varlem_calc({"caracteristiques", "--retour", "1", "q", "--", "1", "1+p"}).statut, 2);
    EXPECT_EQ(
        test::varlem_calc({"caracteristiques", "--ti", "0", "--avec-i", "--", "1", "1+p"}).statut,
        2);
    EXPECT_EQ(test::varlem_calc({"caracteristiques", "1"}).statut, 1);
    EXPECT_EQ(test::varlem_calc({"caracteristiques", "--variable", "x", "--", "1", "1+p"}).statut,
              1);
}

} // namespace
} // namespace varlem
