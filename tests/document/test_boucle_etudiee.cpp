#include "document/boucle_etudiee.h"

#include "document/boucle.h"
#include "outils_document.h"

#include <gtest/gtest.h>

#include <cmath>

namespace varlem {
namespace {

using test::systeme_tape;

complexe rapport(const polynome& n, const polynome& d, complexe s) {
    return c_quotient(p_valeur(n, s), p_valeur(d, s));
}

// K·G(s) and C·T·R(s) (slot 1) agree at a few points of the plane.
void verifier_boucle_ouverte(const systeme& s, const boucle_etudiee& b) {
    for (const complexe z : {complexe{0.3, 0.7}, complexe{-2, 1.5}, complexe{5, -1}}) {
        const complexe g = c_produit({b.k, 0}, rapport(b.num, b.den, z));
        const complexe ctr = rapport(s.fonctions[1].fonction.num, s.fonctions[1].fonction.den, z);
        EXPECT_NEAR(c_module(c_difference(g, ctr)), 0, 1e-12 * c_module(ctr));
    }
}

TEST(BoucleEtudieeTest, FonctionSeuleAvecRetourUnitaire) {
    auto s = systeme_tape({{"1", "1+p"}, {"2", "(p)(1+p)"}}, 'p', 2);
    const auto b = boucle_etudiee_systeme(*s);
    ASSERT_TRUE(b);
    EXPECT_FALSE(b->boucle_fermee);
    EXPECT_EQ(b->k, 1);
    EXPECT_EQ(b->num, s->fonctions[2].fonction.num);
    EXPECT_EQ(b->den, s->fonctions[2].fonction.den);
    // The Routh table is that of the function's denominator.
    EXPECT_EQ(polynome_routh(*b), s->fonctions[2].fonction.den);
    s->nb_fonctions = 0;
    EXPECT_FALSE(boucle_etudiee_systeme(*s));
}

// In closed loop G is C·T·R at P = 1 and K is P, whatever the corrector and return path.
TEST(BoucleEtudieeTest, BoucleFermeeAvecSonCorrecteur) {
    auto s = systeme_tape({{"1+0.5p", "(p)(1+p)(2+p)"}});
    reglages r;
    fermer_boucle(*s, r);
    struct reglage {
        double kp, ti, td;
        bool avec_i;
    };
    for (const reglage& c : {reglage{1, 10, 0, false}, reglage{3.5, 10, 0.2, false},
                             reglage{2, 0.5, 0, true}, reglage{7, 2, 0.3, true}}) {
        ASSERT_TRUE(regler_correcteur(*s, c.kp, c.ti, c.td, c.avec_i));
        const auto b = boucle_etudiee_systeme(*s);
        ASSERT_TRUE(b);
        EXPECT_TRUE(b->boucle_fermee);
        EXPECT_EQ(b->k, c.kp);
        verifier_boucle_ouverte(*s, *b);
        // D + K·N is the closed loop's denominator (slot 3), up to a constant factor.
        const polynome car = polynome_routh(*b);
        const polynome& d3 = s->fonctions[3].fonction.den;
        ASSERT_EQ(car.degre, d3.degre);
        const double f = car.coef[std::size_t(car.degre)].re / d3.coef[std::size_t(d3.degre)].re;
        for (int k = 0; k <= car.degre; ++k)
            EXPECT_NEAR(car.coef[std::size_t(k)].re, f * d3.coef[std::size_t(k)].re,
                        1e-12 * std::fabs(f * d3.coef[std::size_t(k)].re) + 1e-300);
    }
    const saisie_retour sr = entrer_retour(*s, "1", "1+0.1p");
    ASSERT_FALSE(sr.erreur_syntaxe || sr.erreur_degre);
    const auto b = boucle_etudiee_systeme(*s);
    ASSERT_TRUE(b);
    verifier_boucle_ouverte(*s, *b);
    EXPECT_EQ(b->den.degre, 5);
}

} // namespace
} // namespace varlem
