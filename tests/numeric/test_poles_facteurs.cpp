#include "numeric/poles_facteurs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace varlem {
namespace {

struct recherche {
    bool trouve;
    liste_racines poles;
    bool syntaxe;
};

recherche chercher(const std::string& texte) {
    contexte_calcul ctx;
    ctx.graine = 7;
    ctx.erreur_syntaxe = true; // must be cleared on entry
    recherche r{false, {}, false};
    r.poles[0] = {99, 99}; // marker: must stay when nothing is found
    r.trouve = poles_par_facteurs(ctx, texte, r.poles);
    r.syntaxe = ctx.erreur_syntaxe;
    return r;
}

TEST(PolesFacteursTest, PolesDansLOrdreDesFacteurs) {
    const recherche r = chercher("(1+p)(1+2p)(1+p+p^2)");
    ASSERT_TRUE(r.trouve);
    EXPECT_FALSE(r.syntaxe);
    EXPECT_EQ(r.poles[0], complexe{}); // entry 0 is not a root
    EXPECT_NEAR(r.poles[1].re, -1, 1e-12);
    EXPECT_NEAR(r.poles[2].re, -0.5, 1e-12);
    // The pair of the last factor, in either order.
    EXPECT_NEAR(r.poles[3].re, -0.5, 1e-9);
    EXPECT_NEAR(r.poles[4].re, -0.5, 1e-9);
    EXPECT_NEAR(std::abs(r.poles[3].im), 0.8660254037844386, 1e-9);
    EXPECT_NEAR(r.poles[3].im, -r.poles[4].im, 1e-9);
    for (std::size_t k = 5; k < r.poles.size(); ++k) EXPECT_EQ(r.poles[k], complexe{});
}

struct cas_poles {
    std::string texte;
    std::vector<complexe> attendus;
};

TEST(PolesFacteursTest, FormesAcceptees) {
    const cas_poles cas[] = {
        {"p^2+2p+5", {{-1, 2}, {-1, -2}}},
        {"( 1 + p )(2,5+1e-1p)", {{-1, 0}, {-25, 0}}},
        {"(3)(2+p)", {{-2, 0}}},
        // Factors are trimmed, so a cancelled or zero leading term adds no root.
        {"(p^2-p^2+1+p)(0p+1)", {{-1, 0}}},
        {"7", {}},
        // A leading "-" of the text or of a factor is the sign of its first term.
        {"-p+1", {{1, 0}}},
        {"(-1+p)*(-2-p)", {{1, 0}, {-2, 0}}},
    };
    for (const auto& c : cas) {
        const recherche r = chercher(c.texte);
        ASSERT_TRUE(r.trouve) << c.texte;
        EXPECT_FALSE(r.syntaxe) << c.texte;
        for (std::size_t k = 0; k < c.attendus.size(); ++k) {
            const complexe z = r.poles[k + 1];
            const bool egal = std::abs(z.re - c.attendus[k].re) < 1e-9 &&
                              std::abs(std::abs(z.im) - std::abs(c.attendus[k].im)) < 1e-9;
            EXPECT_TRUE(egal) << c.texte << " k=" << k + 1 << " (" << z.re << ", " << z.im << ")";
        }
        EXPECT_EQ(r.poles[c.attendus.size() + 1], complexe{}) << c.texte;
    }
}

TEST(PolesFacteursTest, TextesRefusesSansResultat) {
    std::string soixante;
    for (int k = 0; k < 60; ++k) soixante += "(1+p)";
    const std::string textes[] = {"(1+p)2",   "(1+p)+(2+p)", "((1+p))", "(1+2.p)(1+p)", "1+x",
                                  "",         "(1+p",        "p^99999", "(1+p)(p^51)",  "--p",
                                  "(1+p)(-)", "+-p",         soixante};
    for (const auto& t : textes) {
        const recherche r = chercher(t);
        EXPECT_FALSE(r.trouve) << t;
        EXPECT_TRUE(r.syntaxe) << t;
        EXPECT_EQ(r.poles[0], (complexe{99, 99})) << t;
    }
}

} // namespace
} // namespace varlem
