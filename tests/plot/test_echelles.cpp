#include "plot/echelles.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

namespace varlem {
namespace {

struct cas_pas {
    double lo, hi;
    bool zero;
    double pas, lo_attendu, hi_attendu;
};

TEST(EchellesTest, PasGraduationResultatsConnus) {
    const cas_pas cas[] = {
        {2, 7, false, 1, 1, 8},
        {2, 7, true, 1, -1, 8},
        {0.3, 0.9, true, 0.1, -0.1, 1.0},
        {-10, -8, true, 1, -11, 1},
        {-0.35, 1.2, false, 0.1, -0.4, 1.2},
        {100, 3000, false, 100, 0, 3100},
        // A bound already on a multiple still moves one step out.
        {0, 1, true, 0.1, -0.1, 1.1},
        // Entirely below or above zero with the flag: one step past zero.
        {-7, -2, true, 1, -8, 1},
        // The step changes where log10 of the width crosses k + 0.5.
        {0, 3.1, false, 0.1, 0, 3.2},
        {0, 3.2, false, 1, 0, 4},
        {0, 4, false, 1, 0, 5},
        {-3, 0, false, 0.1, -3.1, 0},
    };
    for (const auto& c : cas) {
        double lo = c.lo, hi = c.hi;
        const double pas = pas_graduation(lo, hi, c.zero);
        SCOPED_TRACE(testing::Message() << c.lo << " .. " << c.hi << " flag " << c.zero);
        EXPECT_DOUBLE_EQ(pas, c.pas);
        EXPECT_NEAR(lo, c.lo_attendu, 1e-12);
        EXPECT_NEAR(hi, c.hi_attendu, 1e-12);
    }
}

TEST(EchellesTest, BornesParAdditionsRepetees) {
    // Ten additions of 0.1 from zero, not the product 10 × 0.1.
    double lo = 0.3, hi = 0.9;
    EXPECT_EQ(pas_graduation(lo, hi, true), 0.1);
    EXPECT_EQ(hi, 0.9999999999999999);
    EXPECT_EQ(lo, -0.1);
}

TEST(EchellesTest, PasGraduationProprietes) {
    std::mt19937 gen(12345);
    std::uniform_real_distribution<double> mantisse(-10, 10);
    std::uniform_int_distribution<int> exposant(-12, 12);
    int essais = 0;
    for (int i = 0; i < 2000; ++i) {
        double a = mantisse(gen) * std::pow(10.0, exposant(gen));
        double b = a + std::abs(mantisse(gen)) * std::pow(10.0, exposant(gen));
        // Ranges narrower than doubles can step through belong to the guard test below.
        if (b - a < 1e-9 * std::abs(a)) continue;
        ++essais;
        const bool zero = i % 2 == 0;
        double lo = a, hi = b;
        const double pas = pas_graduation(lo, hi, zero);
        SCOPED_TRACE(testing::Message() << a << " .. " << b << " flag " << zero);
        // A power of ten.
        const double k = std::log10(pas);
        ASSERT_NEAR(k, std::round(k), 1e-9);
        EXPECT_LE(lo, a);
        EXPECT_GE(hi, b);
        if (zero) {
            EXPECT_LT(lo, 0);
            EXPECT_GT(hi, 0);
        }
        const double nombre = (hi - lo) / pas;
        EXPECT_GE(nombre, 3.0);
        EXPECT_LE(nombre, 70.0);
    }
    EXPECT_GT(essais, 1000);
}

TEST(EchellesTest, PasGraduationToujoursUtilisable) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double cas[][2] = {{0, 0},           {5, 5},           {-5, -5},
                             {1e-310, 1e-310}, {0, 5e-324},      {-DBL_MAX, DBL_MAX},
                             {1e308, 1e308},   {-1e308, -1e307}, {1e20, 1e20 + 16384},
                             {7, 2},           {nan, 1},         {nan, nan},
                             {-inf, inf},      {0, inf},         {1e-300, 2e-300},
                             {-1e-320, 0}};
    for (const auto& c : cas) {
        for (const bool zero : {false, true}) {
            double lo = c[0], hi = c[1];
            const double pas = pas_graduation(lo, hi, zero);
            SCOPED_TRACE(testing::Message() << c[0] << " .. " << c[1] << " flag " << zero);
            EXPECT_TRUE(std::isfinite(pas));
            EXPECT_GT(pas, 0);
            EXPECT_TRUE(std::isfinite(lo));
            EXPECT_TRUE(std::isfinite(hi));
            EXPECT_LT(lo, hi);
            // The step moves the bounds, so a graduation loop always advances.
            EXPECT_NE(hi - pas, hi);
            EXPECT_NE(lo + pas, lo);
        }
    }
}

TEST(EchellesTest, BornesEgalesPrennentLeurTailleDeLaValeur) {
    double lo = 5, hi = 5;
    EXPECT_EQ(pas_graduation(lo, hi, false), 1);
    EXPECT_EQ(lo, 4);
    EXPECT_EQ(hi, 6);
    lo = hi = 0;
    EXPECT_EQ(pas_graduation(lo, hi, false), 1);
    EXPECT_EQ(lo, -1);
    EXPECT_EQ(hi, 1);
}

TEST(EchellesTest, PuissanceDix) {
    for (double x = -300; x <= 300; x += 7.5)
        EXPECT_NEAR(puissance_dix(x) / std::pow(10.0, x), 1.0, 1e-12) << x;
}

TEST(EchellesTest, CadreDUneSurface) {
    EXPECT_EQ(cadre_gauche(), 15);
    EXPECT_EQ(cadre_droite(630), 615);
    EXPECT_EQ(cadre_haut(), 10);
    EXPECT_EQ(cadre_bas(400), 390);
    EXPECT_TRUE(cadre_utilisable(31, 21));
    EXPECT_FALSE(cadre_utilisable(30, 400));
    EXPECT_FALSE(cadre_utilisable(400, 20));
    EXPECT_FALSE(cadre_utilisable(-5, -5));
}

TEST(EchellesTest, BornesDuCadre) {
    const int w = 630, h = 400;
    EXPECT_EQ(y_vers_pixel(10, h - 10, 3.5, -2, 3.5), 10);
    EXPECT_EQ(y_vers_pixel(10, h - 10, -2, -2, 3.5), h - 10);
    EXPECT_EQ(x_vers_pixel(15, w - 15, -2, -2, 3.5), 15);
    EXPECT_EQ(x_vers_pixel(15, w - 15, 3.5, -2, 3.5), w - 15);
    // Values outside the range map outside the frame, not clipped.
    EXPECT_EQ(x_vers_pixel(0, 100, 2, 0, 1), 200);
    EXPECT_EQ(y_vers_pixel(0, 100, -1, 0, 1), 200);
}

TEST(EchellesTest, ArrondiAuPairLePlusProche) {
    struct {
        double v;
        int px;
    } cas[] = {{0.25, 2}, {0.35, 4}, {0.45, 4}, {0.05, 0}, {0.15, 2}, {0.26, 3}};
    // Pixels 0..10 over 0..1: v · 10 lands on halves for these values (within rounding).
    for (const auto& c : cas) EXPECT_EQ(x_vers_pixel(0, 10, c.v, 0, 1), c.px) << c.v;
    EXPECT_EQ(arrondi_pixel(2.5), 2);
    EXPECT_EQ(arrondi_pixel(3.5), 4);
    EXPECT_EQ(arrondi_pixel(-2.5), -2);
}

TEST(EchellesTest, EchelleLogarithmique) {
    // 3 decades from 10^-1 to 10^2 over 15..615: 200 pixels per decade.
    EXPECT_EQ(log_vers_pixel(-1, 2, 15, 615, 0.1), 15);
    EXPECT_EQ(log_vers_pixel(-1, 2, 15, 615, 100), 615);
    EXPECT_EQ(log_vers_pixel(-1, 2, 15, 615, 1), 215);
    EXPECT_EQ(log_vers_pixel(-1, 2, 15, 615, 10), 415);
    EXPECT_EQ(log_vers_pixel(-1, 2, 15, 615, 2), 215 + 60); // 200 · log10 2 = 60.2
    EXPECT_NEAR(pixel_vers_log(415, 15, 615, -1, 2), 10, 1e-12);
    EXPECT_NEAR(pixel_vers_log(15, 15, 615, -1, 2), 0.1, 1e-15);
}

TEST(EchellesTest, AllersRetoursPixels) {
    struct plage {
        double lo, hi;
    } plages[] = {{-2, 3.5}, {0, 1e-6}, {-1e9, -1e8}, {100, 3100}};
    for (const auto& r : plages) {
        for (int px = 15; px <= 615; ++px) {
            ASSERT_EQ(x_vers_pixel(15, 615, pixel_vers_x(px, 15, 615, r.lo, r.hi), r.lo, r.hi), px);
            ASSERT_EQ(
                y_vers_pixel(10, 390, pixel_vers_y(px % 381 + 10, 10, 390, r.lo, r.hi), r.lo, r.hi),
                px % 381 + 10);
        }
        // World to pixel and back lands within half a pixel's worth of the value.
        const double demi_pixel = (r.hi - r.lo) / 600 / 2;
        for (int i = 0; i <= 50; ++i) {
            const double v = r.lo + (r.hi - r.lo) * i / 50;
            EXPECT_NEAR(pixel_vers_x(x_vers_pixel(15, 615, v, r.lo, r.hi), 15, 615, r.lo, r.hi), v,
                        demi_pixel * 1.0001);
        }
    }
    for (int px = 15; px <= 615; ++px)
        ASSERT_EQ(log_vers_pixel(-3, 4, 15, 615, pixel_vers_log(px, 15, 615, -3, 4)), px);
}

TEST(EchellesTest, CartesDegenereesSansDivisionParZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // An empty range puts every value midway.
    EXPECT_EQ(x_vers_pixel(15, 615, 7, 3, 3), 315);
    EXPECT_EQ(y_vers_pixel(10, 390, 7, 3, 3), 200);
    EXPECT_EQ(log_vers_pixel(2, 2, 15, 615, 5), 315);
    EXPECT_EQ(pixel_vers_x(20, 15, 15, 1, 3), 2);
    EXPECT_EQ(pixel_vers_y(20, 10, 10, 1, 3), 2);
    EXPECT_NEAR(pixel_vers_log(20, 15, 15, 0, 2), 10, 1e-12);
    // Results always fit an int.
    EXPECT_EQ(x_vers_pixel(0, 100, 1e300, 0, 1), limite_pixel);
    EXPECT_EQ(y_vers_pixel(0, 100, 1e300, 0, 1), -limite_pixel);
    EXPECT_EQ(x_vers_pixel(0, 100, nan, 0, 1), 0);
    EXPECT_EQ(x_vers_pixel(0, 100, 0.5, -inf, inf), 50);
    EXPECT_EQ(log_vers_pixel(0, 2, 15, 615, 0), -limite_pixel);
    EXPECT_EQ(log_vers_pixel(0, 2, 15, 615, -1), -limite_pixel);
}

} // namespace
} // namespace varlem
