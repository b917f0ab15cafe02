#include "studies/mise_en_page.h"

#include <gtest/gtest.h>

namespace varlem {
namespace {

// The drawing keeps its proportions, fills the page's width or the room under the caption,
// is centred across the page and never leaves it.
TEST(MiseEnPageTest, TraceALEchelleSousSonTitre) {
    struct cas {
        cadre_page page;
        int largeur, hauteur;
        double titre;
        bool pleine_largeur;
    };
    const cas table[] = {
        // A4 at 1200 dpi, a wide plot: limited by the width.
        {{0, 0, 9921, 14031}, 1040, 660, 200, true},
        // A tall drawing (a long text): limited by the height left under the caption.
        {{0, 0, 9921, 14031}, 400, 3000, 200, false},
        // Landscape, with a printable area off the corner: still the width.
        {{120, 80, 14031, 9921}, 1040, 660, 150, true},
        // A square on a square page: the caption's room decides.
        {{0, 0, 1000, 1000}, 100, 100, 40, false},
    };
    for (const cas& c : table) {
        const mise_en_page m = mettre_en_page(c.page, c.largeur, c.hauteur, c.titre);
        SCOPED_TRACE(std::to_string(c.largeur) + "x" + std::to_string(c.hauteur));
        EXPECT_EQ(m.titre, (cadre_page{c.page.x, c.page.y, c.page.largeur, c.titre}));
        ASSERT_GT(m.echelle, 0);
        EXPECT_NEAR(m.trace.largeur / m.trace.hauteur, double(c.largeur) / c.hauteur, 1e-12);
        EXPECT_NEAR(m.trace.largeur, c.largeur * m.echelle, 1e-9);
        // Half a line between the caption and the drawing.
        EXPECT_DOUBLE_EQ(m.trace.y, c.page.y + 1.5 * c.titre);
        EXPECT_NEAR(m.trace.x - c.page.x, c.page.x + c.page.largeur - m.trace.x - m.trace.largeur,
                    1e-6);
        EXPECT_LE(m.trace.y + m.trace.hauteur, c.page.y + c.page.hauteur + 1e-6);
        if (c.pleine_largeur)
            EXPECT_NEAR(m.trace.largeur, c.page.largeur, 1e-6);
        else
            EXPECT_NEAR(m.trace.y + m.trace.hauteur, c.page.y + c.page.hauteur, 1e-6);
    }
}

TEST(MiseEnPageTest, RienATracer) {
    for (const auto& [largeur, hauteur] : {std::pair{0, 100}, {100, 0}, {-5, 10}}) {
        const mise_en_page m = mettre_en_page({0, 0, 1000, 1000}, largeur, hauteur, 40);
        EXPECT_EQ(m.echelle, 0);
        EXPECT_EQ(m.titre.hauteur, 40);
    }
    // No room left under the caption, or no page: the caption at most, nothing drawn.
    EXPECT_EQ(mettre_en_page({0, 0, 1000, 50}, 100, 100, 40).echelle, 0);
    const mise_en_page vide = mettre_en_page({0, 0, 0, 0}, 100, 100, 40);
    EXPECT_EQ(vide.echelle, 0);
    EXPECT_EQ(vide.titre.hauteur, 0);
}

} // namespace
} // namespace varlem
