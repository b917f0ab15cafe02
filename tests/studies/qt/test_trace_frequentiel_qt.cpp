#include "analysis/frequences.h"
#include "plot/qt/copie_vectorielle.h"
#include "studies/trace_frequentiel.h"

#include "analysis/outils_frequence.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

namespace varlem {
namespace {

constexpr QRgb vert = 0xFF00FF00;
constexpr QRgb blanc = 0xFFFFFFFF;

// A gain diagram of one first-order function drawn in green (0x00FF00 either way round).
struct diagramme_gain {
    std::unique_ptr<systeme> s = test::systeme_de({{1, {}, {{-1, 0}}}});
    etude_frequence r;
    param p;

    diagramme_gain() {
        s->etudes.etude_freq_choisie = diagramme::gain;
        r = test::etude_de(*s);
        p.couleurs[1] = 0x00FF00;
    }
    dessin dessin_complet() {
        return [this](surface& surf) { tracer_frequentiel(surf, r, p, *s); };
    }
};

int pixels_de(const QImage& image, QRgb c) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == c) ++n;
    return n;
}

TEST(TraceFrequentielQtTest, GainDansUneImage) {
    diagramme_gain d;
    const QImage image = dessiner_image(640, 420, d.dessin_complet());
    ASSERT_EQ(image.size(), QSize(640, 420));
    // The curve passes through its points, computed independently of the drawing.
    for (const double w : {0.12, 0.3, 1.0, 4.0, 9.0}) {
        const point_frq pt =
            point_frequentiel(d.s->fonctions[1], d.r, diagramme::gain, w, 410, 10, 625, 15);
        bool trouve = false;
        for (int dy = -1; dy <= 1 && !trouve; ++dy) trouve = image.pixel(pt.px, pt.py + dy) == vert;
        EXPECT_TRUE(trouve) << w << " at " << pt.px << "," << pt.py;
    }
    // About one green pixel per column of the frame, and the title in black at the top left.
    EXPECT_GT(pixels_de(image, vert), 600);
    EXPECT_LT(pixels_de(image, vert), 2000);
    const QImage titre = image.copy(0, 0, 60, 12);
    EXPECT_LT(pixels_de(titre, blanc), 60 * 12);
}

TEST(TraceFrequentielQtTest, GainEnSvg) {
    diagramme_gain d;
    const QString svg = QString::fromUtf8(dessiner_svg(640, 420, d.dessin_complet()));
    ASSERT_FALSE(svg.isEmpty());
    EXPECT_TRUE(svg.contains("Gain (dB)"));
    EXPECT_TRUE(svg.contains("rad/s"));
    EXPECT_TRUE(svg.contains("#00ff00", Qt::CaseInsensitive));
    // The copy has the curve but none of the diagram texts.
    const QString copie = QString::fromUtf8(
        dessiner_svg(640, 420, [&](surface& surf) { copier_frequentiel(surf, d.r, d.p, *d.s); }));
    EXPECT_TRUE(copie.contains("#00ff00", Qt::CaseInsensitive));
    EXPECT_FALSE(copie.contains("Gain (dB)"));
}

TEST(TraceFrequentielQtTest, PointsTresLointainsNeBarbouillentPas) {
    // Nyquist of an integrator zoomed on the origin: the curve comes from pixels a billion
    // away; only its visible part may colour the image.
    auto s = test::systeme_de({{1, {}, {{0, 0}, {-1, 0}}}});
    s->etudes.etude_freq_choisie = diagramme::nyquist;
    etude_frequence r = test::etude_de(*s);
    r.re_min = -2, r.re_max = 1, r.re_pas = 0.1;
    r.im_min = -2, r.im_max = 1, r.im_pas = 0.1;
    param p;
    p.couleurs[1] = 0x00FF00;
    const QImage image =
        dessiner_image(640, 420, [&](surface& surf) { tracer_frequentiel(surf, r, p, *s); });
    const int n = pixels_de(image, vert);
    EXPECT_GT(n, 100);
    EXPECT_LT(n, 3000);
}

} // namespace
} // namespace varlem
