#include "plot/echelles.h"
#include "studies/zoom_frequentiel.h"

#include <gtest/gtest.h>

namespace varlem {
namespace {

TEST(ZoomArriere, BornesElargies) {
    // [-2, 3] gives [-3, 4.5]; [1, 5] gives [0.667, 7.5]; a negative top moves towards zero.
    EXPECT_DOUBLE_EQ(borne_basse_elargie(-2), -3);
    EXPECT_DOUBLE_EQ(borne_haute_elargie(3), 4.5);
    EXPECT_DOUBLE_EQ(borne_basse_elargie(1), 1 / 1.5);
    EXPECT_DOUBLE_EQ(borne_haute_elargie(5), 7.5);
    EXPECT_DOUBLE_EQ(borne_haute_elargie(-3), -2);
    EXPECT_DOUBLE_EQ(borne_basse_elargie(0), 0);
}

TEST(ZoomArriere, ChaqueDiagrammeSesPlages) {
    etude_frequence r;
    r.gain_min = -2, r.gain_max = 3;
    ASSERT_TRUE(zoom_arriere(r, 'G', false));
    double lo = -3, hi = 4.5;
    EXPECT_EQ(r.gain_pas, pas_graduation(lo, hi, false));
    EXPECT_EQ(r.gain_min, lo);
    EXPECT_EQ(r.gain_max, hi);

    r.en_hertz = false;
    r.wl_min = 0, r.wl_max = 10, r.module_max = 2, r.module_pas = 0.5;
    ASSERT_TRUE(zoom_arriere(r, 'M', true));
    EXPECT_GE(r.wl_max, 15);
    EXPECT_DOUBLE_EQ(r.module_max, 3);
    EXPECT_EQ(r.module_pas, 0.5) << "the modulus keeps its step";

    r.re_min = -1, r.re_max = 1, r.im_min = -1, r.im_max = 1;
    ASSERT_TRUE(zoom_arriere(r, 'N', true));
    EXPECT_LE(r.re_min, -1.5);
    EXPECT_GE(r.im_max, 1.5);

    const etude_frequence avant = r;
    EXPECT_FALSE(zoom_arriere(r, '0', true));
    EXPECT_EQ(r.gain_min, avant.gain_min);
}

} // namespace
} // namespace varlem
