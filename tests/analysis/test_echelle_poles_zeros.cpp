#include "analysis/echelle_poles_zeros.h"

#include "support/fabrique.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace varlem {
namespace {

using test::fonction_depuis_racines;

TEST(EchellePolesZerosTest, DeuxPolesReelsSansZero) {
    reglages_pz r;
    echelle_auto_pz(fonction_depuis_racines(1, {}, {{-1, 0}, {-2, 0}}), r);
    // −2..−1 grows to −2.2..−1.1 and then to whole steps of 0.1 around zero (the repeated
    // subtraction lands just below −2.2); the empty imaginary range becomes −1..0, then −1.1..0.
    EXPECT_DOUBLE_EQ(r.pas_re, 0.1);
    EXPECT_NEAR(r.re_min, -2.2, 1e-12);
    EXPECT_LT(r.re_min, -2 * 1.1);
    EXPECT_NEAR(r.re_max, 0.1, 1e-12);
    EXPECT_DOUBLE_EQ(r.pas_im, 0.1);
    EXPECT_NEAR(r.im_min, -1.2, 1e-12);
    EXPECT_NEAR(r.im_max, 0.1, 1e-12);
}

TEST(EchellePolesZerosTest, LesRacinesTiennentDansLeCadre) {
    const fdt_travail cas[] = {
        fonction_depuis_racines(1, {{3, 0}}, {{-1, 2}, {-1, -2}, {-10, 0}}),
        fonction_depuis_racines(1, {}, {{0, 0}}),
        fonction_depuis_racines(1, {{-5, 0}}, {}),
        fonction_depuis_racines(1, {}, {}),
        fonction_depuis_racines(1, {}, {{-4, 0}, {-4, 0}}),
    };
    for (const fdt_travail& ft : cas) {
        reglages_pz r;
        echelle_auto_pz(ft, r);
        ASSERT_GT(r.pas_re, 0);
        ASSERT_GT(r.pas_im, 0);
        EXPECT_LE(r.re_min, 0);
        EXPECT_GE(r.re_max, 0);
        for (int k = 0; k < ft.fonction.den.degre; ++k) {
            EXPECT_LE(r.re_min, ft.termes_poles[k].valeur.re);
            EXPECT_GE(r.re_max, ft.termes_poles[k].valeur.re);
            EXPECT_LE(r.im_min, ft.termes_poles[k].valeur.im);
            EXPECT_GE(r.im_max, ft.termes_poles[k].valeur.im);
        }
        for (int k = 0; k < ft.fonction.num.degre; ++k) {
            EXPECT_LE(r.re_min, ft.termes_zeros[k].valeur.re);
            EXPECT_GE(r.re_max, ft.termes_zeros[k].valeur.re);
        }
    }
}

TEST(EchellePolesZerosTest, EchelleCommuneContientChaqueFonction) {
    banque_fonctions fonctions;
    fonctions[1] = fonction_depuis_racines(1, {}, {{-0.1, 0}});
    fonctions[2] = fonction_depuis_racines(1, {}, {{-10, 3}, {-10, -3}});
    reglages_pz commune, seule1, seule2;
    echelle_auto_pz_toutes(fonctions, 2, commune);
    echelle_auto_pz(fonctions[1], seule1);
    echelle_auto_pz(fonctions[2], seule2);
    EXPECT_LE(commune.re_min, std::min(seule1.re_min, seule2.re_min));
    EXPECT_GE(commune.im_max, std::max(seule1.im_max, seule2.im_max));
    EXPECT_LE(commune.im_min, std::min(seule1.im_min, seule2.im_min));
}

} // namespace
} // namespace varlem
