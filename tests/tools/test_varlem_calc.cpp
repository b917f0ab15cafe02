// varlem-calc end to end: the reference cases once through the command line, and its contract
// (JSON on standard output, status 1 with usage for a bad command line, 2 for a rejected function).
#include "support/json_lu.h"
#include "support/processus.h"
#include "support/reference.h"

#include "support/genres.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

namespace varlem {
namespace {

using test::json_lu;
using test::varlem_calc;

std::string liste(const std::vector<double>& v) {
    std::ostringstream s;
    s.precision(17);
    for (std::size_t i = 0; i < v.size(); ++i) s << (i ? "," : "") << v[i];
    return s.str();
}

TEST(VarlemCalcTest, CasDeReferenceDeBoutEnBout) {
    for (const auto& c : test::cas_references()) {
        SCOPED_TRACE(c.id);
        const std::string var(1, c.variable);
        const auto a = varlem_calc({"analyse", "--variable", var, "--", c.num_text, c.den_text});
        ASSERT_EQ(a.statut, 0) << a.erreurs;
        const json_lu j = json_lu::analyser(a.sortie);
        ASSERT_TRUE(j.valide()) << a.sortie;
        EXPECT_FALSE(j["erreur_syntaxe"].booleen());
        EXPECT_NEAR(j["gain"].nombre(), c.gain, 1e-12 * std::fabs(c.gain));
        ASSERT_EQ(j["den"].taille(), c.den.size());
        ASSERT_EQ(j["termes"].taille(), c.den.size() - 1);
        EXPECT_EQ(j["terme_direct"].est_nul(), !c.a_terme_direct);

        std::vector<double> w;
        for (const auto& f : c.frequence) w.push_back(f.omega);
        const auto fr =
            varlem_calc({"frequence", "--omega", liste(w), "--", c.num_text, c.den_text});
        ASSERT_EQ(fr.statut, 0) << fr.erreurs;
        const json_lu jf = json_lu::analyser(fr.sortie);
        ASSERT_EQ(jf["points"].taille(), w.size());
        for (std::size_t i = 0; i < w.size(); ++i) {
            const auto& f = c.frequence[i];
            const json_lu p = jf["points"][i];
            EXPECT_EQ(p["omega"].nombre(), f.omega); // 17 digits give the pulsation back exactly
            EXPECT_NEAR(p["re"].nombre(), f.re, 1e-9 * std::hypot(f.re, f.im));
            EXPECT_NEAR(p["gain_db"].nombre(), f.gain_db, 1e-6);
            EXPECT_NEAR(p["phase"].nombre(), f.phase, 1e-3);
        }

        const double tolerance = c.multiplicite_max() >= 4 ? 5e-3 : 3e-4;
        // The command line names the inputs by their letters.
        const std::map<entree_temps, std::string> lettres = {{entree_temps::impulsion, "I"},
                                                             {entree_temps::echelon, "E"},
                                                             {entree_temps::rampe, "R"},
                                                             {entree_temps::sinus, "S"}};
        for (const auto& [genre, attendu] : c.temps) {
            std::vector<std::string> args = {"temps", "--entree", lettres.at(genre), "--t",
                                             liste(c.t)};
            if (genre == entree_temps::sinus) {
                std::ostringstream a1, a2, a3;
                a1 << c.sinus_amplitude;
                a2 << c.sinus_pulsation;
                a3 << c.sinus_phase;
                args.insert(args.end(), {"--amplitude", a1.str(), "--pulsation", a2.str(),
                                         "--phase", a3.str()});
            }
            args.insert(args.end(), {"--", c.num_text, c.den_text});
            const auto tr = varlem_calc(args);
            ASSERT_EQ(tr.statut, 0) << tr.erreurs;
            const json_lu jt = json_lu::analyser(tr.sortie);
            ASSERT_EQ(jt["points"].taille(), c.t.size());
            double crete = 0;
            for (double y : attendu) crete = std::max(crete, std::fabs(y));
            for (std::size_t i = 0; i < c.t.size(); ++i)
                EXPECT_NEAR(jt["points"][i]["y"].nombre(), attendu[i], tolerance * crete)
                    << genre << " t=" << c.t[i];
        }
    }
}

struct cas_signe {
    std::vector<std::string> arguments;
    int statut;
    std::vector<double> num; // low powers first; for status 0
};

TEST(VarlemCalcTest, SigneDeTeteDuTexte) {
    // A leading "-" is the sign of the first term, as in the entry dialog. A text in "-4" or
    // "-1+p" is a positional argument as it stands; one in "-p" comes after "--".
    const cas_signe cas[] = {
        {{"analyse", "-4", "1+p"}, 0, {-4}},
        {{"analyse", "-1+p", "(1+p)(1+2p)"}, 0, {-1, 1}},
        {{"analyse", "--", "-p+1", "(-1+p)(2+p)"}, 0, {1, -1}},
        {{"analyse", "--", "1", "--p"}, 2, {}},
        {{"analyse", "--", "1+-p", "1+p"}, 2, {}},
        {{"analyse", "--", "1", "p^-2"}, 2, {}},
    };
    for (const auto& c : cas) {
        const auto r = varlem_calc(c.arguments);
        const std::string ligne = c.arguments[c.arguments.size() - 2];
        ASSERT_EQ(r.statut, c.statut) << ligne << r.erreurs;
        const json_lu j = json_lu::analyser(r.sortie);
        EXPECT_EQ(j["erreur_syntaxe"].booleen(), c.statut == 2) << ligne;
        ASSERT_EQ(j["num"].taille(), c.num.size()) << ligne;
        for (std::size_t k = 0; k < c.num.size(); ++k)
            EXPECT_EQ(j["num"][k].nombre(), c.num[k]) << ligne;
    }
}

TEST(VarlemCalcTest, FonctionRefuseeStatutDeux) {
    for (const auto& [num, den, syntaxe] :
         {std::tuple{"1", "1+p+", true}, {"1", "p^16", false}, {"1", "", true}}) {
        const auto r = varlem_calc({"analyse", "--", num, den});
        EXPECT_EQ(r.statut, 2) << den;
        const json_lu j = json_lu::analyser(r.sortie);
        ASSERT_TRUE(j.valide()) << r.sortie;
        EXPECT_EQ(j["erreur_syntaxe"].booleen(), syntaxe);
        EXPECT_EQ(j["erreur_degre"].booleen(), !syntaxe);
        EXPECT_FALSE(r.erreurs.empty());
    }
}

TEST(VarlemCalcTest, LigneDeCommandeIncorrecteStatutUn) {
    const std::vector<std::vector<std::string>> mauvaises = {
        {},
        {"inconnue"},
        {"analyse", "1"},
        {"analyse", "1", "1+p", "--variable", "x"},
        {"frequence", "1", "1+p", "--omega", "abc"},
        {"temps", "1", "1+p", "--entree", "Z", "--t", "1"},
    };
    for (const auto& args : mauvaises) {
        const auto r = varlem_calc(args);
        EXPECT_EQ(r.statut, 1) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.erreurs.find("varlem-calc"), std::string::npos);
        EXPECT_TRUE(r.sortie.empty());
    }
}

TEST(VarlemCalcTest, VariableS) {
    const auto r = varlem_calc({"analyse", "--variable", "s", "--", "1", "1+s"});
    ASSERT_EQ(r.statut, 0) << r.erreurs;
    const json_lu j = json_lu::analyser(r.sortie);
    EXPECT_DOUBLE_EQ(j["poles"][0][0].nombre(), -1.0);
    EXPECT_NE(j["decomposition"].chaine().find(" s - (-1)"), std::string::npos);
}

} // namespace
} // namespace varlem
