// Stand-ins of delays far from the second: the approximant's order is held where its
// coefficients stay within the doubles, so that the loop built on it holds no overflow, and a
// delay too small for any order is left out. A periodic input of far more periods than the
// exact response can sum over leaves the answer to the stand-in, at once.
#include "analysis/pade.h"
#include "analysis/periodique_retard.h"
#include "document/boucle.h"
#include "numeric/temporel.h"

#include "document/outils_document.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace varlem {
namespace {

bool finis(const polynome& p) {
    for (int k = 0; k <= p.degre; ++k)
        if (!std::isfinite(p.coef[static_cast<std::size_t>(k)].re)) return false;
    return true;
}

TEST(PadeBornes, OrdreTenuAuxCoefficientsRepresentables) {
    const struct {
        double retard;
        int ordre_max;
    } cas[] = {{1e64, 2}, {1e300, 0}, {1e-300, 0}, {1e-100, 1}, {1e-20, 7}, {1e20, 7}};
    for (const auto& c : cas) {
        fdt f;
        f.num.coef[0] = {1, 0};
        f.den.degre = 1;
        f.den.coef[0] = f.den.coef[1] = {1, 0};
        f.retard = c.retard;
        const substitut_pade s = substitut_rationnel(f);
        EXPECT_LE(s.ordre, c.ordre_max) << c.retard;
        EXPECT_TRUE(finis(s.fonction.num) && finis(s.fonction.den)) << c.retard;
    }
}

TEST(PadeBornes, BoucleDUnRetardExtremeSansDebordement) {
    for (const double tau : {1e64, 1e-300}) {
        auto s = test::systeme_tape({{"1", "1+3p+3p^2+p^3"}});
        s->fonctions[1].fonction.retard = tau;
        reglages r;
        ASSERT_TRUE(fermer_boucle(*s, r).effectue) << tau;
        const fdt& bf = s->fonctions[3].fonction;
        EXPECT_TRUE(finis(bf.num) && finis(bf.den)) << tau;
        const std::string t = texte_boucle_fermee(*s);
        EXPECT_EQ(t.find("NAN"), std::string::npos) << t;
        EXPECT_EQ(t.find("INF"), std::string::npos) << t;
    }
    // A delay below the doubles' reach beside the loop's time scale: its step response is the
    // loop's without delay, 1/(2 + p) here, exactly.
    auto s = test::systeme_tape({{"1", "1+p"}});
    s->fonctions[1].fonction.retard = 1e-300;
    reglages r;
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    fdt_travail echelon = s->fonctions[3];
    for (const double t : {0.5, 2.0}) {
        double y = 0;
        valeurs_temporelles(echelon, t, 1, 1, &y);
        // The impulse response of the slot; the step's is its integral, 0.5·(1 − e^(−2t)).
        EXPECT_NEAR(y, std::exp(-2 * t), 1e-12) << t;
    }
}

TEST(PadeBornes, TropDePeriodesPourLaReponseExacte) {
    boucle_retardee b;
    b.num_directe.coef[0] = {1, 0};
    b.den_directe.degre = 1;
    b.den_directe.coef[0] = b.den_directe.coef[1] = {1, 0};
    b.num_retour.coef[0] = b.den_retour.coef[0] = {1, 0};
    b.num_entree.coef[0] = b.den_entree.coef[0] = {1, 0};
    b.retard = 0.5;
    forme_periodique u;
    u.f = 1;
    std::vector<double> y;
    // 999 and 1001 periods in a window of 0 to t.
    EXPECT_TRUE(reponse_periodique_boucle(b, 0, u, 0, 999.0 / 99, 100, y));
    EXPECT_EQ(y.size(), 100u);
    y.clear();
    EXPECT_FALSE(reponse_periodique_boucle(b, 0, u, 0, 1001.0 / 99, 100, y));
    EXPECT_TRUE(y.empty());
    // A frequency near the doubles' end in a window whose bounds the axes rounded: refused at
    // once, not after a hundred million breaks.
    u.f = 1e308;
    EXPECT_FALSE(reponse_periodique_boucle(b, 0, u, -1e-300, 9.2592592592592591e-303, 217, y));
}

} // namespace
} // namespace varlem
