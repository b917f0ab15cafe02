#include "studies/placement_fenetres.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace varlem {
namespace {

using rect = rectangle_ecran;

// The four study windows at their first sizes, in the order a user often opens them.
const std::pair<int, int> tailles_etudes[] = {{900, 620}, {1040, 660}, {639, 425}, {391, 348}};

std::string texte(const rect& r) {
    return "(" + std::to_string(r.x) + ", " + std::to_string(r.y) + ", " +
           std::to_string(r.largeur) + " x " + std::to_string(r.hauteur) + ")";
}

bool sur_un_ecran(const rect& r, const std::vector<rect>& ecrans) {
    for (const rect& e : ecrans)
        if (contient(e, r)) return true;
    return false;
}

// Free by brute force: every pixel of the frame at least the gap away from every obstacle.
bool libre_a_la_main(const rect& r, const std::vector<rect>& obstacles) {
    for (const rect& o : obstacles) {
        if (o.vide()) continue;
        const bool separes_en_x =
            r.x >= o.droite() + ecart_fenetres || o.x >= r.droite() + ecart_fenetres;
        const bool separes_en_y =
            r.y >= o.bas() + ecart_fenetres || o.y >= r.bas() + ecart_fenetres;
        if (!separes_en_x && !separes_en_y) return false;
    }
    return true;
}

// Squared distance between the nearest pixels of two rectangles.
long long distance_carree(const rect& a, const rect& b) {
    long long dx = 0, dy = 0;
    if (a.droite() <= b.x) dx = b.x - a.droite();
    if (b.droite() <= a.x) dx = a.x - b.droite();
    if (a.bas() <= b.y) dy = b.y - a.bas();
    if (b.bas() <= a.y) dy = a.y - b.bas();
    return dx * dx + dy * dy;
}

TEST(PlacementFenetresTest, UnEcranLesEtudesSeRangentACoteDuSysteme) {
    bureau b{{{0, 0, 1920, 1050}}, {}, {0, 0, 700, 450}};
    // The first goes right against the system window, at its top.
    const rect premiere = placer_fenetre(b, 900, 620);
    EXPECT_EQ(premiere, (rect{704, 0, 900, 620}));
    b.fenetres.push_back(premiere);
    for (const auto& [l, h] : {tailles_etudes[1], tailles_etudes[2], tailles_etudes[3]}) {
        const rect r = placer_fenetre(b, l, h);
        SCOPED_TRACE(texte(r));
        EXPECT_EQ(r.largeur, l);
        EXPECT_EQ(r.hauteur, h);
        EXPECT_TRUE(contient(b.ecrans[0], r));
        EXPECT_FALSE(se_chevauchent(r, b.systeme)); // there is room beside it
        b.fenetres.push_back(r);
    }
    // The pole-zero map found free room below the system window.
    EXPECT_EQ(b.fenetres[2], (rect{0, 454, 639, 425}));
    // No two windows share their top-left corner.
    for (std::size_t i = 0; i < b.fenetres.size(); ++i)
        for (std::size_t j = i + 1; j < b.fenetres.size(); ++j)
            EXPECT_FALSE(b.fenetres[i].x == b.fenetres[j].x && b.fenetres[i].y == b.fenetres[j].y);
}

TEST(PlacementFenetresTest, CascadeACoteDuSystemeQuandRienNEstLibre) {
    // A tall system window on the left; the right band is already covered by a window.
    bureau b{{{0, 0, 1600, 900}}, {{700, 0, 900, 900}}, {0, 0, 600, 900}};
    const rect r1 = placer_fenetre(b, 800, 600);
    EXPECT_EQ(r1, (rect{604, 0, 800, 600}));
    b.fenetres.push_back(r1);
    const rect r2 = placer_fenetre(b, 800, 600);
    EXPECT_EQ(r2, (rect{604 + pas_cascade, pas_cascade, 800, 600}));
    b.fenetres.push_back(r2);
    // The cascade never steps onto the system window, and wraps within its band.
    for (int i = 0; i < 20; ++i) {
        const rect r = placer_fenetre(b, 800, 600);
        ASSERT_FALSE(se_chevauchent(r, b.systeme)) << texte(r);
        ASSERT_TRUE(contient(b.ecrans[0], r)) << texte(r);
        b.fenetres.push_back(r);
    }
}

TEST(PlacementFenetresTest, DeuxEcrans) {
    const std::vector<rect> ecrans{{0, 0, 1920, 1050}, {1920, 0, 1280, 1024}};
    // The system window's screen is full: free room on the other screen comes before a cascade.
    bureau b{ecrans, {{704, 0, 1216, 1050}, {0, 454, 700, 596}}, {0, 0, 700, 450}};
    const rect r = placer_fenetre(b, 900, 620);
    EXPECT_EQ(r, (rect{1920, 0, 900, 620}));
    // A system window on the second screen keeps its studies there while they fit.
    bureau c{ecrans, {}, {2000, 100, 600, 400}};
    EXPECT_EQ(placer_fenetre(c, 500, 400), (rect{2604, 0, 500, 400}));
    // One too large for the room left there goes to the nearest free room of the other.
    EXPECT_EQ(placer_fenetre(c, 900, 620), (rect{1020, 0, 900, 620}));
    // A screen on the left, at negative coordinates.
    bureau d{{{-1280, 0, 1280, 1024}, {0, 0, 1920, 1050}}, {}, {-1280, 0, 700, 450}};
    EXPECT_EQ(placer_fenetre(d, 500, 400), (rect{-576, 0, 500, 400}));
}

TEST(PlacementFenetresTest, SystemeEnPleinEcranEtPetitEcran) {
    // No room beside a full-screen system window: a cascade from the screen's corner.
    bureau b{{{0, 0, 1366, 768}}, {}, {0, 0, 1366, 768}};
    const rect r1 = placer_fenetre(b, 900, 620);
    EXPECT_EQ(r1, (rect{0, 0, 900, 620}));
    b.fenetres.push_back(r1);
    EXPECT_EQ(placer_fenetre(b, 900, 620), (rect{pas_cascade, pas_cascade, 900, 620}));

    // A window larger than a tiny screen is reduced to it.
    bureau p{{{0, 0, 640, 480}}, {}, {0, 0, 400, 300}};
    EXPECT_EQ(placer_fenetre(p, 1040, 660), (rect{0, 0, 640, 480}));
    // A small one still finds room beside the system window.
    EXPECT_EQ(placer_fenetre(p, 200, 150), (rect{404, 0, 200, 150}));
    // Too wide for the band right of it, it goes below.
    EXPECT_EQ(placer_fenetre(p, 500, 150), (rect{0, 304, 500, 150}));

    // A hidden system window, no screen at all, a degenerate size.
    EXPECT_EQ(placer_fenetre(bureau{{{0, 0, 800, 600}}, {}, {}}, 300, 200), (rect{0, 0, 300, 200}));
    EXPECT_EQ(placer_fenetre(bureau{}, 300, 200), (rect{0, 0, 300, 200}));
    EXPECT_EQ(placer_fenetre(bureau{{{0, 0, 800, 600}}, {}, {}}, 0, -5), (rect{0, 0, 1, 1}));
}

TEST(PlacementFenetresTest, BureauxAleatoires) {
    // Small desktops, so that free room can be searched pixel by pixel.
    std::mt19937 gen(31);
    const auto tirage = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen); };
    int libres = 0, cascades = 0;
    for (int essai = 0; essai < 1000; ++essai) {
        bureau b;
        const int nb_ecrans = tirage(1, 2);
        int x = 0;
        for (int i = 0; i < nb_ecrans; ++i) {
            const rect e{x, tirage(0, 20), tirage(80, 200), tirage(60, 160)};
            b.ecrans.push_back(e);
            x = e.droite();
        }
        const rect& e0 = b.ecrans[0];
        b.systeme = {e0.x + tirage(0, e0.largeur / 2), e0.y + tirage(0, e0.hauteur / 2),
                     tirage(10, e0.largeur / 2), tirage(10, e0.hauteur / 2)};
        for (int k = tirage(0, 5); k > 0; --k)
            b.fenetres.push_back({tirage(0, x), tirage(0, 150), tirage(10, 90), tirage(10, 90)});
        const int l = tirage(5, 120), h = tirage(5, 120);
        const rect r = placer_fenetre(b, l, h);
        SCOPED_TRACE("essai " + std::to_string(essai) + " " + texte(r));
        ASSERT_TRUE(sur_un_ecran(r, b.ecrans));

        // What stands on the system window's screen; windows of the other are no neighbours.
        std::vector<rect> obstacles;
        for (const rect& f : b.fenetres) obstacles.push_back(intersection(f, e0));
        obstacles.push_back(intersection(b.systeme, e0));
        bool libre_ici = false, place_a_cote = false;
        long long plus_proche = std::numeric_limits<long long>::max();
        const int lr = std::min(l, e0.largeur), hr = std::min(h, e0.hauteur);
        for (int y = e0.y; y + hr <= e0.bas(); ++y)
            for (int xx = e0.x; xx + lr <= e0.droite(); ++xx) {
                const rect essai_r{xx, y, lr, hr};
                if (libre_a_la_main(essai_r, obstacles)) {
                    libre_ici = true;
                    plus_proche = std::min(plus_proche, distance_carree(essai_r, b.systeme));
                }
                place_a_cote = place_a_cote || libre_a_la_main(essai_r, {obstacles.back()});
            }
        if (libre_ici) {
            // Free room on the system window's screen is always found, and taken there.
            ASSERT_TRUE(libre_a_la_main(r, obstacles));
            ASSERT_TRUE(contient(e0, r));
            ASSERT_EQ(distance_carree(r, b.systeme), plus_proche); // as near as can be
            ++libres;
        } else if (place_a_cote) {
            ++cascades;
        }
        // Room beside the system window on its screen: it is never covered.
        if (place_a_cote && contient(e0, r)) {
            ASSERT_FALSE(se_chevauchent(r, b.systeme));
        }
    }
    EXPECT_GT(libres, 50);
    EXPECT_GT(cascades, 20);
}

struct cas_geometrie {
    rect cadre;
    bool restaurable;
};

TEST(PlacementFenetresTest, GeometrieRetenueRestaureeSeulementSiElleTient) {
    // A wide screen, and a shorter one on its right: an L-shaped desktop.
    const std::vector<rect> ecrans{{0, 0, 1920, 1080}, {1920, 0, 1280, 800}};
    const cas_geometrie cas[] = {
        {{100, 100, 900, 620}, true},   {{0, 0, 1920, 1080}, true},
        {{-8, -8, 1936, 1096}, true},   // a maximised frame past the edges
        {{-40, 100, 900, 620}, false},  // well off the left edge
        {{1500, 100, 900, 600}, true},  // across both screens
        {{1500, 600, 900, 400}, false}, // into the corner no screen covers
        {{3300, 100, 900, 600}, false}, // on a screen that is gone
        {{3100, 100, 900, 600}, false}, // half on a screen that is gone
        {{500, 500, 0, 300}, false},    // empty
        {{10, 10, 12, 12}, true},       // tiny, judged by its centre
        {{-30, -30, 12, 12}, false},
    };
    for (const auto& c : cas)
        EXPECT_EQ(geometrie_restaurable(c.cadre, ecrans), c.restaurable) << texte(c.cadre);
    EXPECT_FALSE(geometrie_restaurable({0, 0, 100, 100}, {}));
}

} // namespace
} // namespace varlem
