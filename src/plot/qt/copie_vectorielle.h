#pragma once
// One drawing routine, many outputs: bitmap, SVG and PDF bytes, clipboard data and files.

#include "plot/surface.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

class QMimeData;

namespace varlem {

/// A drawing written once against the surface, replayed on every output.
using dessin = std::function<void(surface&)>;

/// Outcome of writing a drawing to a file.
enum class resultat_export { reussi, extension_inconnue, taille_invalide, erreur_ecriture };

/// The drawing on a new w × h image (in logical pixels, `ratio` device pixels each) with a
/// white background; a null image when w or h ≤ 0.
QImage dessiner_image(int w, int h, const dessin& d, qreal ratio = 1.0);
/// The drawing as SVG bytes over a w × h view box; empty when w or h ≤ 0.
QByteArray dessiner_svg(int w, int h, const dessin& d);
/// The drawing as a one-page PDF whose page holds the w × h canvas; empty when w or h ≤ 0.
QByteArray dessiner_pdf(int w, int h, const dessin& d);
/// Clipboard data: "image/svg+xml", "application/pdf" and a PNG image fallback; caller owns it.
QMimeData* preparer_copie(int w, int h, const dessin& d);
/// Writes the drawing to a file whose extension (.png, .svg, .pdf) chooses the format.
resultat_export enregistrer_dessin(const QString& chemin, int w, int h, const dessin& d);

} // namespace varlem
