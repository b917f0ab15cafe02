// varlem-calc asymptotes and abaque end to end: the reference cases, the exact text of one
// answer, contours checked point by point from what was printed, and the refusals.
#include "analysis/asymptotes_bode.h"
#include "support/analyse_acceptee.h"
#include "support/donnees.h"
#include "support/json_lu.h"
#include "support/processus.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

namespace varlem {
namespace {

using test::json_lu;

TEST(VarlemCalcCoursTest, AsymptotesDeReference) {
    const json_lu ref = json_lu::lire_fichier(test::chemin_donnees("asymptotes.json"));
    ASSERT_GT(ref["cas"].taille(), 0u);
    for (std::size_t i = 0; i < ref["cas"].taille(); ++i) {
        const json_lu c = ref["cas"][i];
        SCOPED_TRACE(c["id"].chaine());
        std::vector<std::string> args = {"asymptotes"};
        if (c.contient("variable")) args.insert(args.end(), {"--variable", c["variable"].chaine()});
        args.insert(args.end(), {"--", c["num"].chaine(), c["den"].chaine()});
        const json_lu j = test::varlem_calc_json(args);
        const json_lu attendu = c["ref"];
        for (const char* partie : {"gain", "phase"}) {
            ASSERT_EQ(j[partie]["cassures"].taille(), attendu[partie]["cassures"].taille());
            for (std::size_t k = 0; k < j[partie]["cassures"].taille(); ++k) {
                const json_lu a = j[partie]["cassures"][k], b = attendu[partie]["cassures"][k];
                EXPECT_NEAR(a["omega"].nombre(), b["omega"].nombre(), 1e-9 * b["omega"].nombre());
                if (std::string(partie) == "gain")
                    EXPECT_EQ(a["pente_db_dec"].nombre(), b["pente_db_dec"].nombre());
                else
                    EXPECT_NEAR(a["phase_apres_deg"].nombre(), b["phase_apres_deg"].nombre(), 1e-6);
            }
        }
        EXPECT_EQ(j["gain"]["pente_initiale_db_dec"].nombre(),
                  attendu["gain"]["pente_initiale_db_dec"].nombre());
        EXPECT_NEAR(j["gain"]["gain_db_omega_1"].nombre(),
                    attendu["gain"]["gain_db_omega_1"].nombre(), 1e-9);
        EXPECT_NEAR(j["phase"]["initiale_deg"].nombre(), attendu["phase"]["initiale_deg"].nombre(),
                    1e-6);
    }
}

// The keys in their order, slopes as integers, and the library's doubles to the last digit.
TEST(VarlemCalcCoursTest, AsymptotesTexteExact) {
    const test::resultat_processus r =
        test::varlem_calc({"asymptotes", "--variable", "s", "--", "10", "(s^2)(1+0.5s)"});
    ASSERT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_EQ(r.sortie,
              "{\"gain\": {\"pente_initiale_db_dec\": -40, \"gain_db_omega_1\": 20, \"cassures\": "
              "[{\"omega\": 2, \"pente_db_dec\": -60}]}, \"phase\": {\"initiale_deg\": -180, "
              "\"cassures\": [{\"omega\": 2, \"phase_apres_deg\": -270}]}}\n");
    const json_lu j = test::varlem_calc_json({"asymptotes", "--", "1", "(1+0.3p)(1+0.7p+2p^2)"});
    const asymptotes_bode a =
        calculer_asymptotes(test::analyse_acceptee("1", "(1+0.3p)(1+0.7p+2p^2)"));
    ASSERT_EQ(j["gain"]["cassures"].taille(), a.cassures.size());
    for (std::size_t k = 0; k < a.cassures.size(); ++k)
        EXPECT_EQ(j["gain"]["cassures"][k]["omega"].nombre(), a.cassures[k].omega);
}

// Each printed point, read back from its 17 digits, lies on its contour; the points run over
// phases −360° to 0° and the closed contours span −180° ± asin(1/M).
TEST(VarlemCalcCoursTest, AbaquePointParPoint) {
    constexpr double degres = 180 / std::numbers::pi;
    const auto f = [&](const json_lu& q) {
        const std::complex<double> l = std::polar(std::pow(10.0, q["gain_db"].nombre() / 20),
                                                  q["phase_deg"].nombre() / degres);
        return l / (1.0 + l);
    };
    for (const double m : {-20.0, -3.0, 0.0, 2.3, 12.0}) {
        SCOPED_TRACE(m);
        const json_lu j = test::varlem_calc_json({"abaque", "--module-db", std::to_string(m)});
        ASSERT_GT(j["points"].taille(), 20u);
        double bas = 0, haut = -360;
        for (std::size_t i = 0; i < j["points"].taille(); ++i) {
            const json_lu q = j["points"][i];
            const double attendu = std::pow(10.0, m / 20);
            ASSERT_NEAR(std::abs(f(q)), attendu, 1e-9 * attendu);
            bas = std::min(bas, q["phase_deg"].nombre());
            haut = std::max(haut, q["phase_deg"].nombre());
        }
        EXPECT_GE(bas, -360);
        EXPECT_LE(haut, 0);
        if (m > 0) {
            const double demi = std::asin(std::pow(10.0, -m / 20)) * degres;
            EXPECT_NEAR(bas, -180 - demi, 0.05);
            EXPECT_NEAR(haut, -180 + demi, 0.05);
        }
    }
    for (const double p : {-150.0, -45.0, -1.0, 5.0, 120.0}) {
        SCOPED_TRACE(p);
        const json_lu j = test::varlem_calc_json(
            {"abaque", "--phase-deg", std::to_string(p), "--gain-min", "-30", "--gain-max", "40"});
        ASSERT_GT(j["points"].taille(), 20u);
        for (std::size_t i = 0; i < j["points"].taille(); ++i) {
            const json_lu q = j["points"][i];
            ASSERT_NEAR(std::arg(f(q)) * degres, p, 1e-9 * std::fabs(p));
            ASSERT_GE(q["gain_db"].nombre(), -30);
            ASSERT_LE(q["gain_db"].nombre(), 40);
        }
    }
}

TEST(VarlemCalcCoursTest, Refus) {
    EXPECT_EQ(test::varlem_calc({"asymptotes", "--", "1+", "1+p"}).statut, 2);
    EXPECT_EQ(test::varlem_calc({"asymptotes", "1"}).statut, 1);
    EXPECT_EQ(test::varlem_calc({"abaque"}).statut, 1);
    EXPECT_EQ(test::varlem_calc({"abaque", "--module-db", "1", "--phase-deg", "-30"}).statut, 1);
    EXPECT_EQ(test::varlem_calc({"abaque", "--phase-deg", "0"}).statut, 1);
    EXPECT_EQ(test::varlem_calc({"abaque", "--phase-deg", "-180"}).statut, 1);
    EXPECT_EQ(
        test::varlem_calc({"abaque", "--module-db", "3", "--gain-min", "5", "--gain-max", "1"})
            .statut,
        1);
}

} // namespace
} // namespace varlem
