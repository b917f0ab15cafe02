// Dashed and dotted pens on the QPainter surface: the pattern of a dashed pen, running on along
// a polyline and starting again at each move, and a styled polyline drawn whole, as the painter
// draws it, however its points fall.
#include "plot/qt/copie_vectorielle.h"
#include "plot/qt/surface_qt.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <cmath>
#include <vector>

namespace varlem {
namespace {

constexpr QRgb blanc = 0xFFFFFFFF;

bool allume(const QImage& image, int x, int y) {
    return image.pixel(x, y) != blanc;
}

// Lit where the distance d run along the polyline falls in a dash: 6 pixels of every 10.
bool dans_un_tiret(int d) {
    return d % 10 < 6;
}

TEST(TiretsQtTest, MotifLeLongDesPolylignes) {
    const QImage image = dessiner_image(80, 80, [](surface& s) {
        s.style_crayon(style_trait::tirete);
        // 47 pixels: the next polyline would start in a gap if the pattern ran on.
        s.ligne(10, 10, 57, 10);
        s.deplacer(10, 30);
        s.tracer_vers(35, 30);
        s.tracer_vers(35, 60);
    });
    for (int x = 5; x < 70; ++x)
        EXPECT_EQ(allume(image, x, 10), x >= 10 && x < 57 && dans_un_tiret(x - 10)) << x;
    // Along the corner: 25 pixels across, then down.
    for (int x = 10; x <= 35; ++x) EXPECT_EQ(allume(image, x, 30), dans_un_tiret(x - 10)) << x;
    for (int y = 31; y < 60; ++y) EXPECT_EQ(allume(image, 35, y), dans_un_tiret(25 + y - 30)) << y;
    EXPECT_FALSE(allume(image, 35, 60));
}

std::vector<QPoint> zigzag_dans_une_colonne() {
    std::vector<QPoint> p;
    for (int i = 0; i < 40; ++i) p.emplace_back(30 + i / 10, 10 + (i % 2 ? 50 : 5) + i % 7);
    return p;
}

std::vector<QPoint> points_alignes() {
    std::vector<QPoint> p;
    for (int i = 0; i <= 20; ++i) p.emplace_back(5 + 3 * i, 40);
    return p;
}

std::vector<QPoint> sinus_rapide() {
    std::vector<QPoint> p;
    for (int x = 2; x < 78; ++x)
        p.emplace_back(x, static_cast<int>(std::lround(40 + 30 * std::sin(x * 0.9))));
    return p;
}

// Every polyline of dots or dashes, thin or thick, whatever its points: the very pixels the
// painter draws with the same pen, neither thinned column by column nor cut in pieces.
TEST(TiretsQtTest, PolyligneStyleeEntiere) {
    const struct {
        const char* nom;
        std::vector<QPoint> points;
    } lignes[] = {{"zigzag", zigzag_dans_une_colonne()},
                  {"alignés", points_alignes()},
                  {"sinus", sinus_rapide()}};
    for (const auto& l : lignes)
        for (const style_trait style : {style_trait::tirete, style_trait::pointille})
            for (const int epaisseur : {1, 2, 3}) {
                SCOPED_TRACE(testing::Message()
                             << l.nom << " " << static_cast<int>(style) << " " << epaisseur);
                const QImage par_la_surface = dessiner_image(80, 80, [&](surface& s) {
                    s.epaisseur_crayon(epaisseur);
                    s.style_crayon(style);
                    s.deplacer(l.points[0].x(), l.points[0].y());
                    for (std::size_t i = 1; i < l.points.size(); ++i)
                        s.tracer_vers(l.points[i].x(), l.points[i].y());
                });
                QImage attendue(80, 80, QImage::Format_RGB32);
                attendue.fill(Qt::white);
                {
                    QPainter peintre(&attendue);
                    QPen crayon(QColor(Qt::black), epaisseur, Qt::SolidLine, Qt::FlatCap,
                                Qt::MiterJoin);
                    if (style == style_trait::tirete)
                        crayon.setDashPattern({longueur_tiret, longueur_blanc});
                    else
                        crayon.setStyle(Qt::DotLine);
                    peintre.setPen(crayon);
                    peintre.drawPolyline(QPolygon(QList<QPoint>(l.points.begin(), l.points.end())));
                }
                EXPECT_EQ(par_la_surface, attendue);
            }
}

// A vector copy carries the pattern on one path, not a stroke per dash.
TEST(TiretsQtTest, CopieVectorielleUnSeulChemin) {
    const QByteArray svg = dessiner_svg(80, 80, [](surface& s) {
        s.style_crayon(style_trait::tirete);
        s.deplacer(10, 30);
        for (int i = 1; i <= 30; ++i) s.tracer_vers(10 + 2 * i, 30 + (i % 3));
    });
    EXPECT_EQ(svg.count("<polyline"), 1);
    EXPECT_TRUE(svg.contains("stroke-dasharray=\"6,4\"")) << svg.constData();
}

} // namespace
} // namespace varlem
