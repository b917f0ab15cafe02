// The pen's style as the recorder and the offset surface keep it, segment by segment.
#include "plot/enregistreur.h"
#include "plot/surface_decalee.h"

#include <gtest/gtest.h>

namespace varlem {
namespace {

TEST(StylesTrait, ChaqueSegmentGardeLeStyleDuCrayon) {
    enregistreur e(200, 100);
    surface_decalee decalee(e, 50, 20, 100, 60);
    const style_trait styles[] = {style_trait::tirete, style_trait::pointille, style_trait::plein,
                                  style_trait::tirete};
    for (int i = 0; i < 4; ++i) {
        surface& s = i % 2 ? static_cast<surface&>(decalee) : e;
        s.style_crayon(styles[i]);
        s.deplacer(0, 10 * i);
        s.tracer_vers(30, 10 * i);
        s.tracer_vers(30, 10 * i + 5);
    }
    const auto segments = e.segments();
    ASSERT_EQ(segments.size(), 8u);
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 2; ++k) {
            const segment_enregistre& g = segments[static_cast<std::size_t>(2 * i + k)];
            EXPECT_EQ(g.style, styles[i]) << i;
            EXPECT_EQ(g.x1, (i % 2 ? 50 : 0) + 30 * k) << i;
            EXPECT_EQ(g.y1, (i % 2 ? 20 : 0) + 10 * i) << i;
        }
}

} // namespace
} // namespace varlem
