#include "numeric/nombres.h"

#include <gtest/gtest.h>

#include <cmath>

namespace varlem {
namespace {

struct cas_texte {
    double x;
    const char* attendu;
};

TEST(NombresTest, TexteCourtDesExemples) {
    const cas_texte cas[] = {{2, " 2"},
                             {2.5, " 2.5"},
                             {1500, " 1.5E3"},
                             {0.004, " 4E-3"},
                             {-0.0125, "-1.25E-2"},
                             {123456, " 1.23E5"},
                             {1e-12, " 1E-12"},
                             {0, "0"},
                             {-3, "-3"}};
    for (const auto& c : cas) EXPECT_EQ(texte_court(c.x), c.attendu) << c.x;
}

TEST(NombresTest, TexteScientifiqueDesExemples) {
    EXPECT_EQ(texte_scientifique(4, 1234.5), " 1.2345E3");
    EXPECT_EQ(texte_scientifique(4, 0.5), " 5E-1");
    EXPECT_EQ(texte_scientifique(4, 2.5), " 2.5");
    EXPECT_EQ(texte_scientifique(4, 100), " 1E2");
    EXPECT_EQ(texte_scientifique(4, -0.000123), "-1.23E-4");
    EXPECT_EQ(texte_scientifique(4, 0), "0");
    EXPECT_EQ(texte_scientifique(3, 0.8660254), " 8.66E-1");
    EXPECT_EQ(texte_scientifique(4, 1.234567), " 1.2346");
    EXPECT_EQ(texte_scientifique(3, -2), "-2");
    EXPECT_EQ(texte_scientifique(3, 1e10), " 1E10");
}

TEST(NombresTest, TexteNombreDesExemples) {
    const cas_texte cas[] = {{0.5, ".5"},        {0.25, ".25"},      {-0.5, "-0.5"},
                             {2, "2"},           {-2, "-2"},         {123.45678, "123.4568"},
                             {400, "400"},       {0.01, ".01"},      {0.004, " 4E-3"},
                             {1500, " 1.5E3"},   {0, "0"},           {0.0125, ".0125"},
                             {399.99996, "400"}, {-401, "-4.01E2"},  {0.00999, ".01"},
                             {400.00004, "400"}, {400.0001, " 4E2"}, {10, "10"},
                             {20.1, "20.1"},     {0.1, ".1"}};
    for (const auto& c : cas) EXPECT_EQ(texte_nombre(c.x), c.attendu) << c.x;
}

TEST(NombresTest, RendusDeBase) {
    EXPECT_EQ(rendu_scientifique(1500, 11), " 1.50E+0003");
    EXPECT_EQ(rendu_scientifique(-0.0125, 11), "-1.25E-0002");
    EXPECT_EQ(rendu_scientifique(1234.5, 13), " 1.2345E+0003");
    EXPECT_EQ(rendu_scientifique(0, 11), " 0.00E+0000");
    EXPECT_EQ(rendu_fixe(0.5), "     0.5000");
    EXPECT_EQ(rendu_fixe(-2), "    -2.0000");
    EXPECT_EQ(rendu_fixe(123.45678), "   123.4568");
}

TEST(NombresTest, LireNombre) {
    EXPECT_EQ(lire_nombre(" 1.2346"), 1.2346);
    EXPECT_EQ(lire_nombre("abc"), 0.0);
    EXPECT_EQ(lire_nombre("  -2.5E-3"), -2.5e-3);
    EXPECT_EQ(lire_nombre(".5"), 0.5);
    EXPECT_EQ(lire_nombre("+7"), 7.0);
    EXPECT_EQ(lire_nombre("12abc"), 12.0);
    EXPECT_EQ(lire_nombre("3e"), 3.0);
    EXPECT_EQ(lire_nombre(""), 0.0);
    EXPECT_TRUE(std::isinf(lire_nombre("1e999")));
    EXPECT_EQ(lire_nombre("1e-999"), 0.0);
}

TEST(NombresTest, LireDecimalStrict) {
    double v = -1;
    EXPECT_TRUE(lire_decimal("2.98", v));
    EXPECT_EQ(v, 2.98);
    EXPECT_TRUE(lire_decimal(".", v));
    EXPECT_EQ(v, 0.0);
    EXPECT_TRUE(lire_decimal(" 3E-4", v));
    EXPECT_EQ(v, 3e-4);
    for (const char* refuse : {"", "1.25E", "E3", "1.2.3", "1e999", "--1", "1 2", "p"})
        EXPECT_FALSE(lire_decimal(refuse, v)) << refuse;
}

TEST(NombresTest, Arrondir) {
    EXPECT_EQ(arrondir(3, 2.0 / 3.0), 0.6667);
    EXPECT_EQ(arrondir(4, 1.234567), 1.2346);
    EXPECT_EQ(lire_nombre(texte_scientifique(4, 1.234567)), 1.2346);
}

} // namespace
} // namespace varlem
