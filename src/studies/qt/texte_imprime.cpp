#include "studies/qt/texte_imprime.h"

#include "plot/qt/surface_qt.h"

#include <QFont>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QStringList>

#include <algorithm>

namespace varlem {

namespace {

// Point size and margin, in pixels of the drawing, of the printed text.
constexpr int points_impression = 10;
constexpr int marge_impression = 8;

} // namespace

dessin dessin_texte(const QPlainTextEdit& texte, QSize& taille) {
    const QStringList lignes = texte.toPlainText().split(QLatin1Char('\n'));
    const QString famille = texte.font().family();
    QFont f(famille);
    f.setPixelSize(taille_pixels_police(points_impression));
    const QFontMetrics m(f);
    int largeur = 1;
    for (const QString& l : lignes) largeur = std::max(largeur, m.horizontalAdvance(l));
    const int pas = m.height();
    taille = QSize(largeur + 2 * marge_impression,
                   static_cast<int>(lignes.size()) * pas + 2 * marge_impression);
    return [lignes, famille = famille.toStdString(), pas](surface& s) {
        s.police(famille, points_impression, 0);
        int y = marge_impression;
        for (const QString& l : lignes) {
            s.texte(marge_impression, y, l.toStdString());
            y += pas;
        }
    };
}

} // namespace varlem
