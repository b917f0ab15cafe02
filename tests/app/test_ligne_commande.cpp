#include "app/ligne_commande.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varlem {
namespace {

struct cas_ligne {
    std::vector<std::string> arguments;
    const char* attendu; // "aide", "version" or "" (the program starts)
};

TEST(LigneCommandeTest, AideEtVersionAvantToutesFenetres) {
    const cas_ligne cas[] = {
        {{}, ""},
        {{"systeme.fdt"}, ""},
        {{"-platform", "offscreen", "systeme.fdt"}, ""},
        {{"--help"}, "aide"},
        {{"-h"}, "aide"},
        {{"--version"}, "version"},
        {{"-v"}, "version"},
        {{"systeme.fdt", "--version"}, "version"},
        {{"--version", "--help"}, "version"}, // the first asked wins
        {{"--aide"}, ""},
        {{"-help"}, ""}, // a Qt-style single dash is not ours
    };
    for (const auto& c : cas) {
        const auto r = reponse_ligne_commande(c.arguments);
        const std::string attendu = c.attendu;
        const std::string ligne = c.arguments.empty() ? "(rien)" : c.arguments.front();
        if (attendu.empty()) {
            EXPECT_FALSE(r.has_value()) << ligne;
        } else {
            ASSERT_TRUE(r.has_value()) << ligne;
            EXPECT_EQ(*r, attendu == "aide" ? texte_aide() : texte_version()) << ligne;
        }
    }
}

TEST(LigneCommandeTest, TextesEnFrancais) {
    const std::string v = texte_version();
    EXPECT_EQ(v.rfind("Varlem ", 0), 0u);
    ASSERT_GT(v.size(), 8u);
    EXPECT_TRUE(v[7] >= '1' && v[7] <= '9') << v;
    EXPECT_EQ(v.back(), '\n');
    const std::string a = texte_aide();
    EXPECT_EQ(a.rfind("Usage : varlem [FICHIER.fdt]\n", 0), 0u);
    for (const char* option : {"--help", "--version", "Étude des systèmes", "varlem-calc"})
        EXPECT_NE(a.find(option), std::string::npos) << option;
    EXPECT_EQ(a.back(), '\n');
}

} // namespace
} // namespace varlem
