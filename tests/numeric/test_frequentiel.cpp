#include "numeric/frequentiel.h"
#include "numeric/frequentiel_noyau.h"

#include "support/analyse_acceptee.h"
#include "support/fabrique.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace varlem {
namespace {

using test::fonction_depuis_racines;

std::vector<double> pulsations_log(double lo, double hi, int n) {
    std::vector<double> w(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        w[static_cast<std::size_t>(k)] = lo * std::pow(hi / lo, k / (n - 1.0));
    return w;
}

// The kernels this processor runs.
std::vector<noyau::choix_noyau> noyaux() {
    std::vector<noyau::choix_noyau> n{noyau::choix_noyau::portable};
    if (noyau::avx512_disponible()) n.push_back(noyau::choix_noyau::avx512);
    return n;
}

// The batch must agree with the point-by-point definitions everywhere, including the branch
// of the phase: a missed turn shows as an error of 2π.
void comparer_points(const fdt_travail& ft, const std::vector<double>& w,
                     const std::vector<point_frequence>& r) {
    for (std::size_t k = 0; k < w.size(); ++k) {
        const complexe attendu = fdt_valeur(ft.fonction, w[k]);
        ASSERT_NEAR(r[k].phase, fdt_phase(ft, w[k]), 1e-9) << "w=" << w[k];
        if (!std::isfinite(attendu.re) || !std::isfinite(attendu.im)) {
            // Exactly on a pole: no finite value to compare, only the phase above.
            EXPECT_FALSE(std::isfinite(r[k].t.re) && std::isfinite(r[k].t.im));
            continue;
        }
        const double echelle = std::hypot(attendu.re, attendu.im);
        ASSERT_NEAR(r[k].t.re, attendu.re, 1e-11 * echelle) << "w=" << w[k];
        ASSERT_NEAR(r[k].t.im, attendu.im, 1e-11 * echelle) << "w=" << w[k];
        ASSERT_NEAR(r[k].gain_db, fdt_gain_db(ft.fonction, w[k]), 1e-9) << "w=" << w[k];
    }
}

// comparer_points for every kernel.
void comparer(const fdt_travail& ft, const std::vector<double>& w) {
    for (const noyau::choix_noyau choix : noyaux()) {
        SCOPED_TRACE(choix == noyau::choix_noyau::portable ? "portable" : "avx512");
        std::vector<double> v(4 * w.size());
        const tableaux_frequence t{v.data(), v.data() + w.size(), v.data() + 2 * w.size(),
                                   v.data() + 3 * w.size()};
        reponse_frequentielle(ft, w, t, choix);
        std::vector<point_frequence> r(w.size());
        for (std::size_t k = 0; k < w.size(); ++k)
            r[k] = {w[k], {t.re[k], t.im[k]}, t.gain_db[k], t.phase[k]};
        comparer_points(ft, w, r);
    }
}

struct cas_frequence {
    const char* nom;
    double gain;
    std::vector<complexe> zeros;
    std::vector<complexe> poles;
};

TEST(ReponseFrequentielleTest, EgaleLesDefinitionsPointParPoint) {
    const cas_frequence cas[] = {
        {"premier ordre", 1, {}, {{-1, 0}}},
        {"gain negatif", -2, {{1, 0}}, {{-1, 0}, {-0.5, 0}}},
        {"paire peu amortie", 1, {}, {{-0.001, 1}, {-0.001, -1}}},
        {"deux paires voisines", 1, {}, {{-1e-4, 1}, {-1e-4, -1}, {-1e-4, 1.001}, {-1e-4, -1.001}}},
        {"integrateur", 3, {{-2, 0}}, {{0, 0}, {-10, 0}}},
        {"poles imaginaires", 1, {}, {{0, 1}, {0, -1}, {-1, 0}}},
        {"instable", 1, {{-1, 0}}, {{2, 0}, {1, 3}, {1, -3}}},
        {"rejecteur", 1, {{0, 1}, {0, -1}}, {{-0.1, 0.995}, {-0.1, -0.995}}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const fdt_travail ft = fonction_depuis_racines(c.gain, c.zeros, c.poles);
        comparer(ft, pulsations_log(1e-3, 1e3, 1000));
        comparer(ft, pulsations_log(1e3, 1e-3, 377));       // descending
        comparer(ft, {1.0, 0.5, 2.0, 1.0, 0.0, 1e-9, 3.0}); // unsorted, hitting roots exactly
    }
}

TEST(ReponseFrequentielleTest, FonctionsAleatoires) {
    std::mt19937_64 alea(42);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int essai = 0; essai < 50; ++essai) {
        std::vector<complexe> poles, zeros;
        const int nb_paires = 1 + essai % 5;
        for (int i = 0; i < nb_paires; ++i) {
            const double module = std::pow(10.0, 2 * u(alea));
            const double amort = std::pow(10.0, -3 + 3 * std::fabs(u(alea)));
            poles.push_back({-amort * module, module});
            poles.push_back({-amort * module, -module});
        }
        for (int i = 0; i < essai % 3; ++i) poles.push_back({-std::pow(10.0, 2 * u(alea)), 0});
        for (int i = 0; i < essai % 4; ++i) zeros.push_back({3 * u(alea), 0});
        const fdt_travail ft = fonction_depuis_racines(u(alea) > 0 ? 1 : -1, zeros, poles);
        comparer(ft, pulsations_log(1e-3, 1e3, 500 + essai));
    }
}

TEST(ReponseFrequentielleTest, GainsExtremes) {
    // |T|² leaves the normal doubles (zero, subnormal, infinite) far before |T| does.
    for (const double k : {1e-200, 1e-160, 1e-155, 1e-100, 1.0, 1e100, 1e154, 1e160, 1e200}) {
        SCOPED_TRACE(k);
        comparer(fonction_depuis_racines(k, {{-1, 0}}, {{-0.1, 0}, {-10, 0}}),
                 pulsations_log(1e-3, 1e3, 97));
    }
}

TEST(ReponseFrequentielleTest, SeriesDeToutesLongueurs) {
    // Every length from one point to a few vectors, so that every partial group is met.
    const fdt_travail ft =
        fonction_depuis_racines(-1, {{2, 0}}, {{-0.05, 1}, {-0.05, -1}, {-3, 0}});
    for (int n = 1; n <= 70; ++n) {
        SCOPED_TRACE(n);
        comparer(ft, n == 1 ? std::vector<double>{0.7} : pulsations_log(0.1, 10, n));
    }
}

TEST(ReponseFrequentielleTest, LongueSerieAvecRupturesLoinDuDebut) {
    // Poles on the axis passed closely in the second piece of the series and a sharp pair in
    // the third: the phase carried from piece to piece must stay on the right branch.
    const fdt_travail ft = fonction_depuis_racines(
        1, {{-5, 0}}, {{0, 1000}, {0, -1000}, {-0.001, 1500}, {-0.001, -1500}, {-1, 0}});
    std::vector<double> w(3500);
    for (std::size_t k = 0; k < w.size(); ++k) w[k] = 0.123 + 0.5 * static_cast<double>(k);
    comparer(ft, w);
}

TEST(ReponseFrequentielleTest, PulsationNonDefinie) {
    // A NaN pulsation gives NaN there and exact values around it.
    const fdt_travail ft = fonction_depuis_racines(1, {}, {{-1, 0}, {-2, 0}});
    const std::vector<double> w = {1.0, NAN, 2.0, 3.0};
    for (const noyau::choix_noyau choix : noyaux()) {
        std::vector<double> v(16);
        reponse_frequentielle(ft, w, {v.data(), v.data() + 4, v.data() + 8, v.data() + 12}, choix);
        EXPECT_TRUE(std::isnan(v[12 + 1]));
        for (const std::size_t k : {0u, 2u, 3u}) EXPECT_NEAR(v[12 + k], fdt_phase(ft, w[k]), 1e-12);
    }
}

TEST(ReponseFrequentielleTest, PointInfiniSuiviDUnPointFini) {
    // Found by fuzzing: T overflows at the second pulsation while its argument, taken before
    // the division, is finite. The third point must still restart from the exact phase.
    const fdt_travail ft = test::analyse_acceptee("1+0.5*p", "103602*p^6+0.000161e-160");
    comparer(ft, {1.397389099877681e-259, 1.4933681132490913e-259, -4.0538389927015716e-19});
}

TEST(FonctionTransfertTest, DeriveeDUneFraction) {
    // d/dp [(1 + 2p) / (1 + p)] = 1 / (1 + p)², compared at a few complex points.
    fdt f;
    f.num = test::polynome_depuis_racines({{-0.5, 0}}, 2.0);
    f.den = test::polynome_depuis_racines({{-1, 0}});
    const fdt d = f_derivee(f);
    for (const complexe z : {complexe{0, 0}, complexe{2, 1}, complexe{-0.3, 4}}) {
        const complexe v = c_quotient(p_valeur(d.num, z), p_valeur(d.den, z));
        const complexe u = c_somme(z, {1, 0});
        const complexe attendu = c_quotient({1, 0}, c_produit(u, u));
        EXPECT_NEAR(v.re, attendu.re, 1e-12);
        EXPECT_NEAR(v.im, attendu.im, 1e-12);
    }
    EXPECT_EQ(factorielle(0), 1.0);
    EXPECT_EQ(factorielle(5), 120.0);
    EXPECT_EQ(factorielle(14), 87178291200.0); // beyond 32 bits
}

TEST(FonctionTransfertTest, GainHorsDesDoublesFini) {
    // num(jω) and den(jω) overflow or vanish, the gain in dB stays a finite number.
    struct cas {
        std::vector<complexe> zeros;
        int poles_nuls;
        double w;
        double gain_db;
    };
    for (const cas& c : {cas{{{0, 0}}, 15, 1e-30, 280 * 30.0}, cas{{}, 15, 1e30, -300 * 30.0},
                         cas{{{-1, 0}}, 15, 1e-200, 20 * 15 * 200.0}}) {
        fdt f;
        f.num = test::polynome_depuis_racines(c.zeros);
        f.den.degre = c.poles_nuls;
        f.den.coef[static_cast<std::size_t>(c.poles_nuls)] = {1, 0};
        const double g = fdt_gain_db(f, c.w);
        EXPECT_NEAR(g, c.gain_db, 1e-9 * std::fabs(c.gain_db)) << c.w;
    }
    // Exactly on a pole of the axis the gain is infinite, and says so.
    fdt f;
    f.num = test::polynome_depuis_racines({});
    f.den = test::polynome_depuis_racines({{0, 1}, {0, -1}});
    EXPECT_EQ(fdt_gain_db(f, 1.0), HUGE_VAL);
}

TEST(ReponseFrequentielleTest, ZeroExactDonneMoinsDixMille) {
    const fdt_travail ft = fonction_depuis_racines(1, {{0, 0}}, {{-1, 0}});
    const std::vector<double> w = {0.0, 1.0};
    std::vector<point_frequence> r(2);
    reponse_frequentielle(ft, w, r);
    EXPECT_EQ(r[0].gain_db, -10000.0);
    EXPECT_NEAR(r[1].gain_db, 20 * std::log10(1 / std::sqrt(2.0)), 1e-12);
}

} // namespace
} // namespace varlem
