// The text of the "Stabilité" window: which loop and polynomial, Routh's table and counts, the
// stable gains with the current gain among them and the Nyquist verdict, and the three criteria
// agreeing with one another.
#include "studies/etude_stabilite.h"

#include "document/boucle.h"
#include "document/outils_document.h"
#include "numeric/routh.h"
#include "studies/texte_stabilite.h"

#include <gtest/gtest.h>

namespace varlem {
namespace {

using test::systeme_tape;

bool contient(const std::string& texte, const std::string& morceau) {
    return texte.find(morceau) != std::string::npos;
}

TEST(EtudeStabiliteTest, DenominateurDeLaFonctionEnBoucleOuverte) {
    auto s = systeme_tape({{"1", "p^5+2p^4+3p^3+6p^2+5p+3"}});
    const std::string t = texte_etude_stabilite(*s);
    EXPECT_EQ(t.rfind("Fonction n°1 en retour unitaire : 1 + K·G = 0 avec G la fonction et K = 1."
                      "\r\nLe tableau de Routh porte sur le dénominateur de la fonction.\r\n",
                      0),
              0u);
    EXPECT_TRUE(contient(t, texte_tableau_routh(table_routh(s->fonctions[1].fonction.den), 'p')));
    EXPECT_TRUE(contient(t, "Ligne p³ : le premier terme est nul"));
    EXPECT_TRUE(contient(t, "Racines à partie réelle positive : 2\r\n"));
    EXPECT_TRUE(contient(t, "P = 2, "));
    EXPECT_FALSE(contient(t, "Retard"));
    // The window's text from its kept gains is the same.
    const auto b = boucle_stabilite_systeme(*s);
    ASSERT_TRUE(b);
    EXPECT_EQ(texte_etude_stabilite(*s, *b, gains_stables_boucle(*b)), t);
    s->nb_fonctions = 0;
    EXPECT_EQ(texte_etude_stabilite(*s), "Pas de fonction à étudier.\r\n");
}

TEST(EtudeStabiliteTest, BoucleFermeeEtSonGain) {
    auto s = systeme_tape({{"1", "(p)(1+p)(2+p)"}});
    reglages r;
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    struct cas {
        double kp;
        const char* phrase;
        const char* nyquist;
    };
    const cas liste[] = {
        {3, "K = 3 : dans les gains stables (0 < K < 6), la boucle fermée est stable.",
         "P = 0, N = 0 donc Z = 0 : la boucle fermée est stable."},
        {6, "K = 6 : à la limite des gains stables, la boucle fermée n'est pas stable.",
         "Le lieu de Nyquist passe par le point critique -1"},
        {8, "K = 8 : hors des gains stables (au-delà de 6), la boucle fermée est instable.",
         "P = 0, N = 2 donc Z = 2 : la boucle fermée est instable."},
    };
    for (const cas& c : liste) {
        SCOPED_TRACE(c.kp);
        ASSERT_TRUE(regler_correcteur(*s, c.kp, 10, 0, false));
        const std::string t = texte_etude_stabilite(*s);
        EXPECT_TRUE(contient(t, "Boucle de la fonction n°1 : 1 + K·G = 0"));
        EXPECT_TRUE(contient(t, "polynôme caractéristique D + K·N"));
        EXPECT_TRUE(contient(t, "Gains stables : 0 < K < 6.\r\n"));
        EXPECT_TRUE(contient(t, c.phrase));
        EXPECT_TRUE(contient(t, c.nyquist));
    }
}

// For loops and gains of every kind, Routh's count of D + K·N, Nyquist's Z and the stable gains
// tell the same thing.
TEST(EtudeStabiliteTest, LesTroisCriteresSAccordent) {
    const std::pair<const char*, const char*> boucles[] = {
        {"1", "(p)(1+p)(2+p)"},  {"1+0.5p", "(p)(1+p)(3+p)(5+p)"},  {"1", "(-1+p)(2+p)"},
        {"1+p", "(p)(p)(10+p)"}, {"(1+p)(1+p)", "(p)(-1+p)(20+p)"}, {"1", "(1+p)(1+0.2p+p^2)"},
    };
    for (const auto& [num, den] : boucles) {
        auto s = systeme_tape({{num, den}});
        reglages r;
        ASSERT_TRUE(fermer_boucle(*s, r).effectue);
        const auto b0 = boucle_stabilite_systeme(*s);
        ASSERT_TRUE(b0);
        const std::vector<intervalle_gains> gains = gains_stables_boucle(*b0);
        for (const double k : {0.05, 0.3, 1.0, 2.7, 7.0, 19.0, 55.0, 300.0}) {
            SCOPED_TRACE(std::string(num) + "/" + den + " K = " + std::to_string(k));
            ASSERT_TRUE(regler_correcteur(*s, k, 10, 0, false));
            const auto b = boucle_stabilite_systeme(*s);
            ASSERT_TRUE(b);
            const comptes_racines c = table_routh(polynome_routh_stabilite(*b)).racines;
            const verdict_nyquist v = verdict_boucle(*b, k);
            ASSERT_TRUE(v.Z);
            EXPECT_EQ(*v.Z, c.partie_reelle_positive);
            EXPECT_EQ(v.stable, c.partie_reelle_positive == 0 && c.axe_imaginaire == 0);
            bool dans = false;
            for (const intervalle_gains& g : gains) dans = dans || (k > g.k_min && k < g.k_max);
            EXPECT_EQ(dans, v.stable);
        }
    }
}

TEST(EtudeStabiliteTest, RetardDit) {
    auto s = systeme_tape({{"1", "(1+p)(1+0.5p)"}});
    s->fonctions[1].fonction.retard = 0.5;
    const std::string t = texte_etude_stabilite(*s);
    const auto b = boucle_stabilite_systeme(*s);
    ASSERT_TRUE(b);
    EXPECT_TRUE(contient(t, "\r\n\r\n" + texte_retard_stabilite(*b) + "\r\n"));
    // The table is the function's own denominator, which the delay leaves alone.
    EXPECT_TRUE(contient(t, texte_tableau_routh(table_routh(s->fonctions[1].fonction.den), 'p')));
    EXPECT_TRUE(contient(t, "P = 0, N = 0 donc Z = 0"));
}

} // namespace
} // namespace varlem
