#include "studies/trace_lieu.h"

#include "analysis/outils_lieu.h"
#include "plot/echelles.h"
#include "plot/enregistreur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace varlem {
namespace {

constexpr int largeur = 600, hauteur = 400;

struct dessin {
    lieu_evans l;
    echelle_lieu e;
    enregistreur s{largeur, hauteur};
    style_lieu st;

    dessin(const char* num, const char* den, std::optional<double> k) : l(test::lieu_de(num, den)) {
        e = echelle_auto_lieu(l, largeur, hauteur);
        tracer_lieu(s, l, e, param{}, st, k);
    }
    int px(double re) const {
        return x_vers_pixel(cadre_gauche(), cadre_droite(largeur), re, e.re_min, e.re_max);
    }
    int py(double im) const {
        return y_vers_pixel(cadre_haut(), cadre_bas(hauteur), im, e.im_min, e.im_max);
    }
};

bool dans_cadre(int x, int y) {
    return x >= cadre_gauche() && x <= cadre_droite(largeur) && y >= cadre_haut() &&
           y <= cadre_bas(hauteur);
}

TEST(TraceLieuTest, EchelleAutomatique) {
    const lieu_evans l = test::lieu_de("2+p", "(p)(4+p)(20+4p+p^2)");
    const echelle_lieu e = echelle_auto_lieu(l, largeur, hauteur);
    const auto dedans = [&](complexe z) {
        return z.re >= e.re_min && z.re <= e.re_max && z.im >= e.im_min && z.im <= e.im_max;
    };
    for (const complexe& z : l.poles) EXPECT_TRUE(dedans(z));
    for (const complexe& z : l.zeros) EXPECT_TRUE(dedans(z));
    for (const point_separation& p : l.separations) EXPECT_TRUE(dedans(p.s));
    EXPECT_TRUE(dedans({l.asymptotes->centre, 0}));
    EXPECT_TRUE(dedans({0, 0}));
    // Units per pixel nearly equal on both axes, so that angles are drawn true.
    const double ux = (e.re_max - e.re_min) / (cadre_droite(largeur) - cadre_gauche());
    const double uy = (e.im_max - e.im_min) / (cadre_bas(hauteur) - cadre_haut());
    EXPECT_NEAR(ux / uy, 1, 0.25);
    EXPECT_GT(e.pas_re, 0);
    EXPECT_GT(e.pas_im, 0);
}

TEST(TraceLieuTest, PolesAsymptotesEtBranches) {
    const dessin d("1", "(p)(1+p)(2+p)", std::nullopt);
    // Each pole a cross of two strokes centred on it.
    const auto croix = d.s.segments(d.st.poles);
    ASSERT_EQ(croix.size(), 6u);
    for (int i = 0; i < 3; ++i) {
        const auto& a = croix[std::size_t(2 * i)];
        EXPECT_EQ((a.x1 + a.x2) / 2, d.px(d.l.poles[std::size_t(i)].re));
        EXPECT_EQ((a.y1 + a.y2) / 2, d.py(0));
    }
    // Three dashed asymptotes from the centre −1.
    const auto asym = d.s.segments(d.st.asymptotes);
    ASSERT_EQ(asym.size(), 3u);
    for (const auto& a : asym) {
        EXPECT_EQ(a.style, style_trait::pointille);
        EXPECT_EQ(a.x1, d.px(-1));
        EXPECT_EQ(a.y1, d.py(0));
    }
    // The branches in their colours, inside the frame.
    for (int b = 0; b < 3; ++b) {
        const auto traits = d.s.segments(d.st.branches[std::size_t(b)]);
        EXPECT_GT(traits.size(), 20u) << b;
        for (const auto& t : traits) {
            EXPECT_TRUE(dans_cadre(t.x1, t.y1) && dans_cadre(t.x2, t.y2)) << b;
            EXPECT_EQ(t.style, style_trait::plein);
        }
    }
    // The imaginary axis across the whole frame.
    const auto axes = d.s.segments(0x000000);
    EXPECT_TRUE(std::any_of(axes.begin(), axes.end(), [&](const segment_enregistre& t) {
        return t.x1 == d.px(0) && t.x2 == d.px(0) && t.y1 == cadre_haut() &&
               t.y2 == cadre_bas(hauteur);
    }));
}

// The arrow of a branch: two strokes from one point, pointing the way K grows.
TEST(TraceLieuTest, FlechesDesGainsCroissants) {
    const dessin d("1", "(1+p)", std::nullopt);
    const auto traits = d.s.segments(d.st.branches[0]);
    std::vector<segment_enregistre> courts;
    for (const auto& t : traits)
        if (std::hypot(t.x2 - t.x1, t.y2 - t.y1) > 5 && std::hypot(t.x2 - t.x1, t.y2 - t.y1) < 10 &&
            t.y1 != t.y2)
            courts.push_back(t);
    ASSERT_EQ(courts.size(), 2u);
    EXPECT_EQ(courts[0].x1, courts[1].x1);
    // The root −1 − K moves left: the strokes go back to the right of the tip.
    EXPECT_GT(courts[0].x2, courts[0].x1);
    EXPECT_GT(courts[1].x2, courts[1].x1);
    EXPECT_LT((courts[0].y2 - courts[0].y1) * (courts[1].y2 - courts[1].y1), 0);
}

TEST(TraceLieuTest, PointsParticuliersEtPolesEnBoucleFermee) {
    const dessin d("1", "(p)(1+p)(2+p)", 6.0);
    std::vector<std::string> textes;
    for (const auto& t : d.s.textes()) textes.push_back(t.texte);
    EXPECT_NE(std::find(textes.begin(), textes.end(), "K = .3849"), textes.end());
    EXPECT_NE(std::find(textes.begin(), textes.end(), "K = 6"), textes.end());
    // At K = 6 the closed-loop poles −3 and ±j√2 are marked with a thick pen.
    std::vector<std::pair<int, int>> centres;
    for (const auto& r : d.s.rectangles())
        if (r.c == d.st.boucle_fermee) {
            EXPECT_EQ(r.epaisseur, 2);
            centres.push_back({(r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2});
        }
    std::sort(centres.begin(), centres.end());
    const std::vector<std::pair<int, int>> attendus = {
        {d.px(-3), d.py(0)}, {d.px(0), d.py(std::sqrt(2.0))}, {d.px(0), d.py(-std::sqrt(2.0))}};
    auto tries = attendus;
    std::sort(tries.begin(), tries.end());
    EXPECT_EQ(centres, tries);
}

TEST(TraceLieuTest, ZerosEtComplementaire) {
    options_lieu o;
    o.complementaire = true;
    const lieu_evans l = test::lieu_de("2+p", "(p)(1+p)", o);
    const echelle_lieu e = echelle_auto_lieu(l, largeur, hauteur);
    enregistreur s(largeur, hauteur);
    const style_lieu st;
    tracer_lieu(s, l, e, param{}, st);
    // The zero −2: a circle of twelve strokes.
    EXPECT_EQ(s.segments(st.zeros).size(), 12u);
    // Complementary branches dotted.
    const auto b0 = s.segments(st.branches[0]);
    EXPECT_TRUE(std::any_of(b0.begin(), b0.end(), [](const segment_enregistre& t) {
        return t.style == style_trait::pointille;
    }));
    enregistreur petit(20, 10);
    tracer_lieu(petit, l, e, param{}, st);
    EXPECT_TRUE(petit.commandes().empty());
}

} // namespace
} // namespace varlem
