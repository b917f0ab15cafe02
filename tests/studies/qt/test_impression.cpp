// A study printed on a page: the caption across its top, the drawing under it scaled to the
// page with its proportions kept. Painted here on an image standing for the page.
#include "studies/qt/impression.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace varlem {
namespace {

// The first and last rows of `zone` holding ink; {-1, -1} when it holds none.
std::pair<int, int> lignes_encrees(const QImage& im, const QRect& zone) {
    std::pair<int, int> e{-1, -1};
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            if (qGray(im.pixel(x, y)) < 128) {
                if (e.first < 0) e.first = y;
                e.second = y;
                break;
            }
    return e;
}

TEST(Impression, TitreEnHautTraceALEchelleDeLaPage) {
    // A page about A4's shape, and a 400 × 200 drawing framed by its border.
    const QSize page(850, 1100);
    QImage im(page, QImage::Format_RGB32);
    im.fill(Qt::white);
    const dessin cadre = [](surface& s) {
        s.couleur_crayon(0);
        s.epaisseur_crayon(1);
        s.rectangle(0, 0, 399, 199);
    };
    {
        QPainter p(&im);
        peindre_page(p, QRectF(QPointF(0, 0), QSizeF(page)), QStringLiteral("Etude temporelle"),
                     QSize(400, 200), cadre);
    }
    // The drawing's left edge, alone at the page's left: scaled by 850 / 400 on both axes.
    const auto [haut, bas] = lignes_encrees(im, QRect(0, 0, 4, page.height()));
    ASSERT_GE(haut, 0);
    EXPECT_NEAR(bas - haut, 199 * 850.0 / 400, 3);
    // Its right edge at the page's right.
    EXPECT_EQ(lignes_encrees(im, QRect(page.width() - 4, 0, 4, page.height())).first, haut);
    // The caption above it, centred, and nothing of it in the drawing's corners.
    const auto titre = lignes_encrees(im, QRect(200, 0, 450, haut - 1));
    EXPECT_GE(titre.first, 0);
    EXPECT_LT(titre.second, haut);
    EXPECT_LT(lignes_encrees(im, QRect(0, 0, 100, haut - 1)).first, 0);
}

TEST(Impression, SansDessinLeTitreSeul) {
    QImage im(QSize(300, 400), QImage::Format_RGB32);
    im.fill(Qt::white);
    {
        QPainter p(&im);
        peindre_page(p, QRectF(0, 0, 300, 400), QStringLiteral("Decomposition"), QSize(0, 0),
                     dessin());
    }
    const auto e = lignes_encrees(im, QRect(0, 0, 300, 400));
    ASSERT_GE(e.first, 0) << "the caption is printed";
    EXPECT_LT(e.second, 60) << "and nothing else";
}

} // namespace
} // namespace varlem
