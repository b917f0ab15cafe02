// The closed loop of a function with a delay: slots 1 and 2 keep the delay exactly, slot 3 is
// the Padé stand-in of the loop, marked as such, whose time response is the exact one.
#include "analysis/caracteristiques.h"
#include "analysis/pipeline.h"
#include "analysis/reponse_temps.h"
#include "analysis/temps.h"
#include "document/boucle.h"
#include "document/etudes_systeme.h"
#include "numeric/decomposition.h"
#include "numeric/temporel.h"

#include "support/retard_exact.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace varlem {
namespace {

// e^(−τp)/(1 + p) typed with its delay into slot 1.
std::unique_ptr<systeme> systeme_retarde(double tau) {
    auto s = std::make_unique<systeme>();
    s->calcul.graine = 1;
    bool e1 = false, e2 = false;
    analyser_fonction(s->calcul, 'p', "1", "1+p", s->fonctions[1], e1, e2, tau);
    s->nb_fonctions = 1;
    s->systeme_saisi = true;
    return s;
}

TEST(BoucleRetardeeTest, FentesDeLaBoucle) {
    auto s = systeme_retarde(1);
    reglages r;
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    ASSERT_TRUE(regler_correcteur(*s, 3, 10, 0, false));
    // C·T·R and C·T carry the delay itself: their frequency studies are exact.
    EXPECT_EQ(s->fonctions[1].fonction.retard, 1.0);
    EXPECT_EQ(s->fonctions[2].fonction.retard, 1.0);
    EXPECT_EQ(s->chaine_directe.fonction.retard, 1.0);
    EXPECT_FALSE(s->fonctions[1].fonction.boucle);
    // Slot 3 stands for the loop: a fraction of degree 1 + 18 (the approximant holding 1° up to
    // 10·√8, the gain crossing of 3/(1 + p)), and the exact loop behind it.
    const fdt& f3 = s->fonctions[3].fonction;
    ASSERT_TRUE(f3.boucle);
    EXPECT_EQ(f3.retard, 0.0);
    EXPECT_EQ(f3.boucle->ordre_pade, 18);
    EXPECT_EQ(f3.den.degre, 19);
    EXPECT_EQ(f3.boucle->retard, 1.0);
    EXPECT_EQ(f3.boucle->num_directe.coef[0].re, 3.0);
    const std::string texte = texte_boucle_fermee(*s);
    EXPECT_NE(texte.find("\r\nretard remplacé par son approximation de Padé d'ordre 18"),
              std::string::npos);
    EXPECT_NE(texte_decomposition(s->calcul, s->fonctions[3], 3)
                  .find("retard remplacé par son approximation de Padé d'ordre 18"),
              std::string::npos);
    // The loop without corrector stands for its own loop too.
    ASSERT_TRUE(s->fonctions[4].fonction.boucle);
    EXPECT_EQ(s->fonctions[4].fonction.boucle->num_directe.coef[0].re, 1.0);

    // Opening the loop gives the delay back.
    ouvrir_boucle(*s);
    EXPECT_EQ(s->fonctions[1].fonction.retard, 1.0);
    EXPECT_FALSE(s->fonctions[1].fonction.boucle);
}

// The time study of the closed loop reads the exact response, not the stand-in's.
TEST(BoucleRetardeeTest, ReponseTemporelleExacte) {
    for (const double kp : {0.5, 2.0}) {
        SCOPED_TRACE(kp);
        auto s = systeme_retarde(1);
        reglages r;
        fermer_boucle(*s, r);
        ASSERT_TRUE(regler_correcteur(*s, kp, 10, 0, false));
        s->etudes.temps_ouverte = true;
        s->etudes.etude_temps_choisie = entree_temps::echelon;
        r.temps.nb_points = 1000;
        calculer_reponse_temps(r.temps, true, *s, r);
        // The interval holds the delay and the settling.
        EXPECT_GT(r.temps.t_max, 5.0);
        fdt_travail tampon;
        const fdt_travail* R =
            reponse_a_evaluer(s->fonctions[3], entree_temps::echelon, r.temps, tampon);
        ASSERT_TRUE(R && R->fonction.boucle);
        std::vector<double> y(1000);
        valeurs_temporelles(*R, 0, r.temps.t_max / 999, 1000, y.data());
        for (int k = 0; k < 1000; k += 37) {
            const double t = k * r.temps.t_max / 999;
            EXPECT_NEAR(y[static_cast<std::size_t>(k)], test::echelon_boucle_retard(kp, 1, t), 1e-7)
                << t;
        }
        EXPECT_NEAR(valeur_temporelle(*R, 2.5), test::echelon_boucle_retard(kp, 1, 2.5), 1e-7);
        // The vertical range comes from the same response.
        EXPECT_GE(r.temps.y_max, kp == 2.0 ? 1.26 : 0.36);
    }
}

// The readings of the closed system: the margins of C·T·R with its delay, the step of the loop
// from the loop itself (stable at P = 1, unstable at P = 3 whatever the stand-in's poles say).
TEST(BoucleRetardeeTest, Caracteristiques) {
    auto s = systeme_retarde(1);
    reglages r;
    fermer_boucle(*s, r);
    ASSERT_TRUE(regler_correcteur(*s, 2, 10, 0, false));
    const caracteristiques c = caracteristiques_systeme(*s).value();
    ASSERT_EQ(c.marges.croisements_gain.size(), 1u);
    const double wc = std::sqrt(3.0);
    EXPECT_NEAR(c.marges.croisements_gain[0].omega, wc, 1e-12);
    EXPECT_NEAR(c.marges.croisements_gain[0].phase_deg,
                -(std::atan(wc) + wc) * 180 / std::numbers::pi, 1e-9);
    EXPECT_TRUE(c.indicielle.stable);
    EXPECT_NEAR(*c.indicielle.valeur_finale, 2.0 / 3, 1e-15);
    ASSERT_TRUE(regler_correcteur(*s, 3, 10, 0, false));
    EXPECT_FALSE(caracteristiques_systeme(*s).value().indicielle.stable);
}

} // namespace
} // namespace varlem
