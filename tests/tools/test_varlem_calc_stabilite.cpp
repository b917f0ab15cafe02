// varlem-calc lieu, routh and nyquist: the reference cases end to end, the fields in their
// order, the loop options, refusals.
#include "support/json_lu.h"
#include "support/processus.h"
#include "support/reference_stabilite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace varlem {
namespace {

using test::json_lu;

std::string joindre(const std::vector<std::string>& v) {
    std::string t;
    for (const auto& e : v) t += "\n  " + e;
    return t;
}

TEST(VarlemCalcStabiliteTest, CasDeReference) {
    for (const auto& c : test::cas_lieu_references()) {
        const json_lu j = test::varlem_calc_json({"lieu", "--", c.num, c.den});
        const auto e = test::ecarts_points_lieu(test::points_lieu_lus(j), c.attendu);
        EXPECT_TRUE(e.empty()) << c.id << joindre(e);
    }
    for (const auto& c : test::cas_routh_references()) {
        const json_lu r = test::varlem_calc_json({"routh", "--", c.poly})["racines"];
        EXPECT_EQ(r["partie_reelle_positive"].nombre(), c.attendu.partie_reelle_positive) << c.id;
        EXPECT_EQ(r["axe_imaginaire"].nombre(), c.attendu.axe_imaginaire) << c.id;
        EXPECT_EQ(r["partie_reelle_negative"].nombre(), c.attendu.partie_reelle_negative) << c.id;
    }
    for (const auto& c : test::cas_nyquist_references()) {
        std::ostringstream kp;
        kp.precision(17);
        kp << c.kp;
        const json_lu j = test::varlem_calc_json({"nyquist", "--kp", kp.str(), "--", c.num, c.den});
        EXPECT_EQ(j["P"].nombre(), c.P) << c.id;
        EXPECT_EQ(j["N"].nombre(), c.N) << c.id;
        EXPECT_EQ(j["Z"].nombre(), c.Z) << c.id;
        EXPECT_EQ(j["stable"].booleen(), c.stable) << c.id;
    }
}

TEST(VarlemCalcStabiliteTest, ChampsDuLieu) {
    const test::resultat_processus r = test::varlem_calc({"lieu", "--", "2+p", "(p)(1+p)(3+p)"});
    ASSERT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_EQ(r.sortie.rfind("{\"asymptotes\": {\"centre\": -1, \"angles_deg\": [90, 270]}, "
                             "\"points_separation\": [{\"re\": ",
                             0),
              0u)
        << r.sortie;
    const json_lu j = json_lu::analyser(r.sortie);
    for (const char* cle : {"croisements_imaginaire", "angles_depart_deg", "angles_arrivee_deg"})
        EXPECT_EQ(j[cle].taille(), 0u) << cle;
    EXPECT_TRUE(j["gains_stables"][0]["k_max"].est_nul());
    // Three branches sampled at one list of gains, starting at the poles.
    const json_lu b = j["branches"];
    ASSERT_EQ(b.taille(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(b[i].taille(), b[0].taille());
        EXPECT_EQ(b[i][0]["k"].nombre(), 0);
        for (std::size_t s = 0; s < b[0].taille(); s += 17)
            EXPECT_EQ(b[i][s]["k"].nombre(), b[0][s]["k"].nombre());
    }
    EXPECT_EQ(b[0][0]["re"].nombre(), -3);
    EXPECT_EQ(b[2][0]["re"].nombre(), 0);
    EXPECT_FALSE(j.contient("branches_complementaires"));
    // Complex poles give departure angles; the complementary locus on demand.
    const json_lu c =
        test::varlem_calc_json({"lieu", "--complementaire", "--", "1", "(p)(4+p)(20+4p+p^2)"});
    ASSERT_EQ(c["angles_depart_deg"].taille(), 2u);
    EXPECT_NEAR(c["angles_depart_deg"][1]["angle"].nombre(), -90, 1e-9);
    EXPECT_EQ(c["points_separation"].taille(), 3u);
    ASSERT_TRUE(c.contient("branches_complementaires"));
    EXPECT_LT(c["branches_complementaires"][0][5]["k"].nombre(), 0);
}

// A point at infinity is written null: the branch that comes from infinity at K = 0.
TEST(VarlemCalcStabiliteTest, BrancheVenueDeLInfini) {
    const json_lu j = test::varlem_calc_json({"lieu", "--", "(1+p)(1+p)", "p"});
    const json_lu b = j["branches"];
    ASSERT_EQ(b.taille(), 2u);
    EXPECT_TRUE(b[1][0]["re"].est_nul());
    EXPECT_FALSE(b[1][1]["re"].est_nul());
    EXPECT_EQ(j["asymptotes"]["centre"].nombre(), -2);
    const json_lu egal = test::varlem_calc_json({"lieu", "--", "1-p", "2+p"});
    EXPECT_TRUE(egal["asymptotes"]["centre"].est_nul());
    EXPECT_EQ(egal["asymptotes"]["angles_deg"].taille(), 0u);
}

TEST(VarlemCalcStabiliteTest, TableauDeRouth) {
    const test::resultat_processus r =
        test::varlem_calc({"routh", "--", "3+5p+6p^2+3p^3+2p^4+p^5"});
    ASSERT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_EQ(r.sortie,
              "{\"tableau\": [[1, 3, 5], [2, 6, 3], [\"ε\", 3.5], [\"-7/ε\", 3], [3.5], [3]], "
              "\"cas_particuliers\": [{\"ligne\": 3, \"genre\": \"zero_premiere_colonne\"}], "
              "\"racines\": {\"partie_reelle_positive\": 2, \"axe_imaginaire\": 0, "
              "\"partie_reelle_negative\": 3}}\n");
    const json_lu b =
        test::varlem_calc_json({"routh", "--variable", "s", "--", "56+8s+42s^2+6s^3+7s^4+s^5"});
    EXPECT_EQ(b["cas_particuliers"][0]["genre"].chaine(), "ligne_nulle");
    EXPECT_EQ(b["tableau"][2][1].nombre(), 84);
    EXPECT_EQ(b["racines"]["axe_imaginaire"].nombre(), 4);
}

// NUM DEN: the denominator alone; with a loop option, D + K·N at K = kp.
TEST(VarlemCalcStabiliteTest, RouthDeLaBoucle) {
    const json_lu seul = test::varlem_calc_json({"routh", "--", "1", "(p)(1+p)(2+p)"});
    EXPECT_EQ(seul["racines"]["axe_imaginaire"].nombre(), 1);
    const json_lu limite =
        test::varlem_calc_json({"routh", "--kp", "6", "--", "1", "(p)(1+p)(2+p)"});
    EXPECT_EQ(limite["racines"]["axe_imaginaire"].nombre(), 2);
    EXPECT_EQ(limite["cas_particuliers"][0]["ligne"].nombre(), 1);
    const json_lu instable =
        test::varlem_calc_json({"routh", "--kp", "10", "--", "1", "(p)(1+p)(2+p)"});
    EXPECT_EQ(instable["racines"]["partie_reelle_positive"].nombre(), 2);
    // A PI corrector: (1 + 2p) over 2p times the function, at K = 3.
    const json_lu pi = test::varlem_calc_json(
        {"routh", "--kp", "3", "--ti", "2", "--avec-i", "--", "1", "(1+p)(1+p)"});
    EXPECT_EQ(pi["tableau"].taille(), 4u);
    EXPECT_EQ(pi["tableau"][0][0].nombre(), 2);
    EXPECT_EQ(pi["racines"]["partie_reelle_negative"].nombre(), 3);
}

TEST(VarlemCalcStabiliteTest, NyquistDeLaBoucle) {
    const json_lu un = test::varlem_calc_json({"nyquist", "--", "1", "(p)(1+p)(2+p)"});
    EXPECT_EQ(un["N"].nombre(), 0);
    EXPECT_TRUE(un["stable"].booleen());
    const json_lu limite =
        test::varlem_calc_json({"nyquist", "--kp", "6", "--", "1", "(p)(1+p)(2+p)"});
    EXPECT_TRUE(limite["N"].est_nul());
    EXPECT_TRUE(limite["Z"].est_nul());
    EXPECT_FALSE(limite["stable"].booleen());
    const json_lu retour = test::varlem_calc_json(
        {"nyquist", "--kp", "2", "--retour", "1", "1+0.5p", "--", "1", "(p)(1+p)"});
    EXPECT_EQ(retour["Z"].nombre(), 0);
}

TEST(VarlemCalcStabiliteTest, Refus) {
    EXPECT_EQ(test::varlem_calc({"lieu", "--", "1+", "1+p"}).statut, 2);
    EXPECT_EQ(test::varlem_calc({"lieu", "1"}).statut, 1);
    EXPECT_EQ(test::varlem_calc({"routh", "--", "p^"}).statut, 2);
    EXPECT_EQ(test::varlem_calc({"routh", "--kp", "2", "--", "1+p"}).statut, 1);
    EXPECT_EQ(test::varlem_calc({"nyquist", "--ti", "0", "--avec-i", "--", "1", "1+p"}).statut, 2);
    EXPECT_EQ(test::varlem_calc({"nyquist", "--variable", "x", "--", "1", "1+p"}).statut, 1);
}

} // namespace
} // namespace varlem
