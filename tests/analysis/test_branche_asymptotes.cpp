// The asymptotic phase moved onto the real curve's branch: whole turns where a root on the
// imaginary axis puts the step rule a turn away from the curve, nothing elsewhere.
#include "analysis/branche_asymptotes.h"

#include "support/analyse_acceptee.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace varlem {
namespace {

constexpr double degres = 180 / std::numbers::pi;

struct cas_branche {
    std::string num, den;
    std::vector<int> tours;
};

TEST(BrancheAsymptotes, ToursParPalier) {
    const cas_branche table[] = {
        // The pair ±j: the rule starts at −360°, the curve at 0°; both at −180° above.
        {"1", "1+p^2", {1, 0}},
        {"1", "(1+p^2)(1+p^2)", {2, 0}},
        // Zeros at ±2j between two real poles: the levels below 2 rad/s a turn above the curve.
        {"1+0.25p^2", "(1+p)(1+0.1p)", {-1, -1, 0, 0}},
        // Integrator and pair on the axis.
        {"1", "(p)(1+p^2)", {1, 0}},
        // No root on the imaginary axis: the rule is the curve's branch already.
        {"(1+10p)", "(p)(1+p)(1+0.1p+0.01p^2)", {0, 0, 0, 0}},
        {"1", "1-p+p^2", {0, 0}},
        {"(1-p)", "(1+p)(1+0.2p)", {0, 0, 0}},
        {"-3", "(1+p)(1+0.5p)", {0, 0, 0}},
        {"1", "1+0.01p+p^2", {0, 0}},
        {"10", "(p^2)(1+0.5p)", {0, 0}},
    };
    for (const cas_branche& c : table) {
        SCOPED_TRACE(c.num + " / " + c.den);
        const fdt_travail ft = test::analyse_acceptee(c.num, c.den);
        const asymptotes_bode a = calculer_asymptotes(ft);
        ASSERT_TRUE(a.valide);
        EXPECT_EQ(tours_par_palier(ft, a), c.tours);
    }
}

// Moved, the steps lie on the curve far from the breaks, the gain untouched, the ramps running
// from the new first level to the last.
TEST(BrancheAsymptotes, PaliersSurLaCourbe) {
    for (const auto& [num, den] :
         {std::pair{"1", "1+p^2"}, std::pair{"1+0.25p^2", "(1+p)(1+0.1p)"},
          std::pair{"1", "(1+p^2)(1+p^2)"}, std::pair{"1", "(p)(1+p^2)"}}) {
        SCOPED_TRACE(std::string(num) + " / " + den);
        const fdt_travail ft = test::analyse_acceptee(num, den);
        const asymptotes_bode brut = calculer_asymptotes(ft);
        const asymptotes_bode a = sur_branche_reelle(ft, brut);
        ASSERT_EQ(a.cassures.size(), brut.cassures.size());
        EXPECT_EQ(a.pente_initiale, brut.pente_initiale);
        EXPECT_EQ(a.gain_db_omega_1, brut.gain_db_omega_1);
        const double premiere = a.cassures.front().omega, derniere = a.cassures.back().omega;
        for (const double w : {premiere / 1000, premiere / 300, derniere * 300, derniere * 1000})
            EXPECT_NEAR(phase_asymptotique_deg(a, w, convention_phase::paliers),
                        fdt_phase(ft, w) * degres, 0.6 * (nb_poles(ft) + nb_zeros(ft)))
                << w;
        // The jumps are the differences of the moved levels, and only the levels moved: whole
        // turns.
        double avant = a.phase_initiale_deg;
        for (std::size_t i = 0; i < a.cassures.size(); ++i) {
            EXPECT_DOUBLE_EQ(a.cassures[i].saut_phase_deg, a.cassures[i].phase_apres_deg - avant);
            const double tours =
                (a.cassures[i].phase_apres_deg - brut.cassures[i].phase_apres_deg) / 360;
            EXPECT_EQ(tours, std::nearbyint(tours));
            avant = a.cassures[i].phase_apres_deg;
        }
        EXPECT_NEAR(phase_asymptotique_deg(a, premiere / 100, convention_phase::rampes),
                    a.phase_initiale_deg, 1e-9);
        EXPECT_NEAR(phase_asymptotique_deg(a, derniere * 100, convention_phase::rampes),
                    a.cassures.back().phase_apres_deg, 1e-9);
    }
    // 1/(1 + p²): 0° then −180°, the ramp through −90° at the break.
    const fdt_travail ft = test::analyse_acceptee("1", "1+p^2");
    const asymptotes_bode a = sur_branche_reelle(ft, calculer_asymptotes(ft));
    EXPECT_NEAR(a.phase_initiale_deg, 0, 1e-9);
    EXPECT_NEAR(a.cassures[0].phase_apres_deg, -180, 1e-9);
    EXPECT_NEAR(phase_asymptotique_deg(a, 1, convention_phase::rampes), -90, 1e-9);
}

// A function without asymptotes is left as it is; a delay does not move the levels.
TEST(BrancheAsymptotes, SansAsymptotesOuAvecRetard) {
    const fdt_travail ft = test::analyse_acceptee("1", "1+p");
    const asymptotes_bode vide;
    EXPECT_EQ(tours_par_palier(ft, vide), std::vector<int>{0});
    fdt_travail retarde = test::analyse_acceptee("1", "1+p^2");
    retarde.fonction.retard = 0.5;
    EXPECT_EQ(tours_par_palier(retarde, calculer_asymptotes(retarde)), (std::vector<int>{1, 0}));
}

} // namespace
} // namespace varlem
