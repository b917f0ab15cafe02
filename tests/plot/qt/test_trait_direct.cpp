#include "plot/qt/trait_direct.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <cstdint>
#include <cstring>

namespace varlem {
namespace {

const QPen crayon_fin(QColor(0, 0, 255), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);

// Pixels where two images differ.
int ecarts(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), a.width() * 4u) == 0) continue;
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    }
    return n;
}

QImage blanche(int w, int h, QImage::Format f = QImage::Format_RGB32) {
    QImage i(w, h, f);
    i.fill(Qt::white);
    return i;
}

// What the painter itself draws for the polyline.
QImage par_le_peintre(const QPolygon& points, int w, int h) {
    QImage i = blanche(w, h);
    QPainter p(&i);
    p.setPen(crayon_fin);
    p.drawPolyline(points);
    return i;
}

// Polylines of every shape, each drawn directly and by the painter: the same pixels, joins,
// turns back, single steps and the image's edges included.
TEST(TraitDirectTest, MemesPixelsQueLePeintre) {
    struct forme {
        const char* nom;
        int points;
        int cote;
        bool colonnes; // one point per column, as a curve
    };
    const forme formes[] = {{"courts", 3, 12, false},         {"moyens", 8, 40, false},
                            {"longs", 200, 300, false},       {"courbe", 300, 300, true},
                            {"courbe dense", 600, 150, true}, {"minuscules", 5, 3, false}};
    std::uint32_t graine = 20261209;
    const auto hasard = [&graine](int n) {
        graine = graine * 1103515245u + 12345u;
        return static_cast<int>((graine >> 8) % static_cast<std::uint32_t>(n));
    };
    for (const forme& f : formes)
        for (int essai = 0; essai < 150; ++essai) {
            QPolygon points;
            for (int i = 0; i < f.points; ++i)
                points << QPoint(f.colonnes ? i * (f.cote - 1) / f.points : hasard(f.cote),
                                 hasard(f.cote));
            QImage directe = blanche(f.cote, f.cote);
            {
                QPainter p(&directe);
                const bool dessine = tracer_polyligne_directe(p, points, crayon_fin);
                // Only a polyline back to its start is left to the painter here.
                if (!dessine) {
                    EXPECT_EQ(points.first(), points.last()) << f.nom;
                    p.setPen(crayon_fin);
                    p.drawPolyline(points);
                }
            }
            ASSERT_EQ(ecarts(directe, par_le_peintre(points, f.cote, f.cote)), 0)
                << f.nom << ", essai " << essai;
        }
}

// Whatever the painter would do otherwise, it is left to do: scaled or clipped painters, other
// pens, translucent colours, points outside the image, other formats and shared images.
TEST(TraitDirectTest, LaisseAuPeintreCeQuIlFaitAutrement) {
    const QPolygon dedans({QPoint(2, 2), QPoint(30, 20), QPoint(5, 28)});
    const auto essayer = [&](QImage& image, const QPolygon& points, const QPen& crayon,
                             auto regler) {
        QPainter p(&image);
        regler(p);
        return tracer_polyligne_directe(p, points, crayon);
    };
    const auto rien = [](QPainter&) {};
    QImage image = blanche(40, 40);
    EXPECT_TRUE(essayer(image, dedans, crayon_fin, rien));
    EXPECT_FALSE(essayer(image, QPolygon({QPoint(2, 2)}), crayon_fin, rien));
    EXPECT_FALSE(essayer(image, QPolygon({QPoint(2, 2), QPoint(40, 5)}), crayon_fin, rien));
    EXPECT_FALSE(essayer(image, QPolygon({QPoint(-1, 2), QPoint(20, 5)}), crayon_fin, rien));
    EXPECT_FALSE(essayer(image, dedans, crayon_fin, [](QPainter& p) { p.scale(2, 2); }));
    EXPECT_FALSE(essayer(image, dedans, crayon_fin, [](QPainter& p) { p.translate(1, 0); }));
    EXPECT_FALSE(
        essayer(image, dedans, crayon_fin, [](QPainter& p) { p.setClipRect(0, 0, 10, 10); }));
    EXPECT_FALSE(essayer(image, dedans, crayon_fin,
                         [](QPainter& p) { p.setRenderHint(QPainter::Antialiasing); }));
    EXPECT_FALSE(essayer(image, dedans, crayon_fin, [](QPainter& p) { p.setOpacity(0.5); }));
    EXPECT_FALSE(essayer(image, dedans, crayon_fin,
                         [](QPainter& p) { p.setCompositionMode(QPainter::CompositionMode_Xor); }));
    QPen epais = crayon_fin;
    epais.setWidth(2);
    EXPECT_FALSE(essayer(image, dedans, epais, rien));
    QPen pointille = crayon_fin;
    pointille.setStyle(Qt::DotLine);
    EXPECT_FALSE(essayer(image, dedans, pointille, rien));
    QPen translucide = crayon_fin;
    translucide.setColor(QColor(0, 0, 255, 128));
    EXPECT_FALSE(essayer(image, dedans, translucide, rien));

    QImage ecran = blanche(40, 40);
    ecran.setDevicePixelRatio(2);
    EXPECT_FALSE(essayer(ecran, dedans, crayon_fin, rien));
    QImage autre_format = blanche(40, 40, QImage::Format_RGB16);
    EXPECT_FALSE(essayer(autre_format, dedans, crayon_fin, rien));
    // A copy made before painting keeps its pixels: the painter gave the image its own.
    QImage originale = blanche(40, 40);
    const QImage copie = originale;
    EXPECT_TRUE(essayer(originale, dedans, crayon_fin, rien));
    EXPECT_EQ(copie.pixel(2, 2), QColor(Qt::white).rgb());
    EXPECT_EQ(originale.pixel(2, 2), QColor(0, 0, 255).rgb());
}

} // namespace
} // namespace varlem
