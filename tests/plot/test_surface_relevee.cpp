// The surface that notes what is drawn through it and can keep it back: the same commands
// reach the base, in order, now or at the replay; every point of a noted line lies in a small
// box; and the placement among thousands of such boxes agrees with a plain search.
#include "plot/surface_relevee.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

namespace varlem {
namespace {

// A drawing of every kind of command: a frame, a text, a curve in steps and long lines.
void dessiner(surface& s, bool noter_apres_cadre, surface_relevee* r) {
    s.couleur_crayon(0x123456);
    s.rectangle(10, 10, 290, 190);
    s.police("Arial", 9, 0);
    s.texte(12, 12, "Gain (dB)");
    if (noter_apres_cadre && r) r->noter_traits();
    s.epaisseur_crayon(2);
    s.style_crayon(style_trait::tirete);
    s.deplacer(20, 150);
    for (int x = 21; x < 280; x += 3)
        s.tracer_vers(x, 150 - static_cast<int>(std::lround(60 * std::sin(x / 30.0))));
    s.epaisseur_crayon(1);
    s.deplacer(20, 30);
    s.tracer_vers(270, 180);
    s.tracer_vers(270, 20);
}

std::vector<std::tuple<sorte_commande, int, int, int, int, couleur, int, style_trait, std::string>>
sans_polices(const enregistreur& e) {
    std::vector<
        std::tuple<sorte_commande, int, int, int, int, couleur, int, style_trait, std::string>>
        v;
    for (const commande& k : e.commandes())
        if (k.sorte != sorte_commande::police)
            v.emplace_back(k.sorte, k.x, k.y, k.x2, k.y2, k.c, k.valeur, k.style, k.chaine);
    return v;
}

TEST(SurfaceRelevee, TransmetOuDiffere) {
    enregistreur direct(300, 200);
    dessiner(direct, false, nullptr);

    enregistreur a(300, 200);
    surface_relevee ra(a);
    dessiner(ra, true, &ra);
    EXPECT_EQ(sans_polices(a), sans_polices(direct));
    ASSERT_EQ(ra.textes().size(), 1u);
    EXPECT_EQ(ra.textes()[0], rectangle_texte(a, 12, 12, "Gain (dB)"));

    // Kept back: the base gets only the fonts, which measure the texts, until the replay; what
    // is drawn on the base meanwhile comes first.
    enregistreur b(300, 200);
    surface_relevee rb(b);
    rb.differer();
    dessiner(rb, true, &rb);
    EXPECT_TRUE(b.segments().empty());
    EXPECT_TRUE(b.textes().empty());
    EXPECT_EQ(rb.textes(), ra.textes());
    b.couleur_crayon(0xABCDEF);
    b.ligne(0, 0, 5, 5);
    rb.rejouer();
    const auto segments = b.segments();
    ASSERT_FALSE(segments.empty());
    EXPECT_EQ(segments.front().c, 0xABCDEFu);
    enregistreur c(300, 200);
    c.couleur_crayon(0xABCDEF);
    c.ligne(0, 0, 5, 5);
    dessiner(c, false, nullptr);
    EXPECT_EQ(sans_polices(b), sans_polices(c));
    // After the replay the drawing writes through.
    rb.texte(100, 100, "après");
    EXPECT_EQ(b.textes().back().texte, "après");
}

// Every point of the lines drawn after noter_traits lies in a box of at most cote_releve
// pixels (the pen's width around it); the frame drawn before is not noted.
TEST(SurfaceRelevee, BoitesLeLongDesTraits) {
    enregistreur e(300, 200);
    surface_relevee r(e);
    dessiner(r, true, &r);
    const std::vector<rectangle_px> boites = r.traits();
    ASSERT_FALSE(boites.empty());
    for (const rectangle_px& b : boites) {
        // The points within cote_releve, the two-pixel pen's width and the lit pixel around them.
        EXPECT_LE(b.droite - b.gauche, cote_releve + 5);
        EXPECT_LE(b.bas - b.haut, cote_releve + 5);
    }
    const auto couvert = [&](double x, double y) {
        return std::any_of(boites.begin(), boites.end(), [&](const rectangle_px& b) {
            return x >= b.gauche && x < b.droite && y >= b.haut && y < b.bas;
        });
    };
    for (const segment_enregistre& s : e.segments()) {
        const int n = std::max({std::abs(s.x2 - s.x1), std::abs(s.y2 - s.y1), 1});
        for (int i = 0; i <= n; ++i)
            EXPECT_TRUE(
                couvert(s.x1 + double(s.x2 - s.x1) * i / n, s.y1 + double(s.y2 - s.y1) * i / n))
                << s.x1 << "," << s.y1 << " → " << s.x2 << "," << s.y2;
    }
    // The frame's corner, drawn before, is no line noted.
    EXPECT_FALSE(couvert(290, 190));
}

// Among thousands of small boxes, the placement takes for each label the first candidate clear
// of everything taken before it, as a plain search over all of them does.
TEST(SurfaceRelevee, PlacementParmiDesMilliersDeBoites) {
    std::mt19937 alea(5);
    const rectangle_px zone{30, 10, 1170, 780};
    std::uniform_int_distribution<int> x(0, 1200), y(0, 800), cote(1, 10), l(20, 70), h(10, 16);
    for (int essai = 0; essai < 20; ++essai) {
        std::vector<rectangle_px> occupes;
        for (int i = 0; i < 2000; ++i) {
            const int gx = x(alea), gy = y(alea);
            occupes.push_back({gx, gy, gx + cote(alea), gy + cote(alea)});
        }
        std::vector<etiquette_candidate> etiquettes(60);
        for (auto& e : etiquettes)
            for (int i = 0; i < 12; ++i) {
                const int gx = x(alea), gy = y(alea);
                e.candidats.push_back({gx, gy, gx + l(alea), gy + h(alea)});
            }
        const int ecart = essai % 3;
        std::vector<rectangle_px> attendus = occupes;
        std::vector<int> choix_attendus;
        for (const etiquette_candidate& e : etiquettes) {
            int pris = -1;
            for (std::size_t i = 0; i < e.candidats.size() && pris < 0; ++i) {
                const rectangle_px& q = e.candidats[i];
                const rectangle_px large{q.gauche - ecart, q.haut - ecart, q.droite + ecart,
                                         q.bas + ecart};
                if (contenu_dans(q, zone) &&
                    std::none_of(attendus.begin(), attendus.end(),
                                 [&](const rectangle_px& o) { return se_chevauchent(large, o); }))
                    pris = static_cast<int>(i);
            }
            if (pris >= 0) attendus.push_back(e.candidats[static_cast<std::size_t>(pris)]);
            choix_attendus.push_back(pris);
        }
        EXPECT_EQ(placer_etiquettes(etiquettes, occupes, zone, ecart), choix_attendus);
        // Some labels placed, some dropped: both ways are compared.
        const auto places = std::count_if(choix_attendus.begin(), choix_attendus.end(),
                                          [](int c) { return c >= 0; });
        EXPECT_GT(places, 10);
        EXPECT_LT(places, 60);
        EXPECT_EQ(occupes, attendus);
    }
}

} // namespace
} // namespace varlem
