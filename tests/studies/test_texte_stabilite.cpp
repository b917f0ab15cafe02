#include "studies/texte_stabilite.h"

#include <gtest/gtest.h>

#include <cmath>

namespace varlem {
namespace {

tableau_routh table(std::initializer_list<double> c) {
    const std::vector<double> v(c);
    return table_routh(v.data(), static_cast<int>(v.size()) - 1);
}

TEST(TexteStabiliteTest, TermesDuTableau) {
    const std::pair<terme_routh, const char*> cas[] = {
        {{1, 0}, "1"},      {{3.5, 0}, "3.5"}, {{0.5, 0}, ".5"},     {{0, 0}, "0"},
        {{1, 1}, "ε"},      {{-1, 1}, "-ε"},   {{2, 1}, "2ε"},       {{3, 2}, "3ε²"},
        {{-7, -1}, "-7/ε"}, {{7, -2}, "7/ε²"}, {{1500, 0}, "1.5E3"},
    };
    for (const auto& [t, attendu] : cas) EXPECT_EQ(texte_terme_routh(t), attendu);
}

// Columns right-aligned to their widest entry, three blanks apart, ε written out.
TEST(TexteStabiliteTest, TableauEnColonnes) {
    EXPECT_EQ(texte_tableau_routh(table({3, 5, 6, 3, 2, 1}), 'p'), "p⁵ |      1     3   5\r\n"
                                                                   "p⁴ |      2     6   3\r\n"
                                                                   "p³ |      ε   3.5\r\n"
                                                                   "p² |   -7/ε     3\r\n"
                                                                   "p¹ |    3.5\r\n"
                                                                   "p⁰ |      3\r\n");
    EXPECT_EQ(texte_tableau_routh(table({2, 1}), 's'), "s¹ |   1\r\ns⁰ |   2\r\n");
    const std::string long_ = texte_tableau_routh(table({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}), 'p');
    EXPECT_EQ(long_.rfind("p¹¹ |", 0), 0u);
    EXPECT_NE(long_.find("\r\np⁰  |"), std::string::npos);
    EXPECT_EQ(texte_tableau_routh(table({0}), 'p'), "Le polynôme est nul.\r\n");
}

TEST(TexteStabiliteTest, PhrasesDesCasParticuliers) {
    const tableau_routh a = table({3, 5, 6, 3, 2, 1});
    ASSERT_EQ(a.cas.size(), 1u);
    EXPECT_EQ(phrase_cas_routh(a.cas[0], 'p'),
              "Ligne p³ : le premier terme est nul sans que toute la ligne le soit ; il est "
              "remplacé par ε, petit et positif (ε → 0⁺).");
    const tableau_routh b = table({56, 8, 42, 6, 7, 1});
    ASSERT_EQ(b.cas.size(), 1u);
    EXPECT_EQ(phrase_cas_routh(b.cas[0], 'p'),
              "Ligne p³ : la ligne est entièrement nulle ; elle est remplacée par la dérivée du "
              "polynôme auxiliaire formé sur la ligne p⁴, A(p) = 7p⁴ + 42p² + 56, soit A′(p) = "
              "28p³ + 84p. Les racines de A, symétriques par rapport à l'origine, sont aussi "
              "racines du polynôme.");
    // A root at 0: the auxiliary polynomial of the last row.
    const tableau_routh c = table({0, -1, 1});
    ASSERT_EQ(c.cas.size(), 1u);
    EXPECT_NE(phrase_cas_routh(c.cas[0], 's').find("A(s) = -s, soit A′(s) = -1."),
              std::string::npos);
}

TEST(TexteStabiliteTest, Comptes) {
    EXPECT_EQ(texte_comptes_racines({2, 0, 3}),
              "Racines à partie réelle positive : 2\r\nRacines sur l'axe imaginaire : 0\r\n"
              "Racines à partie réelle négative : 3\r\n");
}

TEST(TexteStabiliteTest, GainsStablesEtGainCourant) {
    const std::vector<intervalle_gains> a = {{0, 6}};
    EXPECT_EQ(texte_gains_stables(a), "Gains stables : 0 < K < 6.");
    EXPECT_EQ(texte_gain_courant(a, 3),
              "K = 3 : dans les gains stables (0 < K < 6), la boucle fermée est stable.");
    EXPECT_EQ(texte_gain_courant(a, 6),
              "K = 6 : à la limite des gains stables, la boucle fermée n'est pas stable.");
    EXPECT_EQ(texte_gain_courant(a, 10),
              "K = 10 : hors des gains stables (au-delà de 6), la boucle fermée est instable.");
    const std::vector<intervalle_gains> b = {{0, 1}, {2, HUGE_VAL}};
    EXPECT_EQ(texte_gains_stables(b), "Gains stables : 0 < K < 1 ou K > 2.");
    EXPECT_EQ(texte_gain_courant(b, 1.5),
              "K = 1.5 : hors des gains stables (entre 1 et 2), la boucle fermée est instable.");
    EXPECT_EQ(texte_gain_courant(b, 20),
              "K = 20 : dans les gains stables (K > 2), la boucle fermée est stable.");
    const std::vector<intervalle_gains> c = {{2, HUGE_VAL}};
    EXPECT_EQ(texte_gain_courant(c, 0.5),
              "K = .5 : hors des gains stables (en deçà de 2), la boucle fermée est instable.");
    EXPECT_EQ(texte_gains_stables({}), "Aucun gain K > 0 ne rend la boucle fermée stable.");
    EXPECT_EQ(texte_gain_courant({}, 1), "K = 1 : la boucle fermée n'est pas stable.");
}

TEST(TexteStabiliteTest, VerdictDeNyquist) {
    verdict_nyquist v;
    v.valide = true;
    v.N = 0;
    v.Z = 0;
    v.stable = true;
    EXPECT_EQ(texte_verdict_nyquist(v),
              "P = 0, N = 0 donc Z = 0 : la boucle fermée est stable.\r\n"
              "Critère du revers : la boucle ouverte n'ayant pas de pôle à partie réelle "
              "positive, la boucle fermée est stable si le lieu de Nyquist, parcouru dans le sens "
              "des ω croissants, laisse le point critique -1 à sa gauche.\r\n");
    v.P = 1;
    v.N = -1;
    v.poles_axe = 1;
    EXPECT_EQ(texte_verdict_nyquist(v),
              "Le contour de Nyquist contourne par la droite le pôle de la boucle ouverte situé "
              "sur l'axe imaginaire, qui ajoute un demi-tour à l'infini au lieu.\r\n"
              "P = 1, N = -1 donc Z = 0 : la boucle fermée est stable.\r\n");
    v.P = 0;
    v.N = 2;
    v.Z = 2;
    v.stable = false;
    v.poles_axe = 0;
    EXPECT_EQ(
        texte_verdict_nyquist(v).rfind(
            "P = 0, N = 2 donc Z = 2 : la boucle fermée est instable.\r\nCritère du revers", 0),
        0u);
    v.N.reset();
    v.Z.reset();
    EXPECT_EQ(
        texte_verdict_nyquist(v).rfind("Le lieu de Nyquist passe par le point critique -1", 0), 0u);
}

TEST(TexteStabiliteTest, EtudeComplete) {
    verdict_nyquist v;
    v.valide = true;
    v.N = v.Z = 0;
    v.stable = true;
    const std::string t = texte_stabilite(table({6, 2, 3, 1}), 'p', {{0, 6}}, 3, v);
    const auto avant = [&](const char* a, const char* b) {
        return t.find(a) != std::string::npos && t.find(a) < t.find(b);
    };
    EXPECT_EQ(t.rfind("Critère de Routh\r\n\r\np³ |", 0), 0u);
    EXPECT_TRUE(avant("Racines sur l'axe imaginaire : 2", "Gains stables\r\n"));
    EXPECT_TRUE(avant("la dérivée du polynôme auxiliaire", "Racines à partie réelle positive"));
    EXPECT_TRUE(avant("Gains stables : 0 < K < 6.", "Critère de Nyquist"));
    EXPECT_TRUE(avant("K = 3 : dans les gains stables", "P = 0, N = 0 donc Z = 0"));
}

} // namespace
} // namespace varlem
