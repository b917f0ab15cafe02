#include "analysis/temps.h"

#include "analysis/outils_temps.h"
#include "analysis/reponse_temps.h"
#include "plot/echelles.h"
#include "support/genres.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

namespace varlem {
namespace {

using test::banc;

constexpr double dix_pi = 10 * std::numbers::pi;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// The upper bound of 0..t once graduated with zero included.
double graduee(double t) {
    double lo = 0;
    pas_graduation(lo, t, true);
    return t;
}

// The interval, the step and the range a drawing can rely on.
void verifier_utilisable(const etude_temps& r, const std::string& cas) {
    for (const double v : {r.t_min, r.t_max, r.dt, r.t_pas, r.y_min, r.y_max, r.y_pas})
        EXPECT_TRUE(std::isfinite(v)) << cas;
    EXPECT_LT(r.t_min, r.t_max) << cas;
    EXPECT_GT(r.dt, 0) << cas;
    EXPECT_GT(r.t_pas, 0) << cas;
    EXPECT_LT(r.y_min, r.y_max) << cas;
    EXPECT_GT(r.y_pas, 0) << cas;
    EXPECT_LE(std::max(-r.y_min, r.y_max), 2e50) << cas;
}

// The graduated range of exact values on the scan grid: the independent reference.
struct plage_attendue {
    double lo, hi, pas;
};
plage_attendue plage_exacte(const etude_temps& r, const std::function<double(double)>& y) {
    const grille_temps g = grille_balayage(r);
    double lo = inf;
    double hi = -inf;
    for (int k = 0; k < g.nombre; ++k) {
        const double v = y(g.t0 + k * g.pas);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    const double pas = pas_graduation(lo, hi, r.inclure_zero_temps);
    return {lo, hi, pas};
}

TEST(CalculerReponseTempsTest, PremierOrdreIndiciel) {
    auto b = banc({{"1", "1+p"}});
    EXPECT_DOUBLE_EQ(pulsation_lente(b->sys), 1.0);
    const etude_temps& r = b->calculer(entree_temps::echelon);
    // 10π = 31.4 graduated with a step of 1 ends strictly above: 32.
    double lo = 0;
    double hi = dix_pi;
    const double pas = pas_graduation(lo, hi, true);
    EXPECT_EQ(r.t_min, 0.0);
    EXPECT_DOUBLE_EQ(r.t_max, hi);
    EXPECT_DOUBLE_EQ(r.t_max, 32.0);
    EXPECT_DOUBLE_EQ(r.t_pas, pas);
    EXPECT_DOUBLE_EQ(r.dt, 32.0 / 200);
    verifier_utilisable(r, "1/(1+p)");
}

TEST(CalculerReponseTempsTest, IntervalleDepuisLesRacines) {
    struct cas {
        const char* num;
        const char* den;
        double pulsation;
    };
    const cas table[] = {
        {"1", "(1+10p)(1+p)", 0.1},
        // A zero counts like a pole.
        {"1+100p", "1+p", 0.01},
        {"1", "1+0.2p+p^2", 1.0},
        // A pole at the origin says nothing; without any other root the pulsation is 0.1.
        {"1", "p", 0.1},
        {"1", "(p)(1+0.5p)", 2.0},
        // Moduli 1 and 1e7: held within 1e6 of the largest.
        {"1", "(1+p)(1+0.0000001p)", 10.0},
    };
    for (const auto& c : table) {
        auto b = banc({{c.num, c.den}});
        // Poles are stored to 5 digits: the modulus of -0.1 ± 0.99499j is 1.0000026.
        const double w = pulsation_lente(b->sys);
        EXPECT_NEAR(w, c.pulsation, 1e-5 * c.pulsation) << c.den;
        const etude_temps& r = b->calculer(entree_temps::impulsion);
        double lo = 0;
        double hi = dix_pi / w;
        pas_graduation(lo, hi, true);
        EXPECT_NEAR(r.t_max, hi, 1e-9 * hi) << c.den;
        EXPECT_EQ(r.t_min, 0.0) << c.den;
    }
}

TEST(CalculerReponseTempsTest, PoleNulTapeAvantOuApres) {
    // The same function typed expanded or as factors gets the same interval, whichever
    // place the pole at the origin takes among the roots.
    for (const entree_temps genre :
         {entree_temps::impulsion, entree_temps::echelon, entree_temps::rampe}) {
        auto developpe = banc({{"1", "p+p^2"}});
        auto facteurs = banc({{"1", "(1+p)(p)"}});
        auto inverse = banc({{"1", "(p)(1+p)"}});
        const double t = developpe->calculer(genre).t_max;
        EXPECT_DOUBLE_EQ(t, facteurs->calculer(genre).t_max) << genre;
        EXPECT_DOUBLE_EQ(t, inverse->calculer(genre).t_max) << genre;
        EXPECT_DOUBLE_EQ(t, 32.0) << genre;
    }
}

TEST(CalculerReponseTempsTest, EntreeAfficheeDansLaPlage) {
    // Sine of amplitude 1 on a response that stays within ±0.3: the range becomes -1..1.
    auto b = banc({{"0.3", "1+0.01p"}});
    b->r().amplitude = 1;
    b->r().pulsation = 1;
    const etude_temps& s = b->calculer(entree_temps::sinus);
    double lo = -1;
    double hi = 1;
    pas_graduation(lo, hi, true);
    EXPECT_DOUBLE_EQ(s.y_min, lo);
    EXPECT_DOUBLE_EQ(s.y_max, hi);

    b->r().afficher_entree = false;
    const etude_temps& sans = b->calculer(entree_temps::sinus);
    EXPECT_LT(sans.y_max, 0.5);
    EXPECT_GT(sans.y_min, -0.5);
}

TEST(CalculerReponseTempsTest, EchelonAfficheMonteA1_1) {
    auto b = banc({{"0.5", "1+p"}});
    const double avec = b->calculer(entree_temps::echelon).y_max;
    double lo = 0;
    double hi = 1.1;
    pas_graduation(lo, hi, true);
    EXPECT_DOUBLE_EQ(avec, hi);
    b->r().afficher_entree = false;
    EXPECT_LT(b->calculer(entree_temps::echelon).y_max, 0.7);
}

TEST(CalculerReponseTempsTest, RampeAfficheeAtteintTMax) {
    auto b = banc({{"0.1", "1+p"}});
    const etude_temps& r = b->calculer(entree_temps::rampe);
    EXPECT_GE(r.y_max, r.t_max);
    b->r().afficher_entree = false;
    EXPECT_LT(b->calculer(entree_temps::rampe).y_max, 0.2 * b->r().t_max);
}

TEST(CalculerReponseTempsTest, BoucleFermeeUtiliseLeSlot3) {
    auto b = banc({{"1", "1+p"}, {"1", "1+2p"}, {"100", "1+0.01p"}});
    b->sys.etudes.boucle_fermee = true;
    b->sys.etudes.toutes_fonctions = false;
    b->sys.fonction_courante = 1;
    b->sys.nb_fonctions = 1;
    EXPECT_DOUBLE_EQ(pulsation_lente(b->sys), 100.0);
    b->r().afficher_entree = false;
    const etude_temps& r = b->calculer(entree_temps::impulsion);
    // The impulse response of 100/(1+0.01p) starts at 10^4; slots 1 and 2 never exceed 1.
    EXPECT_GT(r.y_max, 9999.0);
    EXPECT_LT(r.t_max, 1.0);
}

TEST(CalculerReponseTempsTest, ToutesLesFonctionsElargissentLaPlage) {
    auto b = banc({{"1", "1+p"}, {"0-3", "1+0.5p"}});
    b->sys.fonction_courante = 1;
    b->r().afficher_entree = false;
    const etude_temps& toutes = b->calculer(entree_temps::echelon);
    EXPECT_LE(toutes.y_min, -2.9);
    b->sys.etudes.toutes_fonctions = false;
    const etude_temps& seule = b->calculer(entree_temps::echelon);
    EXPECT_GT(seule.y_min, -0.2);
}

TEST(CalculerReponseTempsTest, GabaritsAPlagesFixes) {
    struct cas {
        gabarit_filtre gabarit;
        entree_temps genre;
        double lo, hi, pas;
    };
    const cas table[] = {
        {test::rejecteur_2, entree_temps::echelon, 0, 1.2, 0.1},
        {test::rejecteur_2, entree_temps::impulsion, -4, 0.3, 0.5},
        {test::passe_bas_1, entree_temps::echelon, -0.1, 1, 0.1},
        {test::passe_haut_1, entree_temps::impulsion, -0.1, 1, 0.1},
        {test::passe_bas_2, entree_temps::echelon, 0, 2, 0.1},
        {test::passe_bas_2, entree_temps::impulsion, -1, 1, 0.1},
        {test::passe_bande_2, entree_temps::echelon, -0.3, 1, 0.1},
        {test::passe_haut_2, entree_temps::echelon, -0.3, 2, 0.2},
        {test::passe_haut_2, entree_temps::impulsion, -5, 0.3, 0.5},
    };
    for (const auto& c : table) {
        auto b = banc({{"1+p^2", "1+1.414p+p^2"}});
        b->sys.etudes.mode_filtre = true;
        b->sys.gabarit = c.gabarit;
        const etude_temps& r = b->calculer(c.genre);
        EXPECT_EQ(r.y_min, c.lo) << c.gabarit << c.genre;
        EXPECT_EQ(r.y_max, c.hi) << c.gabarit << c.genre;
        EXPECT_EQ(r.y_pas, c.pas) << c.gabarit << c.genre;
        EXPECT_EQ(r.t_min, 0.0);
        EXPECT_EQ(r.t_max, 40.0);
        EXPECT_EQ(r.t_pas, 10.0);
        EXPECT_DOUBLE_EQ(r.dt, 40.0 / 200);
    }
}

TEST(CalculerReponseTempsTest, GabaritsGradues) {
    struct cas {
        gabarit_filtre gabarit;
        entree_temps genre;
        double lo, hi;
    };
    // A = 2, ω = 1: at resonance the second-order low-pass gains 1/(2·m_min) = 50.
    const cas table[] = {
        {test::passe_bas_2, entree_temps::sinus, -100, 100},
        {test::passe_bas_1, entree_temps::sinus, -2, 2},
        {test::passe_bande_2, entree_temps::rampe, 0, 4},
        {test::rejecteur_2, entree_temps::rampe, -1, 40},
        {test::passe_bande_2, entree_temps::sinus, -2, 2},
        {test::passe_haut_2, entree_temps::rampe, -0.2, 2},
    };
    for (const auto& c : table) {
        auto b = banc({{"1", "1+p"}});
        b->sys.etudes.mode_filtre = true;
        b->sys.gabarit = c.gabarit;
        b->r().amplitude = 2;
        b->r().pulsation = 1;
        const etude_temps& r = b->calculer(c.genre);
        double lo = c.lo;
        double hi = c.hi;
        const double pas = pas_graduation(lo, hi, b->reg.graphe.inclure_zero);
        EXPECT_NEAR(r.y_min, lo, 1e-9 * std::abs(lo)) << c.gabarit << c.genre;
        EXPECT_NEAR(r.y_max, hi, 1e-9 * std::abs(hi)) << c.gabarit << c.genre;
        EXPECT_DOUBLE_EQ(r.y_pas, pas) << c.gabarit << c.genre;
    }
}

TEST(CalculerReponseTempsTest, GabaritGardeLIntervalleSansRecalcul) {
    auto b = banc({{"1", "1+p"}});
    b->sys.etudes.mode_filtre = true;
    b->sys.gabarit = test::rejecteur_2;
    b->calculer(entree_temps::echelon);
    doubler_intervalle(b->r(), b->sys, b->reg);
    EXPECT_DOUBLE_EQ(b->r().t_max, graduee(80.0));
    EXPECT_DOUBLE_EQ(b->calculer(entree_temps::echelon, false).t_max, graduee(80.0));
    EXPECT_EQ(b->calculer(entree_temps::echelon, true).t_max, 40.0);
}

// Exact responses of 1/(1+p)^m to the impulse, the step and the ramp.
struct multiple {
    const char* den;
    int m;
};
double exacte(int m, entree_temps genre, double t) {
    const double e = std::exp(-t);
    if (m == 2) {
        if (genre == entree_temps::impulsion) return t * e;
        if (genre == entree_temps::echelon) return 1 - e * (1 + t);
        return t - 2 + (t + 2) * e;
    }
    if (genre == entree_temps::impulsion) return t * t * e / 2;
    if (genre == entree_temps::echelon) return 1 - e * (1 + t + t * t / 2);
    return t - 3 + e * (3 + 2 * t + t * t / 2);
}

TEST(DoublerIntervalleTest, PoleMultipleResteExact) {
    const multiple fonctions[] = {
        {"(1+p)(1+p)", 2},
        {"1+2p+p^2", 2},
        {"(1+p)(1+p)(1+p)", 3},
        {"1+3p+3p^2+p^3", 3},
    };
    for (const auto& f : fonctions) {
        for (const entree_temps genre :
             {entree_temps::impulsion, entree_temps::echelon, entree_temps::rampe}) {
            auto b = banc({{"1", f.den}});
            b->r().afficher_entree = false;
            const std::string cas = std::string(f.den) + " " + testing::PrintToString(genre);
            const auto verifier = [&](const char* etape) {
                const etude_temps& r = b->r();
                const plage_attendue a =
                    plage_exacte(r, [&](double t) { return exacte(f.m, genre, t); });
                EXPECT_NEAR(r.y_min, a.lo, 1e-9 * (1 + std::abs(a.lo))) << cas << etape;
                EXPECT_NEAR(r.y_max, a.hi, 1e-9 * (1 + std::abs(a.hi))) << cas << etape;
                EXPECT_DOUBLE_EQ(r.y_pas, a.pas) << cas << etape;
            };
            b->calculer(genre);
            const double t_max = b->r().t_max;
            verifier(" calcul");
            doubler_intervalle(b->r(), b->sys, b->reg);
            const double double_t = graduee(2 * t_max);
            EXPECT_DOUBLE_EQ(b->r().t_max, double_t) << cas;
            verifier(" double");
            diviser_intervalle(b->r(), b->sys, b->reg);
            diviser_intervalle(b->r(), b->sys, b->reg);
            EXPECT_DOUBLE_EQ(b->r().t_max, graduee(graduee(double_t / 2) / 2)) << cas;
            verifier(" moitie");
        }
    }
}

TEST(DoublerIntervalleTest, PasAvantElargissement) {
    auto b = banc({{"1", "1+p"}});
    b->calculer(entree_temps::echelon);
    doubler_intervalle(b->r(), b->sys, b->reg);
    // 64 / 200 from the doubled interval, before its graduation.
    EXPECT_DOUBLE_EQ(b->r().dt, 64.0 / 200);
    EXPECT_EQ(b->r().t_min, 0.0);
    EXPECT_GE(b->r().t_max, 64.0);
}

TEST(DoublerIntervalleTest, SansFinNiZero) {
    auto b = banc({{"1", "1+p"}});
    b->calculer(entree_temps::echelon);
    for (int i = 0; i < 1200; ++i) doubler_intervalle(b->r(), b->sys, b->reg);
    verifier_utilisable(b->r(), "doublements");
    b->calculer(entree_temps::echelon);
    for (int i = 0; i < 1200; ++i) diviser_intervalle(b->r(), b->sys, b->reg);
    verifier_utilisable(b->r(), "divisions");
}

TEST(CalculerReponseTempsTest, EntreesDegenereesTerminent) {
    struct cas {
        const char* nom;
        entree_temps genre;
        bool recalculer;
        std::function<void(test::banc_temps&)> modifier;
    };
    const cas table[] = {
        {"N nul", entree_temps::echelon, true, [](auto& b) { b.r().nb_points = 0; }},
        {"N negatif", entree_temps::impulsion, true, [](auto& b) { b.r().nb_points = -7; }},
        {"N minimal", entree_temps::rampe, true,
         [](auto& b) { b.r().nb_points = std::numeric_limits<int>::min(); }},
        {"N enorme", entree_temps::sinus, true,
         [](auto& b) { b.r().nb_points = std::numeric_limits<int>::max(); }},
        {"bornes egales", entree_temps::echelon, false,
         [](auto& b) { b.r().t_min = b.r().t_max = 5; }},
        {"t_max NaN", entree_temps::echelon, false, [](auto& b) { b.r().t_max = nan; }},
        {"t_max infini", entree_temps::impulsion, false, [](auto& b) { b.r().t_max = inf; }},
        {"t_min au-dela", entree_temps::echelon, false,
         [](auto& b) {
             b.r().t_min = 10;
             b.r().t_max = 1;
         }},
        {"dt NaN", entree_temps::echelon, false,
         [](auto& b) {
             b.r().t_max = 10;
             b.r().dt = nan;
         }},
        {"amplitude infinie", entree_temps::sinus, true, [](auto& b) { b.r().amplitude = inf; }},
        {"amplitude NaN", entree_temps::sinus, true, [](auto& b) { b.r().amplitude = nan; }},
        {"pulsation nulle", entree_temps::sinus, true, [](auto& b) { b.r().pulsation = 0; }},
        {"instable", entree_temps::echelon, true,
         [](auto& b) { b.remplir(1, "1", "(1+p)(1-0.01p)"); }},
        {"instable impulsion", entree_temps::impulsion, true,
         [](auto& b) { b.remplir(1, "1e10", "(1+p)(1-0.001p)(1-0.001p)"); }},
        {"sans fonction", entree_temps::echelon, true, [](auto& b) { b.sys.nb_fonctions = 0; }},
        {"courante hors bornes", entree_temps::echelon, true,
         [](auto& b) {
             b.sys.etudes.toutes_fonctions = false;
             b.sys.fonction_courante = 12;
         }},
        {"gabarit resonance nulle", entree_temps::sinus, true,
         [](auto& b) {
             b.sys.etudes.mode_filtre = true;
             b.sys.gabarit = test::passe_bas_2;
             b.sys.m_min = 0;
             b.r().pulsation = 1;
         }},
        {"gabarit inconnu", entree_temps::echelon, true,
         [](auto& b) {
             b.sys.etudes.mode_filtre = true;
             b.sys.gabarit = gabarit_filtre{ordre_gabarit::premier, genre_gabarit::passe_bande};
         }},
    };
    for (const auto& c : table) {
        auto b = banc({{"1", "1+p"}, {"2", "(1+p)(1+p)"}});
        b->calculer(entree_temps::echelon);
        c.modifier(*b);
        b->calculer(c.genre, c.recalculer);
        verifier_utilisable(b->r(), c.nom);
        doubler_intervalle(b->r(), b->sys, b->reg);
        verifier_utilisable(b->r(), std::string(c.nom) + " double");
        diviser_intervalle(b->r(), b->sys, b->reg);
        verifier_utilisable(b->r(), std::string(c.nom) + " moitie");
    }
}

TEST(CalculerReponseTempsTest, DebordementBorne) {
    auto b = banc({{"1", "(1+p)(1-0.01p)"}});
    b->r().afficher_entree = false;
    const etude_temps& r = b->calculer(entree_temps::echelon);
    // e^(100·31) is far beyond the bound: the range is held at -1e50.
    EXPECT_LT(r.y_min, -9e49);
    EXPECT_TRUE(std::isfinite(r.y_min));
    EXPECT_TRUE(std::isfinite(r.y_pas));
}

TEST(CalculerReponseTempsTest, AucuneEntreeChoisieNeChangeQueLIntervalle) {
    auto b = banc({{"1", "1+p"}});
    b->r().y_min = -7;
    b->r().y_max = 9;
    b->r().y_pas = 1;
    const etude_temps& r = b->calculer(entree_temps::aucune);
    EXPECT_EQ(r.y_min, -7);
    EXPECT_EQ(r.y_max, 9);
    EXPECT_DOUBLE_EQ(r.t_max, 32.0);
    EXPECT_DOUBLE_EQ(r.dt, 32.0 / 200);
}

TEST(CalculerReponseTempsTest, PeriodiqueCalculeLesEchantillons) {
    auto b = banc({{"1", "1+p"}, {"1", "1+0.1p"}});
    b->r().frequence_periodique = 1;
    b->r().nb_periodes = 3;
    b->r().amplitude_max = 1;
    b->r().amplitude_min = 0;
    const etude_temps& r = b->calculer(entree_temps::carre);
    double lo = 0;
    double hi = 3;
    pas_graduation(lo, hi, true);
    EXPECT_DOUBLE_EQ(r.t_max, hi);
    EXPECT_DOUBLE_EQ(r.dt, 2 * 3.0 / 200);
    EXPECT_EQ(b->sys.periodique.echantillons_entree.size(), 101u);
    EXPECT_EQ(b->sys.periodique.echantillons_reponse[1].size(), 101u);
    EXPECT_EQ(b->sys.periodique.echantillons_reponse[2].size(), 101u);
    EXPECT_LE(r.y_min, 0.0);
    EXPECT_GE(r.y_max, 1.0);
    verifier_utilisable(r, "carre");

    doubler_intervalle(b->r(), b->sys, b->reg);
    EXPECT_EQ(r.t_min, 0.0);
    EXPECT_GE(r.t_max, 2 * hi);
    EXPECT_EQ(b->sys.periodique.echantillons_reponse[1].size(), 101u);
}

TEST(CalculerReponseTempsTest, PeriodiqueParametresDegeneres) {
    for (const double f : {0.0, -1.0, nan, inf}) {
        auto b = banc({{"1", "1+p"}});
        b->r().frequence_periodique = f;
        b->calculer(entree_temps::triangle);
        verifier_utilisable(b->r(), "frequence");
    }
}

} // namespace
} // namespace varlem
