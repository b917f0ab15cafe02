// varlem-calc's study commands: the prepared frequency and time studies, and plots into files.
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

TEST(VarlemCalcEtudesTest, EtudeFrequentielleDesPolesMoinsUnEtMoinsCent) {
    // Poles −1 and −100 in rad/s: decades −1..3, pulsations 0.1..1000.
    const json_lu rad = test::varlem_calc_json({"frequence", "--rad", "--", "1", "(1+p)(1+0.01p)"});
    EXPECT_EQ(rad["decade_min"].nombre(), -1);
    EXPECT_EQ(rad["decade_max"].nombre(), 3);
    EXPECT_NEAR(rad["w_min"].nombre(), 0.1, 1e-15);
    EXPECT_NEAR(rad["w_max"].nombre(), 1000, 1e-10);
    EXPECT_FALSE(rad["en_hertz"].booleen());
    // The same in hertz: decades −2..2 and pulsations 2π times 0.01..100.
    const json_lu hz = test::varlem_calc_json({"frequence", "--", "1", "(1+p)(1+0.01p)"});
    EXPECT_EQ(hz["decade_min"].nombre(), -2);
    EXPECT_EQ(hz["decade_max"].nombre(), 2);
    EXPECT_NEAR(hz["w_max"].nombre(), 2 * M_PI * 100, 1e-9);
    for (const char* cle : {"gain_min", "gain_max", "gain_pas", "phase_pas", "black_gain_pas",
                            "f_pas", "wl_pas", "re_min", "im_max", "module_max"})
        EXPECT_TRUE(std::isfinite(hz[cle].nombre())) << cle;
    const json_lu degres =
        test::varlem_calc_json({"frequence", "--degres", "--", "1", "(1+p)(1+0.01p)"});
    EXPECT_FALSE(degres["en_radians"].booleen());
    EXPECT_LE(degres["phase_min"].nombre(), -180 + 1e-9);
}

TEST(VarlemCalcEtudesTest, EtudeTemporelleEchelon) {
    const json_lu j =
        test::varlem_calc_json({"temps", "--entree", "E", "--points", "100", "--", "1", "(1+p)"});
    EXPECT_EQ(j["t_min"].nombre(), 0);
    EXPECT_GE(j["t_max"].nombre(), 10 * M_PI);
    const double dt = j["dt"].nombre();
    EXPECT_NEAR(dt, j["t_max"].nombre() / 100, 1e-12);
    const json_lu points = j["points"];
    ASSERT_GT(points.taille(), 90u);
    for (std::size_t i = 0; i < points.taille(); ++i) {
        const double t = points[i]["t"].nombre();
        EXPECT_NEAR(points[i]["y"].nombre(), 1 - std::exp(-t), 1e-9) << t;
    }
}

TEST(VarlemCalcEtudesTest, EtudeTemporelleCarre) {
    const json_lu j =
        test::varlem_calc_json({"temps", "--entree", "C", "--points", "200", "--frequence", "1",
                                "--periodes", "2", "--precision", "5", "--", "p", "1+p"});
    // Round(N/2) + 1 samples; p/(1+p) passes the square's jumps at once.
    ASSERT_EQ(j["points"].taille(), 101u);
    double maximum = 0;
    for (std::size_t i = 0; i < 101; ++i) maximum = std::max(maximum, j["points"][i]["y"].nombre());
    EXPECT_GT(maximum, 0.9);
}

TEST(VarlemCalcEtudesTest, TracerChaqueEtudeDansChaqueFormat) {
    // Each study once, the three formats in turn: the picture does not depend on the format.
    const std::string dossier = ::testing::TempDir();
    const char* const formats[] = {".png", ".svg", ".pdf"};
    int rang = 0;
    for (const char* etude : {"G", "P", "D", "M", "B", "N", "I", "E", "R", "S", "C", "T", "Z"}) {
        const char* extension = formats[rang++ % 3];
        const std::string fichier = dossier + "/etude_" + etude + extension;
        const auto r = varlem_calc({"tracer", "--etude", etude, "--fonction", "1",
                                    "(1+p)(1+0.2p+p^2)", "--fonction", "1+0.5p", "(1+2p)(1+p+p^2)",
                                    "--taille", "400x300", "-o", fichier});
        ASSERT_EQ(r.statut, 0) << etude << extension << r.erreurs;
        std::ifstream f(fichier, std::ios::binary);
        std::string debut(8, '\0');
        f.read(debut.data(), 8);
        const std::string ext = extension;
        const std::string attendu = ext == ".png" ? "\x89PNG" : ext == ".pdf" ? "%PDF" : "<?xml";
        EXPECT_EQ(debut.substr(0, attendu.size()), attendu) << etude << ext;
        std::remove(fichier.c_str());
    }
}

TEST(VarlemCalcEtudesTest, TracerRefuseLesMauvaisesOptions) {
    const std::string fichier = ::testing::TempDir() + "/x.png";
    EXPECT_EQ(varlem_calc({"tracer", "--etude", "G", "--fonction", "1", "1+p", "--taille", "0x10",
                           "-o", fichier})
                  .statut,
              1);
    EXPECT_EQ(
        varlem_calc({"tracer", "--etude", "X", "--fonction", "1", "1+p", "-o", fichier}).statut, 1);
    EXPECT_EQ(
        varlem_calc({"tracer", "--etude", "G", "--fonction", "1", "1+p", "-o", fichier + ".gif"})
            .statut,
        1);
    EXPECT_EQ(
        varlem_calc({"tracer", "--etude", "G", "--fonction", "1", "1+p+", "-o", fichier}).statut,
        2);
    EXPECT_EQ(
        varlem_calc({"tracer", "--etude", "G", "--fonction", "1", "1+p", "-o", "/inexistant/x.png"})
            .statut,
        3);
}

} // namespace
} // namespace varlem
