#include "studies/qt/impression.h"

#include "plot/qt/surface_qt.h"
#include "studies/mise_en_page.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace varlem {

namespace {

// Caption size: a title's, a little larger than the plot's own texts once printed.
constexpr double points_titre = 14;

} // namespace

void peindre_page(QPainter& peintre, const QRectF& page, const QString& titre, QSize taille,
                  const dessin& d) {
    QFont police = peintre.font();
    police.setPointSizeF(points_titre);
    police.setBold(true);
    peintre.setFont(police);
    peintre.setPen(Qt::black);
    const mise_en_page m =
        mettre_en_page({page.x(), page.y(), page.width(), page.height()}, taille.width(),
                       taille.height(), QFontMetricsF(police, peintre.device()).lineSpacing());
    peintre.drawText(QRectF(m.titre.x, m.titre.y, m.titre.largeur, m.titre.hauteur),
                     Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, titre);
    if (m.echelle <= 0 || !d) return;
    peintre.save();
    peintre.translate(m.trace.x, m.trace.y);
    peintre.scale(m.echelle, m.echelle);
    // Nothing of the drawing strays over the caption or off the page.
    peintre.setClipRect(QRect(QPoint(0, 0), taille));
    surface_qpainter s(&peintre, taille.width(), taille.height());
    d(s);
    peintre.restore();
}

} // namespace varlem
