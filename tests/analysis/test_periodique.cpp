#include "analysis/convolution_rapide.h"
#include "analysis/periodique.h"
#include "analysis/pipeline.h"
#include "analysis/signal_periodique.h"
#include "document/etudes_systeme.h"
#include "numeric/temporel.h"
#include "support/analyse_acceptee.h"
#include "support/fabrique.h"

#include "support/genres.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace varlem {
namespace {

/// A function given by its partial fractions (value, order, coefficient), as the decomposition
/// stores them, with the polynomials rebuilt from the poles (numerator: gain·Π(p − zeros)).
struct fraction {
    complexe pole;
    int ordre;
    complexe coef;
};

fdt_travail depuis_fractions(const std::vector<fraction>& fr,
                             const std::vector<complexe>& zeros = {}) {
    std::vector<complexe> poles;
    for (const fraction& f : fr) poles.push_back(f.pole);
    fdt_travail ft = test::fonction_depuis_racines(1.0, zeros, poles);
    for (std::size_t i = 0; i < fr.size(); ++i) {
        ft.termes_poles[i].ordre = fr[i].ordre;
        ft.termes_poles[i].coef = fr[i].coef;
    }
    return ft;
}

etude_temps carre_unite() {
    etude_temps r;
    r.frequence_periodique = 1.0;
    r.amplitude_max = 1.0;
    r.amplitude_min = 0.0;
    r.rapport_cyclique = 0.5;
    r.depart = depart_periodique::maximum;
    r.t_min = 0.0;
    r.t_max = 3.0;
    r.nb_points = 200;
    return r;
}

constexpr entree_temps C = entree_temps::carre, T = entree_temps::triangle,
                       X = entree_temps::aucune;
constexpr depart_periodique D1 = depart_periodique::maximum, D2 = depart_periodique::minimum,
                            D3 = depart_periodique::zero;

struct cas_signal {
    entree_temps genre;
    depart_periodique depart;
    double alpha, a, b, f, t, attendu;
};

TEST(SignalPeriodique, ValeursDesTables) {
    const std::vector<cas_signal> cas = {
        {C, D1, 0.5, 1, 0, 1, 0.0, 1},       {C, D1, 0.5, 1, 0, 1, 0.49, 1},
        {C, D1, 0.5, 1, 0, 1, 0.5, 0},       {C, D1, 0.5, 1, 0, 1, 0.99, 0},
        {C, D1, 0.5, 1, 0, 1, 1.0, 1},       {C, D1, 0.5, 1, 0, 1, -0.1, 0},
        {C, D2, 0.25, 2, -1, 1, 0.1, -1},    {C, D2, 0.25, 2, -1, 1, 0.3, 2},
        {C, D3, 0.25, 2, -1, 1, 0.1, 2},     {C, D1, 0.0, 2, -1, 1, 0.0, -1},
        {C, D1, 1.0, 2, -1, 1, 0.99, 2},     {T, D3, 0.5, 1, -1, 2, 0.0, 0},
        {T, D3, 0.5, 1, -1, 2, 0.0625, 0.5}, {T, D3, 0.5, 1, -1, 2, 0.125, 1},
        {T, D3, 0.5, 1, -1, 2, 0.25, 0},     {T, D3, 0.5, 1, -1, 2, 0.375, -1},
        {T, D3, 0.5, 1, -1, 2, 0.5, 0},      {T, D1, 0.0, 1, -1, 1, 0.0, -1},
        {T, D1, 0.0, 1, -1, 1, 0.5, 0},      {T, D1, 0.0, 1, -1, 1, 0.75, 0.5},
        {T, D1, 0.5, 1, -1, 1, 0.25, 0},     {T, D1, 0.5, 1, -1, 1, 0.5, -1},
        {T, D2, 0.5, 1, -1, 1, 0.25, 0},     {T, D2, 0.5, 1, -1, 1, 0.5, 1},
        {T, D2, 1.0, 1, -1, 1, 0.75, 0.5},   {T, D3, 0.0, 1, -1, 1, 0.25, 0.5},
        {T, D3, 1.0, 1, -1, 1, 0.25, 0.5},   {T, D3, 1.0, 1, -1, 1, 0.75, -0.5},
        {X, D1, 0.5, 1, -1, 1, 0.25, 0},
    };
    for (const cas_signal& c : cas) {
        etude_temps r;
        r.depart = c.depart;
        r.rapport_cyclique = c.alpha;
        r.amplitude_max = c.a;
        r.amplitude_min = c.b;
        r.frequence_periodique = c.f;
        EXPECT_NEAR(signal_periodique(r, c.genre, c.t), c.attendu, 1e-12)
            << static_cast<int>(c.genre) << static_cast<int>(c.depart) << " alpha " << c.alpha
            << " t " << c.t;
    }
}

TEST(SignalPeriodique, ReglagesDegeneresRestentFinis) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double f : {0.0, -1.0, nan, inf}) {
        for (double alpha : {nan, -1.0, 0.0, 1.0, 2.0}) {
            for (entree_temps genre : {C, T}) {
                for (depart_periodique depart : {D1, D2, D3}) {
                    etude_temps r = carre_unite();
                    r.frequence_periodique = f;
                    r.rapport_cyclique = alpha;
                    r.depart = depart;
                    for (double t : {0.0, 0.3, 7.5, nan, inf}) {
                        EXPECT_TRUE(std::isfinite(signal_periodique(r, genre, t)));
                    }
                }
            }
        }
    }
}

TEST(SignalPeriodique, NombreEtPasDesEchantillons) {
    etude_temps r = carre_unite();
    const std::vector<std::pair<int, int>> cas = {{200, 101},   {201, 101},   {203, 103},
                                                  {1, 1},       {0, 1},       {-7, 1},
                                                  {1'000, 501}, {1'982, 501}, {1'000'000, 501}};
    for (auto [n, attendu] : cas) {
        r.nb_points = n;
        EXPECT_EQ(nb_echantillons_periodiques(r), attendu) << n;
    }
    r.nb_points = 200;
    EXPECT_DOUBLE_EQ(pas_periodique(r), 0.03);
    for (double t_max : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        r.t_max = t_max;
        EXPECT_EQ(pas_periodique(r), 0.0);
    }
    r = carre_unite();
    r.nb_points = 0;
    EXPECT_EQ(pas_periodique(r), 0.0);

    r = carre_unite();
    echantillons_periodiques e;
    echantillonner_entree(r, C, e);
    ASSERT_EQ(e.echantillons_entree.size(), 101u);
    for (std::size_t i = 0; i < e.echantillons_entree.size(); ++i) {
        EXPECT_EQ(e.echantillons_entree[i], signal_periodique(r, C, i * 0.03));
    }
}

/// Functions whose impulse responses cover every kind of term the kernel meets.
struct cas_noyau {
    std::string nom;
    fdt_travail ft;
    double direct;
};

std::vector<cas_noyau> cas_noyaux() {
    const complexe j{0, 1}, mj{0, -1};
    return {
        {"reels", depuis_fractions({{{-1, 0}, 1, {1, 0}}, {{-2, 0}, 1, {-1, 0}}}), 0.0},
        {"complexes", depuis_fractions({{{-1, 2}, 1, {0, -0.25}}, {{-1, -2}, 1, {0, 0.25}}}), 0.0},
        {"triple", depuis_fractions({{{-1, 0}, 3, {1, 0}}, {{-1, 0}, 2, {}}, {{-1, 0}, 1, {}}}),
         0.0},
        {"double_complexe",
         depuis_fractions(
             {{j, 2, {-0.25, 0}}, {mj, 2, {-0.25, 0}}, {j, 1, {0, -0.25}}, {mj, 1, {0, 0.25}}}),
         0.0},
        {"instable", depuis_fractions({{{1, 0}, 1, {1, 0}}, {{-3, 0}, 1, {2, 0}}}), 0.0},
        {"plafond_reel", depuis_fractions({{{40, 0}, 1, {1, 0}}, {{-1, 0}, 1, {1, 0}}}), 0.0},
        {"plafond_complexe",
         depuis_fractions({{{30, 10}, 1, {0, -0.05}}, {{30, -10}, 1, {0, 0.05}}}), 0.0},
        {"integrateur", depuis_fractions({{{0, 0}, 1, {1, 0}}}), 0.0},
        {"terme_direct", depuis_fractions({{{-1, 0}, 1, {1, 0}}}, {{-2, 0}}), 1.0},
        {"rapide_et_lent", depuis_fractions({{{-200, 0}, 1, {200, 0}}, {{-0.5, 0}, 1, {-1, 0}}}),
         0.0},
    };
}

TEST(ConvolutionRapide, EgaleLaDefinition) {
    for (const cas_noyau& c : cas_noyaux()) {
        for (entree_temps genre : {C, T}) {
            for (int precision : {1, 5, 11}) {
                etude_temps r = carre_unite();
                r.amplitude_min = -0.5;
                r.rapport_cyclique = 0.3;
                const noyau_convolution n = preparer_noyau(c.ft, 40 * precision + 1);
                const forme_periodique u = forme_depuis(r, genre);
                std::vector<double> tampon, ref, vite;
                for (int jj = 0; jj <= 40; ++jj) {
                    const double t = jj * 0.1;
                    const int ech = std::max(jj, 1);
                    ref.push_back(reponse_convolution(c.ft, ech, t, c.direct, r, genre, precision));
                    vite.push_back(
                        reponse_convolution_rapide(n, ech, t, c.direct, u, precision, tampon));
                }
                // The scale is the largest response so far, so growing responses are held
                // to their own size rather than to the last, much larger sample.
                double echelle = 0.0;
                for (std::size_t i = 0; i < ref.size(); ++i) {
                    echelle = std::max(echelle, std::abs(ref[i]));
                    EXPECT_NEAR(vite[i], ref[i], 1e-12 * echelle)
                        << c.nom << " " << genre << " K " << precision << " t " << i * 0.1;
                }
            }
        }
    }
}

TEST(ConvolutionRapide, FonctionsAnalyseesEgalentLaDefinition) {
    // Typed functions through the whole analysis: real partial fractions, multiple poles
    // typed as repeated factors, an unstable pair, a direct term.
    const std::vector<std::pair<std::string, std::string>> textes = {
        {"1+0.5p", "(1+p)(1+0.2p+p^2)(1+0.5p)(1+0.03p+0.0009p^2)(1+2p)"},
        {"1", "(1+p)(1+p)(1+p)(1+0.2p+p^2)(1+0.2p+p^2)"},
        {"1", "(1-0.4p+p^2)(1+0.1p)"},
        {"(3+p)(1+2p)", "(1+p)(1+0.5p)"},
    };
    for (const auto& [num, den] : textes) {
        const fdt_travail ft = test::analyse_acceptee(num, den, 3);
        ASSERT_FALSE(HasFailure());
        const double D = terme_direct(ft);
        etude_temps r = carre_unite();
        const noyau_convolution n = preparer_noyau(ft, 30 * 7 + 1);
        const forme_periodique u = forme_depuis(r, T);
        std::vector<double> tampon, ref;
        double echelle = 0.0;
        for (int j = 1; j <= 30; ++j) {
            ref.push_back(reponse_convolution(ft, j, j * 0.2, D, r, T, 7));
            echelle = std::max(echelle, std::abs(ref.back()));
        }
        // Early values of a high-order response are tiny differences of large partial
        // fractions: they are held to the response's scale over the whole interval.
        for (int j = 1; j <= 30; ++j) {
            EXPECT_NEAR(reponse_convolution_rapide(n, j, j * 0.2, D, u, 7, tampon),
                        ref[static_cast<std::size_t>(j - 1)], 1e-12 * echelle)
                << num << " / " << den << " j " << j;
        }
    }
}

/// Exact response of 1/(1+p) to the unit square: y' = u − y piecewise, from y(0) = 0.
double carre_premier_ordre(double t) {
    double y = 0.0, debut = 0.0;
    for (int k = 0; debut < t; ++k) {
        const double niveau = k % 2 == 0 ? 1.0 : 0.0;
        const double fin = std::min(t, debut + 0.5);
        y = niveau + (y - niveau) * std::exp(-(fin - debut));
        debut = fin;
    }
    return y;
}

TEST(ReponsesPeriodiques, PremierOrdreContreLaFormeExacte) {
    std::vector<double> erreurs;
    for (int precision : {1, 5, 11}) {
        systeme sys;
        reglages reg;
        reg.precision_periodique = precision;
        sys.nb_fonctions = 1;
        sys.fonctions[1] = depuis_fractions({{{-1, 0}, 1, {1, 0}}});
        sys.etudes.etude_temps_choisie = entree_temps::carre;
        const etude_temps r = carre_unite();
        calculer_reponses_periodiques(r, sys, reg);
        const signal& y = sys.periodique.echantillons_reponse[1];
        ASSERT_EQ(y.size(), 101u);
        double erreur = 0.0;
        for (std::size_t i = 1; i < y.size(); ++i) {
            const double t = i * 0.03;
            // Left rectangles of width h < Δ/K: each edge of the input costs at most h times
            // the impulse response there, e^(−age of the edge), and the smooth part h/2; the
            // edges every 0.5 s sum to less than 1/(1 − e^−0.5) ≈ 2.5.
            EXPECT_NEAR(y[i], carre_premier_ordre(t), 3.0 * 0.03 / precision) << t;
            erreur = std::max(erreur, std::abs(y[i] - carre_premier_ordre(t)));
        }
        erreurs.push_back(erreur);
    }
    EXPECT_LT(erreurs[2], erreurs[0] / 4);
}

TEST(ReponsesPeriodiques, TermeDirectFaitSauterLaReponse) {
    systeme sys;
    reglages reg;
    sys.nb_fonctions = 1;
    // p/(1+p) = 1 − 1/(1+p).
    sys.fonctions[1] = depuis_fractions({{{-1, 0}, 1, {-1, 0}}}, {{0, 0}});
    sys.etudes.etude_temps_choisie = entree_temps::carre;
    etude_temps r = carre_unite();
    r.nb_points = 400; // Δ = 0.015: the falling edge at 0.5 lies between samples 33 and 34
    calculer_reponses_periodiques(r, sys, reg);
    const signal& y = sys.periodique.echantillons_reponse[1];
    EXPECT_DOUBLE_EQ(y[0], 1.0 * signal_periodique(r, C, 0.0));
    EXPECT_NEAR(y[34] - y[33], -1.0, 0.05);
    EXPECT_NEAR(y[1] - y[0], -0.015, 0.01); // after the first edge the output only decays
}

TEST(ReponsesPeriodiques, ToutesLesFonctionsEgalentLaDefinition) {
    systeme sys;
    reglages reg;
    reg.precision_periodique = 11;
    sys.etudes.etude_temps_choisie = entree_temps::triangle;
    const std::vector<cas_noyau> cas = cas_noyaux();
    sys.nb_fonctions = 3;
    const double directs[] = {0.0, cas[1].direct, cas[4].direct, cas[8].direct};
    sys.fonctions[1] = cas[1].ft;
    sys.fonctions[2] = cas[4].ft;
    sys.fonctions[3] = cas[8].ft;
    etude_temps r = carre_unite();
    r.nb_points = 240; // enough work for the threads
    std::vector<int> jauge;
    calculer_reponses_periodiques(r, sys, reg, [&](int v) { jauge.push_back(v); });

    const double pas = pas_periodique(r);
    for (int f = 1; f <= 3; ++f) {
        const signal& y = sys.periodique.echantillons_reponse[static_cast<std::size_t>(f)];
        ASSERT_EQ(y.size(), 121u);
        double echelle = 0.0;
        std::vector<double> ref(y.size());
        for (std::size_t i = 0; i < y.size(); ++i) {
            const int j = std::max<int>(static_cast<int>(i), 1);
            ref[i] = reponse_convolution(sys.fonctions[static_cast<std::size_t>(f)], j, i * pas,
                                         directs[f], r, T, 11);
            echelle = std::max(echelle, std::abs(ref[i]));
        }
        for (std::size_t i = 0; i < y.size(); ++i) EXPECT_NEAR(y[i], ref[i], 1e-12 * echelle);
    }
    ASSERT_FALSE(jauge.empty());
    EXPECT_EQ(jauge.front(), 0);
    EXPECT_EQ(jauge.back(), 100);
    EXPECT_TRUE(std::is_sorted(jauge.begin(), jauge.end()));
}

TEST(ReponsesPeriodiques, JaugeEtFonctionsConcernees) {
    struct cas_jauge {
        bool toutes, boucle, non_corrige;
        std::vector<int> remplis;
    };
    const std::vector<cas_jauge> cas = {{true, false, false, {1, 2, 3}},
                                        {false, false, false, {2}},
                                        {false, true, false, {3}},
                                        {false, true, true, {3, 4}}};
    for (const cas_jauge& c : cas) {
        systeme sys;
        reglages reg;
        sys.nb_fonctions = 3;
        sys.fonction_courante = 2;
        sys.etudes.toutes_fonctions = c.toutes;
        sys.etudes.boucle_fermee = c.boucle;
        sys.etudes.afficher_non_corrige = c.non_corrige;
        sys.etudes.etude_temps_choisie = entree_temps::carre;
        for (int k = 1; k <= 4; ++k) {
            sys.fonctions[static_cast<std::size_t>(k)] =
                depuis_fractions({{{-1.0 * k, 0}, 1, {1, 0}}});
        }
        std::vector<int> jauge;
        calculer_reponses_periodiques(carre_unite(), sys, reg, [&](int v) { jauge.push_back(v); });
        for (int k = 1; k <= 4; ++k) {
            const bool rempli = std::count(c.remplis.begin(), c.remplis.end(), k) > 0;
            EXPECT_EQ(sys.periodique.echantillons_reponse[static_cast<std::size_t>(k)].size(),
                      rempli ? 101u : 0u)
                << k;
        }
        ASSERT_GE(jauge.size(), 2u);
        EXPECT_EQ(jauge.front(), 0);
        EXPECT_EQ(jauge.back(), 100);
        EXPECT_TRUE(std::is_sorted(jauge.begin(), jauge.end()));
        EXPECT_EQ(std::adjacent_find(jauge.begin(), jauge.end()), jauge.end());
    }
}

TEST(ReponsesPeriodiques, ReglagesDegeneresTerminent) {
    static constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    struct cas_degenere {
        std::string nom;
        void (*regler)(etude_temps&, reglages&);
    };
    const std::vector<cas_degenere> cas = {
        {"f nulle", [](etude_temps& r, reglages&) { r.frequence_periodique = 0; }},
        {"f negative", [](etude_temps& r, reglages&) { r.frequence_periodique = -2; }},
        {"f NaN", [](etude_temps& r, reglages&) { r.frequence_periodique = nan; }},
        {"N nul", [](etude_temps& r, reglages&) { r.nb_points = 0; }},
        {"N negatif", [](etude_temps& r, reglages&) { r.nb_points = -40; }},
        {"intervalle vide", [](etude_temps& r, reglages&) { r.t_max = r.t_min; }},
        {"intervalle renverse", [](etude_temps& r, reglages&) { r.t_max = -3; }},
        {"t_max NaN", [](etude_temps& r, reglages&) { r.t_max = nan; }},
        {"alpha 0", [](etude_temps& r, reglages&) { r.rapport_cyclique = 0; }},
        {"alpha 1", [](etude_temps& r, reglages&) { r.rapport_cyclique = 1; }},
        {"precision 0", [](etude_temps&, reglages& g) { g.precision_periodique = 0; }},
        {"precision 99", [](etude_temps&, reglages& g) { g.precision_periodique = 99; }},
    };
    for (entree_temps genre : {C, T}) {
        for (const cas_degenere& c : cas) {
            systeme sys;
            reglages reg;
            etude_temps r = carre_unite();
            c.regler(r, reg);
            sys.nb_fonctions = 1;
            sys.fonctions[1] = depuis_fractions({{{-1, 0}, 1, {1, 0}}});
            sys.etudes.etude_temps_choisie = genre;
            calculer_reponses_periodiques(r, sys, reg);
            const signal& y = sys.periodique.echantillons_reponse[1];
            EXPECT_EQ(y.size(), static_cast<std::size_t>(nb_echantillons_periodiques(r)));
            for (double v : y) EXPECT_TRUE(std::isfinite(v)) << c.nom;
        }
    }
}

TEST(ReponsesPeriodiques, PrecisionHorsBornesEstRamenee) {
    etude_temps r = carre_unite();
    const fdt_travail ft = depuis_fractions({{{-1, 0}, 1, {1, 0}}});
    EXPECT_EQ(reponse_convolution(ft, 7, 0.7, 0, r, C, 99),
              reponse_convolution(ft, 7, 0.7, 0, r, C, 11));
    EXPECT_EQ(reponse_convolution(ft, 7, 0.7, 0, r, C, -3),
              reponse_convolution(ft, 7, 0.7, 0, r, C, 1));
    EXPECT_EQ(reponse_convolution(ft, 7, -0.7, 1, r, C, 5), 0.0);
}

} // namespace
} // namespace varlem
