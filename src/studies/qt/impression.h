#pragma once
// A study printed: its caption across the top of the page, then its drawing scaled to the rest
// of the page (the layout of `mettre_en_page`), on any painter: a printer's, or an image's in
// the tests.

#include "plot/qt/copie_vectorielle.h"

#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace varlem {

/// Paints one page of `page` (in the painter's units): the caption `titre`, then the drawing
/// `d` of `taille` pixels scaled by one factor on both axes to the largest size that fits
/// under it, centred across the page.
void peindre_page(QPainter& peintre, const QRectF& page, const QString& titre, QSize taille,
                  const dessin& d);

} // namespace varlem
