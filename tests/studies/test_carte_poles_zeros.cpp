#include "studies/carte_poles_zeros.h"

#include "analysis/echelle_poles_zeros.h"

#include "plot/echelles.h"
#include "plot/enregistreur.h"
#include "support/fabrique.h"

#include <gtest/gtest.h>

namespace varlem {
namespace {

using test::fonction_depuis_racines;

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
