#include "studies/texte_poles_zeros.h"

#include "support/fabrique.h"

#include <gtest/gtest.h>

namespace varlem {
namespace {

using test::fonction_depuis_racines;

reglages_pz sans_decomposition() {
    reglages_pz r;
    r.decomposer_courante = false;
    return r;
}

TEST(TextePolesZerosTest, ValeursDesPolesEtAbsenceDeZeros) {
    systeme sys;
    sys.fonction_courante = 2;
    const fdt_travail ft = fonction_depuis_racines(1, {}, {{-2, 0}, {-0.5, 0.8660254}});
    EXPECT_EQ(texte_poles_zeros(sys, ft, sans_decomposition()), "Pour la fonction n°2\r\n\r\n"
                                                                "Valeurs des pôles : \r\n"
                                                                "\r\n-2 + j . 0\r\n"
                                                                "\r\n-5E-1 + j .  8.66E-1\r\n"
                                                                "Valeurs des zéros : \r\n"
                                                                "\r\nPas de zéros\r\n");
}

TEST(TextePolesZerosTest, ZerosListesEtPrecision) {
    systeme sys;
    reglages_pz r = sans_decomposition();
    r.valeurs_poles = false;
    r.precision = 5;
    const fdt_travail ft = fonction_depuis_racines(1, {{-1.234567, 0}, {3, 0}}, {{-1, 0}});
    EXPECT_EQ(texte_poles_zeros(sys, ft, r), "Pour la fonction n°1\r\n\r\n"
                                             "Valeurs des zéros : \r\n"
                                             "\r\n-1.23457 + j . 0\r\n"
                                             "\r\n 3 + j . 0\r\n");
}

TEST(TextePolesZerosTest, SeulementLEnteteSansSection) {
    systeme sys;
    reglages_pz r = sans_decomposition();
    r.valeurs_poles = r.valeurs_zeros = false;
    EXPECT_EQ(texte_poles_zeros(sys, fonction_depuis_racines(1, {}, {{-1, 0}}), r),
              "Pour la fonction n°1\r\n\r\n");
}

TEST(TextePolesZerosTest, BoucleFermeeNommeLaFonctionBouclee) {
    systeme sys;
    sys.etudes.boucle_fermee = true;
    sys.courante_sauvee = 3;
    reglages_pz r = sans_decomposition();
    r.valeurs_poles = r.valeurs_zeros = false;
    EXPECT_EQ(texte_poles_zeros(sys, fonction_depuis_racines(1, {}, {{-1, 0}}), r),
              "Pour la fonction bouclée n°3\r\n\r\n");
}

} // namespace
} // namespace varlem
