// Label placement as a property over random layouts; dashed lines and segment clipping.
#include "plot/placement_etiquettes.h"

#include "plot/enregistreur.h"
#include "plot/traits_tires.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace varlem {
namespace {

rectangle_px au_hasard(std::mt19937& alea, int w, int h) {
    std::uniform_int_distribution<int> x(-20, w), y(-20, h), l(1, 60), t(1, 16);
    const int gauche = x(alea), haut = y(alea);
    return {gauche, haut, gauche + l(alea), haut + t(alea)};
}

// Whatever the layout: every label placed on one of its own candidates, within the zone, the
// required gap clear of the rectangles taken and of every other label; the first clear candidate
// taken; a label dropped only when each of its candidates was blocked.
TEST(PlacementEtiquettes, ProprietesSurDesDispositionsAuHasard) {
    std::mt19937 alea(11);
    const rectangle_px zone{0, 0, 400, 300};
    for (int essai = 0; essai < 300; ++essai) {
        std::uniform_int_distribution<int> nombre(0, 30), candidats(0, 8), pris(0, 10), marge(0, 3);
        const int ecart = marge(alea);
        std::vector<rectangle_px> occupes;
        for (int i = pris(alea); i > 0; --i) occupes.push_back(au_hasard(alea, 400, 300));
        const std::vector<rectangle_px> avant = occupes;
        std::vector<etiquette_candidate> etiquettes(static_cast<std::size_t>(nombre(alea)));
        for (auto& e : etiquettes)
            for (int i = candidats(alea); i > 0; --i)
                e.candidats.push_back(au_hasard(alea, 400, 300));

        const std::vector<int> choix = placer_etiquettes(etiquettes, occupes, zone, ecart);
        ASSERT_EQ(choix.size(), etiquettes.size());
        std::vector<rectangle_px> places;
        for (std::size_t i = 0; i < etiquettes.size(); ++i) {
            const auto& c = etiquettes[i].candidats;
            const auto libre = [&](const rectangle_px& r) {
                if (!contenu_dans(r, zone)) return false;
                const rectangle_px large{r.gauche - ecart, r.haut - ecart, r.droite + ecart,
                                         r.bas + ecart};
                for (const auto& o : avant)
                    if (se_chevauchent(large, o)) return false;
                for (const auto& o : places)
                    if (se_chevauchent(large, o)) return false;
                return true;
            };
            if (choix[i] < 0) {
                for (const auto& r : c) EXPECT_FALSE(libre(r));
                continue;
            }
            ASSERT_LT(choix[i], static_cast<int>(c.size()));
            for (int k = 0; k < choix[i]; ++k) EXPECT_FALSE(libre(c[static_cast<std::size_t>(k)]));
            const rectangle_px& r = c[static_cast<std::size_t>(choix[i])];
            EXPECT_TRUE(libre(r));
            places.push_back(r);
        }
        // The rectangles taken grow by exactly the labels placed.
        ASSERT_EQ(occupes.size(), avant.size() + places.size());
        for (std::size_t i = 0; i < places.size(); ++i)
            EXPECT_EQ(occupes[avant.size() + i], places[i]);
    }
}

TEST(PlacementEtiquettes, Chevauchement) {
    const rectangle_px a{0, 0, 10, 10};
    EXPECT_TRUE(se_chevauchent(a, {9, 9, 20, 20}));
    EXPECT_FALSE(se_chevauchent(a, {10, 0, 20, 10})); // sides that touch share no pixel
    EXPECT_FALSE(se_chevauchent(a, {0, 10, 10, 20}));
    EXPECT_TRUE(se_chevauchent(a, {2, 2, 3, 3}));
    EXPECT_TRUE(contenu_dans({2, 2, 3, 3}, a));
    EXPECT_FALSE(contenu_dans({2, 2, 11, 3}, a));
}

TEST(PlacementEtiquettes, SurfaceNoteeLesTextes) {
    enregistreur e(200, 100);
    surface_notee s(e);
    s.police("Arial", 9, 0);
    s.texte(5, 7, "Gain (dB)");
    s.ligne(0, 0, 10, 10);
    ASSERT_EQ(s.textes().size(), 1u);
    EXPECT_EQ(s.textes()[0], (rectangle_px{5, 7, 5 + e.largeur_texte("Gain (dB)"),
                                           7 + e.hauteur_texte("Gain (dB)")}));
    EXPECT_EQ(e.textes().size(), 1u);
    EXPECT_EQ(e.segments().size(), 1u);
}

// Dashes of 6 pixels and gaps of 4 along a polyline, the pattern running on across its corner.
TEST(TraitsTires, MotifLeLongDUnePolyligne) {
    enregistreur e(200, 200);
    trace_tirets t(e);
    t.deplacer(10, 10);
    t.tracer_vers(35, 10);
    t.tracer_vers(35, 40);
    const auto segments = e.segments();
    // 25 + 30 = 55 pixels: dashes at 0-6, 10-16, 20-26 (cut at the corner: 20-25 and 25-26),
    // 30-36, 40-46, 50-55.
    ASSERT_EQ(segments.size(), 7u);
    EXPECT_EQ(segments[0].x1, 10);
    EXPECT_EQ(segments[0].x2, 16);
    EXPECT_EQ(segments[2].x1, 30);
    EXPECT_EQ(segments[2].x2, 35);
    EXPECT_EQ(segments[3].y1, 10);
    EXPECT_EQ(segments[3].y2, 11);
    EXPECT_EQ(segments.back().y1, 35);
    EXPECT_EQ(segments.back().y2, 40);
    double encre = 0;
    for (const auto& s : segments) encre += std::hypot(s.x2 - s.x1, s.y2 - s.y1);
    EXPECT_NEAR(encre, 6 + 6 + 5 + 1 + 6 + 6 + 5, 1e-9);
}

// Under the holes nothing is drawn; everywhere else the polyline is, with its pen left where a
// piece ends.
TEST(TraitsTires, PolyligneTroueeSousLesEtiquettes) {
    {
        enregistreur e(200, 100);
        tracer_polyligne_trouee(e, {{0, 10}, {100, 10}, {100, 50}},
                                {{40, 5, 60, 15}, {90, 20, 110, 30}});
        const auto s = e.segments();
        ASSERT_EQ(s.size(), 4u);
        EXPECT_EQ(s[0].x1, 0);
        EXPECT_EQ(s[0].x2, 40);
        EXPECT_EQ(s[1].x1, 60);
        EXPECT_EQ(s[1].x2, 100);
        EXPECT_EQ(s[2].y1, 10);
        EXPECT_EQ(s[2].y2, 20);
        EXPECT_EQ(s[3].y1, 30);
        EXPECT_EQ(s[3].y2, 50);
    }
    std::mt19937 alea(5);
    std::uniform_int_distribution<int> coord(0, 200);
    for (int essai = 0; essai < 200; ++essai) {
        polyligne_px l;
        for (int i = 0; i < 6; ++i) l.emplace_back(coord(alea), coord(alea));
        std::vector<rectangle_px> trous;
        for (int i = 0; i < 3; ++i) trous.push_back(au_hasard(alea, 200, 200));
        enregistreur e(200, 200);
        tracer_polyligne_trouee(e, l, trous);
        double encre = 0;
        for (const auto& s : e.segments()) {
            encre += std::hypot(s.x2 - s.x1, s.y2 - s.y1);
            const double mx = (s.x1 + s.x2) / 2.0, my = (s.y1 + s.y2) / 2.0;
            for (const auto& t : trous)
                EXPECT_FALSE(mx > t.gauche + 1 && mx < t.droite - 1 && my > t.haut + 1 &&
                             my < t.bas - 1);
        }
        // Without holes, the whole polyline in one stroke.
        enregistreur plein(200, 200);
        tracer_polyligne_trouee(plein, l, {});
        double longueur = 0;
        for (std::size_t i = 0; i + 1 < l.size(); ++i)
            longueur += std::hypot(l[i + 1].first - l[i].first, l[i + 1].second - l[i].second);
        double tout = 0;
        for (const auto& s : plein.segments()) tout += std::hypot(s.x2 - s.x1, s.y2 - s.y1);
        EXPECT_NEAR(tout, longueur, 1e-9);
        // Each cut end is rounded to its pixel: at most √2/2 longer.
        EXPECT_LE(encre, longueur + 0.71 * 2 * double(trous.size() * (l.size() - 1)));
        int deplacements = 0;
        for (const auto& k : plein.commandes()) deplacements += k.sorte == sorte_commande::deplacer;
        EXPECT_LE(deplacements, 1);
    }
}

TEST(TraitsTires, CoupeDeSegments) {
    struct cas {
        double x1, y1, x2, y2;
        bool visible;
        double cx1, cy1, cx2, cy2;
    };
    for (const cas& c :
         {cas{-10, 5, 30, 5, true, 0, 5, 20, 5}, cas{5, -10, 5, 30, true, 5, 0, 5, 10},
          cas{-10, -10, 30, 30, true, 0, 0, 10, 10}, cas{2, 3, 4, 5, true, 2, 3, 4, 5},
          cas{-5, 20, 30, 20, false, 0, 0, 0, 0}, cas{25, 0, 30, 10, false, 0, 0, 0, 0},
          cas{-10, 10, 10, -10, true, 0, 0, 0, 0}}) {
        double x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        ASSERT_EQ(couper_segment(x1, y1, x2, y2, 0, 0, 20, 10), c.visible) << c.x1 << " " << c.y1;
        if (!c.visible) continue;
        EXPECT_NEAR(x1, c.cx1, 1e-12);
        EXPECT_NEAR(y1, c.cy1, 1e-12);
        EXPECT_NEAR(x2, c.cx2, 1e-12);
        EXPECT_NEAR(y2, c.cy2, 1e-12);
    }
}

} // namespace
} // namespace varlem
