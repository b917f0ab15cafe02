#include "settings/contraste.h"

#include <gtest/gtest.h>

namespace varlem {
namespace {

TEST(Contraste, RapportsConnus) {
    // Colours 0x00BBGGRR; ratios of the usual definition of relative luminance.
    EXPECT_NEAR(contraste(0x000000, 0xFFFFFF), 21.0, 1e-9);
    EXPECT_NEAR(contraste(0xFFFFFF, 0x000000), 21.0, 1e-9);
    EXPECT_NEAR(contraste(0x808080, 0x808080), 1.0, 1e-12);
    EXPECT_NEAR(luminance(0x0000FF), 0.2126, 1e-12);
    EXPECT_NEAR(luminance(0x00FF00), 0.7152, 1e-12);
    EXPECT_NEAR(luminance(0xFF0000), 0.0722, 1e-12);
    const couleur page = 0xF0F0F0;
    struct cas {
        couleur texte;
        bool lisible;
    };
    // Yellow and lime vanish on a light page; red, blue and black do not.
    for (const cas& c : {cas{0x00FFFF, false}, cas{0x00FF00, false}, cas{0x0000FF, true},
                         cas{0xFF0000, true}, cas{0x000000, true}})
        EXPECT_EQ(lisible_sur(c.texte, page), c.lisible) << std::hex << c.texte;
}

} // namespace
} // namespace varlem
