#include "studies/export_csv.h"

#include "analysis/outils_frequence.h"
#include "analysis/outils_temps.h"
#include "analysis/periodique.h"
#include "analysis/reponse_temps.h"

#include "support/genres.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numbers>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace varlem {
namespace {

using test::banc;
using test::fonction_depuis_racines;
using test::systeme_de;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

using ligne = std::vector<std::string>;

std::vector<ligne> lire(const std::string& csv) {
    std::vector<ligne> lignes;
    std::istringstream flux(csv);
    for (std::string l; std::getline(flux, l);) {
        lignes.emplace_back();
        std::istringstream champs(l);
        for (std::string c; std::getline(champs, c, ',');) lignes.back().push_back(c);
    }
    return lignes;
}

double lu(const std::string& s) {
    double x = -1234.5;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), x);
    EXPECT_TRUE(r.ec == std::errc{} && r.ptr == s.data() + s.size()) << s;
    return x;
}

TEST(ExportCsvTest, NombresExactsEtSpeciaux) {
    for (const double x : {0.1, 1.0 / 3, -2.5e-300, 1.7976931348623157e308, 4.9e-324, -0.0,
                           123456789012345678.0, 6.02214076e23}) {
        const std::string s = nombre_csv(x);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(lu(s)), std::bit_cast<std::uint64_t>(x)) << s;
    }
    const std::pair<double, const char*> exacts[] = {
        {nan, "nan"}, {-nan, "nan"}, {inf, "inf"}, {-inf, "-inf"}, {0.5, "0.5"}, {1e20, "1e+20"}};
    for (const auto& [x, s] : exacts) EXPECT_EQ(nombre_csv(x), s);
    // A locale with a decimal comma, where one is installed, changes nothing.
    const std::string avant = std::setlocale(LC_ALL, nullptr);
    for (const char* nom : {"fr_FR.UTF-8", "fr_FR.utf8", "de_DE.UTF-8"}) {
        if (std::setlocale(LC_ALL, nom) == nullptr) continue;
        EXPECT_EQ(nombre_csv(0.25) + nombre_csv(1.0 / 3), "0.250.33333333333333331") << nom;
    }
    std::setlocale(LC_ALL, avant.c_str());
}

// k / (p + a) at ω: gain in dB and phase in radians.
struct premier_ordre {
    double k, a;
    double gain(double w) const { return 20 * std::log10(k) - 10 * std::log10(a * a + w * w); }
    double phase(double w) const { return -std::atan(w / a); }
};

TEST(ExportCsvTest, FrequentielGainEtPhaseDesFonctionsMontrees) {
    const premier_ordre f[] = {{1, 1}, {10, 10}, {3, 0.5}};
    const char* entete_nc = "G1 (dB),phase1 (rad),G non corrigé (dB),phase non corrigée (rad)";
    struct cas {
        bool toutes, hz, rad, non_corrige;
        int courante;
        const char* entete;
        std::vector<int> fonctions;
    };
    const cas table[] = {
        {true, false, true, false, 1, "G1 (dB),phase1 (rad),G2 (dB),phase2 (rad)", {0, 1}},
        {false, true, false, false, 2, "G2 (dB),phase2 (deg)", {1}},
        {false, false, true, true, 1, entete_nc, {0, 2}},
    };
    for (const cas& c : table) {
        auto s = systeme_de({{1, {}, {{-1, 0}}}, {10, {}, {{-10, 0}}}}, c.toutes, c.courante);
        s->etudes.boucle_fermee = s->etudes.afficher_non_corrige = c.non_corrige;
        s->courante_sauvee = 2;
        s->sauvegarde[2] = fonction_depuis_racines(3, {}, {{-0.5, 0}});
        const etude_frequence r = test::etude_de(*s, c.hz, c.rad);
        const std::string csv = csv_frequentiel(r, *s);
        ASSERT_EQ(csv.substr(0, csv.find('\n')), std::string("w (rad/s),") + c.entete);
        const std::vector<ligne> l = lire(csv);
        ASSERT_EQ(l.size(), std::size_t((r.decade_max - r.decade_min) * 100 + 2));
        EXPECT_EQ(lu(l[1][0]), r.w_min);
        EXPECT_EQ(lu(l.back()[0]), r.w_max);
        const double unite = c.rad ? 1 : 180 / std::numbers::pi;
        for (std::size_t i = 1; i < l.size(); ++i) {
            const double w = lu(l[i][0]);
            ASSERT_EQ(l[i].size(), l[0].size());
            EXPECT_NEAR(w / lu(l[std::max<std::size_t>(i - 1, 1)][0]),
                        i > 1 ? 1.0232929922807541 : 1, 1e-12);
            for (std::size_t j = 0; j < c.fonctions.size(); ++j) {
                EXPECT_NEAR(lu(l[i][1 + 2 * j]), f[c.fonctions[j]].gain(w), 1e-9) << w;
                EXPECT_NEAR(lu(l[i][2 + 2 * j]), f[c.fonctions[j]].phase(w) * unite, 1e-9) << w;
            }
        }
    }
}

TEST(ExportCsvTest, TemporelExactSurLaGrilleDuTrace) {
    constexpr double A = 2, w = 3, phi = 0.5;
    const double m = A / std::hypot(1.0, w), d = phi - std::atan(w);
    struct cas {
        entree_temps genre;
        std::function<double(double)> u, y; // input and response of 1/(1 + p)
    };
    const cas table[] = {
        {entree_temps::impulsion, [](double) { return 0.0; },
         [](double t) { return std::exp(-t); }},
        {entree_temps::echelon, [](double) { return 1.0; },
         [](double t) { return 1 - std::exp(-t); }},
        {entree_temps::rampe, [](double t) { return t; },
         [](double t) { return t - 1 + std::exp(-t); }},
        {entree_temps::sinus, [&](double t) { return A * std::sin(w * t + phi); },
         [&](double t) { return m * (std::sin(w * t + d) - std::sin(d) * std::exp(-t)); }},
    };
    for (const cas& c : table) {
        auto b = banc({{"1", "1+p"}, {"2", "1+p"}});
        b->r().amplitude = A;
        b->r().pulsation = w;
        b->r().phase_origine = phi;
        const etude_temps& r = b->calculer(c.genre);
        const std::vector<ligne> l = lire(csv_temporel(r, b->sys, b->reg));
        ASSERT_EQ(l.size(), std::size_t(grille_trace(r).nombre + 1));
        EXPECT_EQ(lu(l[1][0]), r.t_min);
        EXPECT_NEAR(lu(l.back()[0]), r.t_max, 2 * r.dt);
        for (std::size_t i = 1; i < l.size(); ++i) {
            const double t = lu(l[i][0]);
            EXPECT_NEAR(lu(l[i][1]), c.u(t), 1e-12) << c.genre << t;
            EXPECT_NEAR(lu(l[i][2]), c.y(t), 1e-9) << c.genre << t;
            EXPECT_NEAR(lu(l[i][3]), 2 * c.y(t), 2e-9) << c.genre << t;
        }
    }
}

TEST(ExportCsvTest, TemporelColonnesCommeLeTrace) {
    struct cas {
        entree_temps genre;
        bool toutes, boucle;
        std::string entete;
    };
    const cas table[] = {
        {entree_temps::echelon, false, false, "t (s),entree,y2"},
        {entree_temps::echelon, true, false, "t (s),entree,y1,y2"},
        {entree_temps::echelon, false, true, "t (s),entree,y3,y4"},
        {entree_temps::echelon, true, true, "t (s),entree,y1,y2"},
        {entree_temps::impulsion, true, true, "t (s),entree,y1,y2,y4"},
        {entree_temps::carre, false, true, "t (s),entree,y3,y4"},
        {entree_temps::triangle, true, true, "t (s),entree,y1,y2"},
        {entree_temps::aucune, false, true, "t (s),entree,y3,y4"},
        {entree_temps::aucune, true, false, "t (s),entree,y1,y2"},
    };
    for (const cas& c : table) {
        auto b = banc({{"1", "1+p"}, {"1", "1+p"}, {"1", "1+p"}, {"1", "1+2p"}});
        b->sys.nb_fonctions = 2;
        b->sys.fonction_courante = 2;
        b->sys.etudes.toutes_fonctions = c.toutes;
        b->sys.etudes.boucle_fermee = b->sys.etudes.afficher_non_corrige = c.boucle;
        b->calculer(c.genre == entree_temps::aucune ? entree_temps::echelon : c.genre);
        b->sys.etudes.etude_temps_choisie = c.genre;
        const std::string csv = csv_temporel(b->r(), b->sys, b->reg);
        const std::vector<ligne> l = lire(csv);
        EXPECT_EQ(csv.substr(0, csv.find('\n')), c.entete) << c.genre << c.toutes << c.boucle;
        EXPECT_EQ(l.size() == 1, c.genre == entree_temps::aucune);
        for (const ligne& champs : l) EXPECT_EQ(champs.size(), lire(c.entete)[0].size());
        for (std::size_t i = 1;
             c.genre == entree_temps::echelon && c.boucle && !c.toutes && i < l.size(); ++i)
            EXPECT_NEAR(lu(l[i][3]), 1 - std::exp(-lu(l[i][0]) / 2), 1e-9);
    }
}

TEST(ExportCsvTest, PeriodiqueUneLigneParEchantillon) {
    const std::pair<int, std::size_t> table[] = {{200, 101}, {201, 101}, {7, 5}, {1, 1}};
    for (const auto& [n, lignes] : table) {
        auto b = banc({{"1", "1+p"}});
        etude_temps& r = b->r();
        b->sys.etudes.etude_temps_choisie = entree_temps::carre;
        r.nb_points = n;
        r.t_min = 0;
        r.t_max = 3;
        auto& p = b->sys.periodique;
        p.echantillons_entree.clear();
        for (std::size_t i = 0; i < lignes; ++i) p.echantillons_entree.push_back(i / 7.0);
        // A response one sample short, as an older computation leaves it.
        p.echantillons_reponse[1].assign(lignes - 1, 1 / 3.0);
        const std::vector<ligne> l = lire(csv_temporel(r, b->sys, b->reg));
        ASSERT_EQ(l.size(), lignes + 1) << n;
        for (std::size_t i = 0; i < lignes; ++i) {
            EXPECT_DOUBLE_EQ(lu(l[i + 1][0]), r.t_min + double(i) * 2 * (r.t_max - r.t_min) / n);
            EXPECT_EQ(lu(l[i + 1][1]), i / 7.0);
            EXPECT_EQ(l[i + 1][2], i + 1 < lignes ? nombre_csv(1 / 3.0) : "nan");
        }
    }
}

TEST(ExportCsvTest, PolesEtZerosDistinctsAvecMultiplicite) {
    auto s = systeme_de({{2, {{-3, 0}, {-3, 0}, {0, 0}}, {{-1, 2}, {-1, 0}, {-1, -2}, {-1, 0}}},
                         {1, {}, {{-5, 0}}}},
                        false, 1);
    EXPECT_EQ(csv_poles_zeros(*s), "type,re,im,multiplicite\n"
                                   "pôle,-1,2,1\npôle,-1,0,2\npôle,-1,-2,1\n"
                                   "zéro,-3,0,2\nzéro,0,0,1\n");
    s->etudes.boucle_fermee = true; // the closed loop is slot 3, empty here
    EXPECT_EQ(csv_poles_zeros(*s), "type,re,im,multiplicite\n");
}

} // namespace
} // namespace varlem
