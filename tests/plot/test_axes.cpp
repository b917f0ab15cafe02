#include "plot/axes.h"

#include "plot/echelles.h"
#include "plot/enregistreur.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <set>
#include <vector>

namespace varlem {
namespace {

constexpr couleur axes_test = 0x123456;

param reglages(bool grille, bool zero = true) {
    param p;
    p.quadrillage = grille;
    p.inclure_zero = zero;
    p.couleur_axes = axes_test;
    p.police = "Courier";
    p.taille_police = 8;
    p.longueur_graduations = 3;
    return p;
}

int longueur(const segment_enregistre& s) {
    return std::abs(s.x2 - s.x1) + std::abs(s.y2 - s.y1);
}

bool couvre_cadre(const segment_enregistre& s, int w, int h) {
    const bool horizontale =
        s.y1 == s.y2 && std::min(s.x1, s.x2) == 15 && std::max(s.x1, s.x2) == w - 15;
    const bool verticale =
        s.x1 == s.x2 && std::min(s.y1, s.y2) == 10 && std::max(s.y1, s.y2) == h - 10;
    return horizontale || verticale;
}

std::vector<std::string> contenus(const std::vector<texte_enregistre>& t) {
    std::vector<std::string> r;
    for (const auto& x : t) r.push_back(x.texte);
    return r;
}

// A 630 × 380 surface: x -2..10 gives 50 pixels per unit, y -1..8 gives 40.
struct cadre_test {
    enregistreur e{630, 380};
    static int px(double v) { return static_cast<int>((v + 2) * 50 + 15); }
    static int py(double v) { return static_cast<int>((8 - v) * 40 + 10); }
};

TEST(AxesTest, QuadrillageSansAucuneGraduation) {
    for (const bool pointilles : {true, false}) {
        cadre_test c;
        param p = reglages(true);
        p.pointilles = pointilles;
        tracer_axes(c.e, p, 1, 1, -2, 10, -1, 8);
        int grilles = 0;
        for (const auto& s : c.e.segments()) {
            // Every line spans the whole data area: grid lines and axis lines, no ticks.
            EXPECT_TRUE(couvre_cadre(s, 630, 380))
                << s.x1 << "," << s.y1 << " " << s.x2 << "," << s.y2;
            if (s.c == couleur_grille) {
                ++grilles;
                EXPECT_EQ(s.style, pointilles ? style_trait::pointille : style_trait::plein);
            } else {
                EXPECT_EQ(s.c, axes_test);
                EXPECT_EQ(s.style, style_trait::plein);
            }
            EXPECT_EQ(s.epaisseur, 1);
        }
        EXPECT_EQ(grilles, 13 + 10);
    }
}

TEST(AxesTest, SansQuadrillageAucuneLigneNeTraverse) {
    cadre_test c;
    tracer_axes(c.e, reglages(false), 1, 1, -2, 10, -1, 8);
    int graduations = 0;
    const int x0 = cadre_test::px(0), y0 = cadre_test::py(0);
    for (const auto& s : c.e.segments()) {
        EXPECT_EQ(s.c, axes_test);
        if (couvre_cadre(s, 630, 380)) continue;
        // A tick: 3 pixels from the axis, right of the vertical one, below the horizontal one.
        ++graduations;
        EXPECT_EQ(longueur(s), 3);
        const bool sur_vertical = s.x1 == x0 && s.x2 == x0 + 3 && s.y1 == s.y2;
        const bool sur_horizontal = s.y1 == y0 && s.y2 == y0 + 3 && s.x1 == s.x2;
        EXPECT_TRUE(sur_vertical || sur_horizontal);
    }
    EXPECT_EQ(graduations, 13 + 10);
}

TEST(AxesTest, EtiquettesUneGraduationSurDeuxVerticales) {
    cadre_test c;
    const int x = 200;
    tracer_axe_vertical(c.e, reglages(false), x, 1, -1, 8);
    const auto t = c.e.textes();
    // From the top: 8 bare, 7 labelled, 6 bare, ...
    EXPECT_EQ(contenus(t), (std::vector<std::string>{"7", "5", "3", "1", "-1"}));
    // Recorded metrics at 8 points: "W" 6 wide, "1" 13 high; halves round to even (6.5 → 6).
    for (const auto& e : t) {
        EXPECT_EQ(e.x, x + 3);
        EXPECT_EQ(e.y, cadre_test::py(std::atof(e.texte.c_str())) - 6);
        EXPECT_EQ(e.police, "Courier");
        EXPECT_EQ(e.taille, 8);
        EXPECT_EQ(e.c, axes_test);
    }
    // The axis line comes last, over the whole height.
    const auto s = c.e.segments();
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.back().x1, x);
    EXPECT_EQ(s.back().y1, 10);
    EXPECT_EQ(s.back().x2, x);
    EXPECT_EQ(s.back().y2, 370);
}

TEST(AxesTest, EtiquettesUneGraduationSurDeuxHorizontales) {
    cadre_test c;
    const int y = 100;
    tracer_axe_horizontal(c.e, reglages(false), y, 1, -2, 10);
    const auto t = c.e.textes();
    EXPECT_EQ(contenus(t), (std::vector<std::string>{"-1", "1", "3", "5", "7", "9"}));
    for (const auto& e : t) {
        EXPECT_EQ(e.x, cadre_test::px(std::atof(e.texte.c_str())));
        EXPECT_EQ(e.y, y + 6);
    }
}

TEST(AxesTest, ResidusDeSoustractionEtiquetesZero) {
    ASSERT_NE(0.3 - 0.1 - 0.1 - 0.1, 0.0); // the residue this test is about
    cadre_test c;
    tracer_axe_vertical(c.e, reglages(false), 200, 0.1, -0.3, 0.3);
    EXPECT_EQ(contenus(c.e.textes()), (std::vector<std::string>{".2", "0", "-0.2"}));
}

TEST(AxesTest, PositionDesAxes) {
    struct cas {
        bool zero;
        double xlo, xhi, ylo, yhi;
        int x_attendu, y_attendu;
    } table[] = {
        // Through the origin.
        {true, -2, 10, -1, 8, 115, 330},
        // One graduation inside the lower and left bounds, not at the frame edge.
        {false, -2, 10, -1, 8, 65, 330},
        {false, 1, 13, 2, 11, 65, 330},
    };
    for (const auto& k : table) {
        enregistreur e(630, 380);
        tracer_axes(e, reglages(false, k.zero), 1, 1, k.xlo, k.xhi, k.ylo, k.yhi);
        std::set<int> colonnes, lignes;
        for (const auto& s : e.segments()) {
            if (!couvre_cadre(s, 630, 380)) continue;
            if (s.x1 == s.x2)
                colonnes.insert(s.x1);
            else
                lignes.insert(s.y1);
        }
        EXPECT_EQ(colonnes, std::set<int>{k.x_attendu});
        EXPECT_EQ(lignes, std::set<int>{k.y_attendu});
        // The horizontal axis is drawn again last, solid, over the grid.
        const auto dernier = e.segments().back();
        EXPECT_EQ(dernier.y1, k.y_attendu);
        EXPECT_EQ(dernier.c, axes_test);
    }
}

TEST(AxesTest, AxeLogTroisDecadesSur630Pixels) {
    enregistreur e(630, 400);
    const int y = 300;
    tracer_axe_log(e, reglages(false), y, -1, 2);
    std::set<int> decades;
    std::multiset<int> colonnes;
    for (const auto& s : e.segments()) {
        EXPECT_EQ(s.y1, y);
        EXPECT_EQ(s.y2, y + 3);
        colonnes.insert(s.x1);
    }
    // 200 pixels per decade; a line on the right bound (615) is not drawn.
    for (const int x : {15, 215, 415}) EXPECT_EQ(colonnes.count(x), 1u) << x;
    EXPECT_EQ(colonnes.count(615), 0u);
    // Sub-decade lines at round(200 · log10 m) into each decade: 2 → 60, 5 → 140, 9 → 191.
    for (const int x : {75, 275, 475, 155, 355, 555, 206, 406, 606})
        EXPECT_EQ(colonnes.count(x), 1u) << x;
    EXPECT_EQ(colonnes.size(), 27u);

    const auto t = e.textes();
    EXPECT_EQ(contenus(t), (std::vector<std::string>{".1", "1", "10", "100"}));
    const int x_attendus[] = {17, 217, 417, 617};
    for (std::size_t k = 0; k < t.size(); ++k) {
        EXPECT_EQ(t[k].x, x_attendus[k]);
        EXPECT_EQ(t[k].y, y + 5);
    }
}

TEST(AxesTest, AxeLogQuadrille) {
    enregistreur e(630, 400);
    tracer_axe_log(e, reglages(true), 300, 0, 3);
    const auto s = e.segments();
    ASSERT_EQ(s.size(), 27u);
    for (const auto& x : s) {
        EXPECT_EQ(x.c, couleur_grille);
        EXPECT_TRUE(couvre_cadre(x, 630, 400));
    }
}

TEST(AxesTest, CadreLogarithmique) {
    enregistreur e(630, 380);
    tracer_axes_log(e, reglages(true), 0, 3, 1, -1, 8);
    const auto s = e.segments();
    ASSERT_GE(s.size(), 2u);
    // Axis lines last, in the axes colour over the grid: left bound, then the row of zero.
    const auto& v = s[s.size() - 2];
    const auto& h = s.back();
    EXPECT_EQ(v.x1, 15);
    EXPECT_EQ(v.x2, 15);
    EXPECT_EQ(h.y1, cadre_test::py(0));
    EXPECT_EQ(h.x2, 615);
    EXPECT_EQ(v.c, axes_test);
    EXPECT_EQ(h.c, axes_test);
    EXPECT_EQ(v.style, style_trait::plein);
}

TEST(AxesTest, AxeLogTropDeDecadesGardeLesDecades) {
    // 200 decades on 600 pixels: 3 pixels per decade, too many sub-decade lines to draw.
    enregistreur e(630, 400);
    tracer_axe_log(e, reglages(false), 300, -100, 100);
    const auto s = e.segments();
    EXPECT_EQ(s.size(), 200u);
    for (std::size_t k = 0; k < s.size(); ++k) EXPECT_EQ(s[k].x1, 15 + 3 * int(k));
    EXPECT_EQ(e.textes().size(), 201u);
}

TEST(AxesTest, SurfaceTropPetiteRienDessine) {
    const int tailles[][2] = {{30, 400}, {400, 20}, {0, 0}, {-10, 300}};
    for (const auto& t : tailles) {
        enregistreur e(t[0], t[1]);
        const param p = reglages(true);
        tracer_axes(e, p, 1, 1, -2, 10, -1, 8);
        tracer_axes_log(e, p, 0, 3, 1, -1, 8);
        tracer_axe_vertical(e, p, 5, 1, -1, 8);
        tracer_axe_horizontal(e, p, 5, 1, -1, 8);
        tracer_axe_log(e, p, 5, 0, 3);
        EXPECT_TRUE(e.commandes().empty()) << t[0] << " x " << t[1];
    }
}

TEST(AxesTest, EntreesDegenereesDessinsFinis) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct cas {
        double pas, lo, hi;
    } table[] = {{0, -1, 8},
                 {-1, -1, 8},
                 {nan, -1, 8},
                 {inf, -1, 8},
                 {1, 3, 3},
                 {1, nan, 8},
                 {1, -1, inf},
                 {1, -inf, inf},
                 {1e-9, 0, 1},
                 {1, 8, -1},
                 {1, 1e20, 1e20 + 1e5},
                 {1e-300, -1e300, 1e300},
                 {1e300, -1e300, 1e300}};
    for (const auto& k : table) {
        for (const bool grille : {false, true}) {
            SCOPED_TRACE(testing::Message() << k.pas << " " << k.lo << " " << k.hi);
            enregistreur e(630, 380);
            param p = reglages(grille, false);
            tracer_axes(e, p, k.pas, k.pas, k.lo, k.hi, k.lo, k.hi);
            tracer_axes_log(e, p, 0, 2, k.pas, k.lo, k.hi);
            EXPECT_LT(e.commandes().size(), 20000u);
            for (const auto& t : e.textes()) EXPECT_EQ(t.texte.find("nan"), std::string::npos);
        }
    }
}

TEST(AxesTest, AxeLogDegenereRienDessine) {
    struct cas {
        int w, dlo, dhi;
    } table[] = {{630, 3, 3},
                 {630, 3, 0},
                 // 10 pixels for 20 decades: half a pixel per decade rounds to 0.
                 {40, 0, 20},
                 {630, -2000000000, 2000000000}};
    for (const auto& k : table) {
        enregistreur e(k.w, 400);
        tracer_axe_log(e, reglages(false), 300, k.dlo, k.dhi);
        EXPECT_TRUE(e.segments().empty()) << k.w << " " << k.dlo << " " << k.dhi;
        EXPECT_TRUE(e.textes().empty());
    }
}

TEST(AxesTest, AxeLogUnPixelParDecade) {
    // 1000 decades on 1000 pixels: decade lines only, no labels past the cap.
    enregistreur e(1030, 400);
    tracer_axe_log(e, reglages(false), 300, 0, 1000);
    EXPECT_EQ(e.segments().size(), 1000u);
    EXPECT_TRUE(e.textes().empty());
}

} // namespace
} // namespace varlem
