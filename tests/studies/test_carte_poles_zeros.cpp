#include "studies/carte_poles_zeros.h"

#include "plot/echelles.h"
#include "plot/enregistreur.h"
#include "support/fabrique.h"

#include <gtest/gtest.h>

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
    systeme sys;
    sys.nb_fonctions = 2;
    sys.fonctions[1] = fonction_depuis_racines(1, {}, {{-0.1, 0}});
    sys.fonctions[2] = fonction_depuis_racines(1, {}, {{-10, 3}, {-10, -3}});
    reglages_pz commune, seule1, seule2;
    echelle_auto_pz_toutes(sys, commune);
    echelle_auto_pz(sys.fonctions[1], seule1);
    echelle_auto_pz(sys.fonctions[2], seule2);
    EXPECT_LE(commune.re_min, std::min(seule1.re_min, seule2.re_min));
    EXPECT_GE(commune.im_max, std::max(seule1.im_max, seule2.im_max));
    EXPECT_LE(commune.im_min, std::min(seule1.im_min, seule2.im_min));
}

TEST(CartePolesZerosTest, EtoilesPuisRondsAuxPositionsDesRacines) {
    const fdt_travail ft = fonction_depuis_racines(1, {{-1, 0}}, {{-1, 0}, {-2, 1}, {-2, -1}});
    reglages_pz r;
    r.couleur_poles = 0x0000FF;
    r.couleur_zeros = 0xFF0000;
    r.taille_symboles = 12;
    echelle_auto_pz(ft, r);
    enregistreur s(400, 300);
    tracer_poles_zeros(s, ft, r, param{});
    const auto textes = s.textes();
    std::vector<texte_enregistre> symboles;
    for (const auto& t : textes)
        if (t.texte == "*" || t.texte == "o") symboles.push_back(t);
    ASSERT_EQ(symboles.size(), 4u);
    for (int k = 0; k < 3; ++k) {
        const complexe z = ft.termes_poles[k].valeur;
        EXPECT_EQ(symboles[k].texte, "*");
        EXPECT_EQ(symboles[k].c, 0x0000FFu);
        EXPECT_EQ(symboles[k].taille, 12);
        EXPECT_EQ(symboles[k].x, x_vers_pixel(15, 385, z.re, r.re_min, r.re_max));
        EXPECT_EQ(symboles[k].y, y_vers_pixel(10, 290, z.im, r.im_min, r.im_max) - 5);
    }
    // The zero at −1 lies on a pole and is written after it.
    EXPECT_EQ(symboles[3].texte, "o");
    EXPECT_EQ(symboles[3].c, 0xFF0000u);
    EXPECT_EQ(symboles[3].x, symboles[0].x - 3);
    EXPECT_EQ(symboles[3].y, symboles[0].y - 3);
}

TEST(CartePolesZerosTest, RienSansSurfaceNiEchelle) {
    const fdt_travail ft = fonction_depuis_racines(1, {}, {{-1, 0}});
    reglages_pz r;
    echelle_auto_pz(ft, r);
    for (auto [w, h] : {std::pair{30, 300}, {400, 20}, {0, 0}, {-5, 100}}) {
        enregistreur s(w, h);
        tracer_poles_zeros(s, ft, r, param{});
        EXPECT_TRUE(s.commandes().empty()) << w << "x" << h;
    }
    enregistreur s(400, 300);
    tracer_poles_zeros(s, ft, reglages_pz{}, param{}); // no scale computed yet
    EXPECT_TRUE(s.commandes().empty());
}

} // namespace
} // namespace varlem
