#include "analysis/lieu_evans.h"

#include "analysis/lieu_calcul.h"
#include "outils_lieu.h"
#include "support/reference_stabilite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace varlem {
namespace {

using test::lieu_de;

constexpr const char* degre15 =
    "(1+1*p)(1+0.2*p+1*p^2)(1+0.3*p+0.09*p^2)(1+0.5*p)(1+0.2*p+0.04*p^2)"
    "(1+0.08*p)(1+0.03*p+0.0009*p^2)(1+2*p)(1+0.01*p+0.0001*p^2)(1+0.005*p)";

std::string joindre(const std::vector<std::string>& v) {
    std::string t;
    for (std::size_t i = 0; i < v.size() && i < 8; ++i) t += "\n  " + v[i];
    return t;
}

bool proche(double x, double ref) {
    return std::fabs(x - ref) <= std::max(1e-9 * std::fabs(ref), 1e-12);
}

// Every special point's gain is refined until D(s) + K·N(s) vanishes within 1e-12 of its terms.
void verifier_gains_exacts(const lieu_evans& l, const std::string& nom) {
    for (const point_separation& p : l.separations)
        EXPECT_TRUE(lieu::gain_exact(l.num, l.den, p.s, p.k)) << nom << " séparation k = " << p.k;
    for (const croisement_axe& c : l.croisements)
        EXPECT_TRUE(lieu::gain_exact(l.num, l.den, {0, c.omega}, c.k)) << nom << " croisement";
}

TEST(LieuEvansTest, CasDeReference) {
    for (const auto& c : test::cas_lieu_references()) {
        const lieu_evans l = lieu_de(c.num, c.den);
        EXPECT_EQ(l.num, c.num_coef) << c.id;
        EXPECT_EQ(l.den, c.den_coef) << c.id;
        const auto e = test::ecarts_points_lieu(test::points_de(l), c.attendu);
        EXPECT_TRUE(e.empty()) << c.id << joindre(e);
    }
}

struct cas_ferme {
    const char* nom;
    const char* num;
    const char* den;
    std::vector<point_separation> separations;
    std::vector<croisement_axe> croisements;
    std::vector<intervalle_gains> stables;
};

// Special points known in closed form.
TEST(LieuEvansTest, PointsEnFormeFermee) {
    const double r3 = std::sqrt(3.0), r2 = std::sqrt(2.0), r6 = std::sqrt(6.0);
    const cas_ferme cas[] = {
        {"trois pôles",
         "1",
         "(p)(1+p)(2+p)",
         {{{-1 + 1 / r3, 0}, 2 / (3 * r3), 2}},
         {{r2, 6}},
         {{0, 6}}},
        {"point triple", "1", "(p)(3+3p+p^2)", {{{-1, 0}, 1, 3}}, {{r3, 9}}, {{0, 9}}},
        {"séparations complexes",
         "1",
         "(p)(4+p)(20+4p+p^2)",
         {{{-2, -r6}, 100, 2}, {{-2, 0}, 64, 2}, {{-2, r6}, 100, 2}},
         {{std::sqrt(10.0), 260}},
         {{0, 260}}},
        {"cercle",
         "2+p",
         "(p)(1+p)",
         {{{-2 - r2, 0}, 3 + 2 * r2, 2}, {{-2 + r2, 0}, 3 - 2 * r2, 2}},
         {},
         {{0, HUGE_VAL}}},
        {"racine passant par l'infini", "1-p", "2+p", {}, {}, {{0, 1}}},
        {"croisement en zéro",
         "1",
         "(0-1+p)(2+p)",
         {{{-0.5, 0}, 2.25, 2}},
         {{0, 2}},
         {{2, HUGE_VAL}}},
    };
    for (const auto& c : cas) {
        const lieu_evans l = test::lieu_de(c.num, c.den);
        ASSERT_EQ(l.separations.size(), c.separations.size()) << c.nom;
        for (const point_separation& attendu : c.separations) {
            bool trouve = false;
            for (const point_separation& p : l.separations)
                trouve =
                    trouve || (proche(p.s.re, attendu.s.re) && proche(p.s.im, attendu.s.im) &&
                               proche(p.k, attendu.k) && p.multiplicite == attendu.multiplicite);
            EXPECT_TRUE(trouve) << c.nom << " " << attendu.s.re << " " << attendu.s.im;
        }
        ASSERT_EQ(l.croisements.size(), c.croisements.size()) << c.nom;
        for (std::size_t i = 0; i < l.croisements.size(); ++i) {
            EXPECT_TRUE(proche(l.croisements[i].omega, c.croisements[i].omega)) << c.nom;
            EXPECT_TRUE(proche(l.croisements[i].k, c.croisements[i].k)) << c.nom;
        }
        ASSERT_EQ(l.gains_stables.size(), c.stables.size()) << c.nom;
        for (std::size_t i = 0; i < l.gains_stables.size(); ++i) {
            EXPECT_TRUE(proche(l.gains_stables[i].k_min, c.stables[i].k_min)) << c.nom;
            EXPECT_TRUE(l.gains_stables[i].k_max == c.stables[i].k_max ||
                        proche(l.gains_stables[i].k_max, c.stables[i].k_max))
                << c.nom;
        }
        verifier_gains_exacts(l, c.nom);
    }
}

TEST(LieuEvansTest, Asymptotes) {
    struct cas {
        const char *num, *den;
        double centre;
        std::vector<double> angles;
    };
    const cas tous[] = {
        {"1", "(p)(1+p)(2+p)", -1, {60, 180, 300}},
        {"2+p", "(p)(1+p)(3+p)", -1, {90, 270}},
        // A negative ratio of leading coefficients turns the asymptotes by half a sector.
        {"0-1", "(p)(1+p)", -0.5, {0, 180}},
        // Branches coming from infinity at K = 0 when deg N > deg D.
        {"(1+p)(1+p)", "p", -2, {180}},
    };
    for (const auto& c : tous) {
        const lieu_evans l = lieu_de(c.num, c.den);
        ASSERT_TRUE(l.asymptotes) << c.den;
        EXPECT_DOUBLE_EQ(l.asymptotes->centre, c.centre) << c.den;
        EXPECT_EQ(l.asymptotes->angles_deg, c.angles) << c.den;
    }
    EXPECT_FALSE(lieu_de("1-p", "2+p").asymptotes);
}

// Departure and arrival angles against the textbook sums of angles.
TEST(LieuEvansTest, AnglesDeDepartEtDArrivee) {
    const lieu_evans a = lieu_de("1", "(1+p)(2+2p+p^2)");
    ASSERT_EQ(a.departs.size(), 2u);
    EXPECT_NEAR(a.departs[0].angle_deg, 0, 1e-9);
    const lieu_evans b = lieu_de("1", "(p)(4+p)(20+4p+p^2)");
    ASSERT_EQ(b.departs.size(), 2u);
    EXPECT_NEAR(b.departs[0].angle_deg, 90, 1e-9);  // at −2 − 4j
    EXPECT_NEAR(b.departs[1].angle_deg, -90, 1e-9); // at −2 + 4j
    // 180° − ∠(z − z̄) + ∠(z − 0) + ∠(z + 1) at z = −1 + j: 180 − 90 + 135 + 90 ≡ −45.
    const lieu_evans c = lieu_de("2+2p+p^2", "(p)(1+p)");
    ASSERT_EQ(c.arrivees.size(), 2u);
    EXPECT_NEAR(c.arrivees[0].angle_deg, 45, 1e-9);
    EXPECT_NEAR(c.arrivees[1].angle_deg, -45, 1e-9);
    // A multiple complex pole has no single departure angle.
    EXPECT_TRUE(lieu_de("1", "(2+2p+p^2)(2+2p+p^2)").departs.empty());
}

// Loops built from known closed-loop roots: D = Π(p − rᵢ) − K₀·N has the roots rᵢ at K₀.
TEST(LieuEvansTest, PointsDeBouclesConstruites) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> u(0.3, 3.0);
    for (int essai = 0; essai < 200; ++essai) {
        const double a = u(gen), b = u(gen), c = u(gen), w = u(gen), k0 = u(gen);
        polynome n = test::polynome_lu("1");
        polynome produit;
        std::vector<complexe> racines;
        int m = 2;
        switch (essai % 4) {
        case 0: // crossing at jw
            n = test::polynome_lu("1+p");
            racines = {{0, w}, {0, -w}, {-a, 0}, {-b, 0}};
            break;
        case 1: // real break-away at −a
            racines = {{-a, 0}, {-a, 0}, {-b, 0}};
            break;
        case 2: // complex break-away points at −a ± jw
            racines = {{-a, w}, {-a, -w}, {-a, w}, {-a, -w}, {-c, 0}};
            break;
        default: // three branches meeting at −a
            racines = {{-a, 0}, {-a, 0}, {-a, 0}};
            m = 3;
            break;
        }
        polynome d = p_constante(1);
        for (const complexe& r : racines) {
            polynome f;
            f.degre = 1;
            f.coef[0] = {-r.re, -r.im};
            f.coef[1] = {1, 0};
            d = p_produit(d, f);
        }
        for (auto& x : d.coef) x.im = 0;
        polynome kn = n;
        for (auto& x : kn.coef) x.re *= -k0;
        d = p_somme(d, kn);
        const lieu_evans l = calculer_lieu(n, d);
        verifier_gains_exacts(l, "construit");
        bool trouve = false;
        if (essai % 4 == 0) {
            for (const croisement_axe& x : l.croisements)
                trouve = trouve ||
                         (std::fabs(x.omega - w) <= 1e-8 * w && std::fabs(x.k - k0) <= 1e-8 * k0);
        } else {
            for (const point_separation& p : l.separations)
                trouve = trouve || (c_module(c_difference(p.s, racines[0])) <= 1e-6 &&
                                    std::fabs(p.k - k0) <= 1e-8 * k0 && p.multiplicite == m);
        }
        EXPECT_TRUE(trouve) << "essai " << essai << " " << polynome_texte(d, 'p');
        const auto defauts = test::defauts_branches(l, l.branches);
        EXPECT_TRUE(defauts.empty())
            << "essai " << essai << " " << polynome_texte(d, 'p') << joindre(defauts);
    }
}

// The checks every locus passes, and an independent tracking of every step.
TEST(LieuEvansTest, BranchesSansEchange) {
    struct cas {
        const char *nom, *num, *den;
    };
    const cas tous[] = {
        {"trois pôles", "1", "(p)(1+p)(2+p)"},
        {"avec un zéro", "2+p", "(p)(1+p)(3+p)"},
        {"cercle", "2+p", "(p)(1+p)"},
        {"séparations complexes", "1", "(p)(4+p)(20+4p+p^2)"},
        // Two pairs of poles whose branches pass within a fraction of a step of each other.
        {"paires voisines 1", "1", "(1+0.2p+p^2)(1.2+0.2001p+p^2)"},
        {"paires voisines 2", "1", "(1+0.2p+p^2)(1.2+0.199p+p^2)"},
        // A branch passing close to the zero where another one ends.
        {"près d'un zéro", "1.001+p", "(p)(1+p)(5+p)"},
        {"point triple", "1", "(p)(3+3p+p^2)"},
        {"par l'infini", "1-p", "2+p"},
        {"impropre", "(1+p)(1+p)", "p"},
        {"pôle double", "1", "(1+p)(1+p)(3+p)"},
        {"pôle compensé", "1+p", "(1+p)(2+p)(3+p)"},
        // The root −1 − K passes through the pole −3 that the zero cancels.
        {"à travers un pôle compensé", "3+p", "(3+p)(1+p)"},
        {"degré 15", "1+0.5p", degre15},
    };
    for (const auto& c : tous) {
        options_lieu o;
        o.complementaire = true;
        const lieu_evans l = lieu_de(c.num, c.den, o);
        for (const branches_lieu* br : {&l.branches, &l.branches_complementaires}) {
            const auto d = test::defauts_branches(l, *br);
            EXPECT_TRUE(d.empty()) << c.nom << joindre(d);
            const auto e = test::echanges(l, *br, 10);
            EXPECT_TRUE(e.empty()) << c.nom << joindre(e);
        }
        verifier_gains_exacts(l, c.nom);
    }
}

// Where branches meet they go on as straight as they can, turning left when two ways are
// equally straight.
TEST(LieuEvansTest, BranchesAuxPointsDeRencontre) {
    const auto fin = [](const lieu_evans& l, int b) {
        return l.branches.point(b, int(l.branches.k.size()) - 1);
    };
    // Poles −2, −1, 0: the branch from −1 arrives from the left and turns up, that from 0 down.
    const lieu_evans a = lieu_de("1", "(p)(1+p)(2+p)");
    EXPECT_GT(fin(a, 1).im, 0);
    EXPECT_LT(fin(a, 2).im, 0);
    // Three branches meeting at −1: each goes straight through.
    const lieu_evans b = lieu_de("1", "(p)(3+3p+p^2)");
    EXPECT_GT(fin(b, 0).im, 0); // from −1.5 − 0.87j towards 60°
    EXPECT_LT(fin(b, 1).im, 0); // from −1.5 + 0.87j towards 300°
    EXPECT_LT(fin(b, 2).re, -1);
    EXPECT_EQ(fin(b, 2).im, 0); // from 0 to the left
    // Round the circle: the branch from −1 comes back from above, turns right to the zero −2.
    const lieu_evans c = lieu_de("2+p", "(p)(1+p)");
    EXPECT_NEAR(fin(c, 0).re, -2, 0.05);
    EXPECT_LT(fin(c, 1).re, -5);
}

TEST(LieuEvansTest, LieuComplementaire) {
    options_lieu o;
    o.complementaire = true;
    const lieu_evans l = lieu_de("1", "(p)(1+p)", o);
    const branches_lieu& c = l.branches_complementaires;
    ASSERT_GT(c.k.size(), 2u);
    EXPECT_EQ(c.k.front(), 0);
    EXPECT_LT(c.k.back(), 0);
    // p² + p + K = 0 with K < 0: two real roots, one of them positive.
    for (std::size_t j = 0; j < c.k.size(); ++j) {
        EXPECT_EQ(c.point(0, int(j)).im, 0);
        EXPECT_EQ(c.point(1, int(j)).im, 0);
    }
    EXPECT_GT(c.point(1, int(c.k.size()) - 1).re, 1);
    EXPECT_TRUE(lieu_de("1", "(p)(1+p)").branches_complementaires.k.empty());
}

// A zoomed view: the moves keep under 0.5 % of it, many more samples near the break-away point.
TEST(LieuEvansTest, VueImposee) {
    const lieu_evans large = lieu_de("1", "(p)(1+p)(2+p)");
    options_lieu o;
    o.vue = vue_plan{-0.6, -0.2, -0.2, 0.2};
    const lieu_evans zoom = lieu_de("1", "(p)(1+p)(2+p)", o);
    EXPECT_EQ(zoom.vue.re_min, -0.6);
    EXPECT_GT(zoom.branches.k.size(), 2 * large.branches.k.size());
    const auto d = test::defauts_branches(zoom, zoom.branches);
    EXPECT_TRUE(d.empty()) << joindre(d);
}

TEST(LieuEvansTest, PointLePlusProche) {
    const lieu_evans l = lieu_de("1", "(p)(1+p)(2+p)");
    // Near the crossing: the pole j√2 and K = 6.
    const auto p = point_le_plus_proche(l, {0.01, 1.4});
    ASSERT_TRUE(p);
    EXPECT_TRUE(lieu::gain_exact(l.num, l.den, p->pole, p->k));
    EXPECT_NEAR(p->pole.re, 0, 0.02);
    EXPECT_NEAR(p->k, 6, 0.2);
    EXPECT_NEAR(p->omega_n, c_module(p->pole), 1e-15);
    EXPECT_NEAR(p->zeta, -p->pole.re / p->omega_n, 1e-15);
    // On the real axis between the poles −1 and 0: the nearest point lies straight below q.
    const auto q = point_le_plus_proche(l, {-0.2, 0.001});
    ASSERT_TRUE(q);
    EXPECT_NEAR(q->pole.re, -0.2, 1e-6);
    EXPECT_EQ(q->pole.im, 0);
    EXPECT_NEAR(q->k, 0.2 * 0.8 * 1.8, 1e-6);
    EXPECT_DOUBLE_EQ(q->zeta, 1);
    // Far out along an asymptote the nearest point is still on the locus.
    const auto r = point_le_plus_proche(l, {3, 7});
    ASSERT_TRUE(r);
    EXPECT_TRUE(lieu::gain_exact(l.num, l.den, r->pole, r->k));
}

TEST(LieuEvansTest, PolesEnBoucleFermee) {
    const lieu_evans l = lieu_de("1", "(p)(1+p)(2+p)");
    const std::vector<complexe> p = poles_boucle_fermee(l, 6);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_NEAR(p[0].re, -3, 1e-12);
    EXPECT_NEAR(p[1].im, -std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(p[2].im, std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(p[2].re, 0, 1e-12);
    double zeta = 0, wn = 0;
    amortissement({-1, 1}, zeta, wn);
    EXPECT_DOUBLE_EQ(wn, std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(zeta, 1 / std::sqrt(2.0));
    amortissement({0, 0}, zeta, wn);
    EXPECT_TRUE(std::isnan(zeta));
}

TEST(LieuEvansTest, FonctionsDegenerees) {
    EXPECT_FALSE(lieu_de("0", "1+p").valide);
    EXPECT_FALSE(lieu_de("1", "0").valide);
    // A constant loop: no branch at all.
    const lieu_evans c = lieu_de("2", "3");
    EXPECT_TRUE(c.valide);
    EXPECT_EQ(c.nb_branches, 0);
    EXPECT_TRUE(c.branches.k.empty());
    // D/N real all along the axis: the locus runs on it, no crossing is listed.
    const lieu_evans a = lieu_de("1", "1+p^2");
    EXPECT_TRUE(a.croisements.empty());
    EXPECT_TRUE(a.gains_stables.empty());
    EXPECT_TRUE(test::defauts_branches(a, a.branches).empty());
}

} // namespace
} // namespace varlem
