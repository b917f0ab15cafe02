#include "plot/qt/surface_qt.h"

#include "numeric/registres_vectoriels.h"
#include "plot/qt/textes_qt.h"
#include "plot/qt/trait_direct.h"

#include <QPainter>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <cmath>

namespace varlem {

QColor couleur_qt(couleur c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

int taille_pixels_police(int points) {
    return std::max(1, static_cast<int>(std::nearbyint(points * 96.0 / 72.0)));
}

namespace {

// A run of consecutive points in one pixel column draws one vertical stretch, from its lowest
// to its highest point, whatever their order: the run is kept as its first point, its two ends
// in the order the line reaches them and its last point, which draws the same pixels. A fine
// time step puts dozens of points in each column; the painter then strokes four. (A thick
// pen's joins would change: its lines are left whole.)
void resserrer_colonnes(QPolygon& points) {
    const qsizetype n = points.size();
    qsizetype ecrits = 0;
    for (qsizetype debut = 0; debut < n;) {
        qsizetype fin = debut + 1;
        qsizetype bas = debut, haut = debut;
        while (fin < n && points[fin].x() == points[debut].x()) {
            if (points[fin].y() < points[bas].y()) bas = fin;
            if (points[fin].y() > points[haut].y()) haut = fin;
            ++fin;
        }
        if (fin - debut <= 4) {
            for (qsizetype i = debut; i < fin; ++i) points[ecrits++] = points[i];
        } else {
            qsizetype garde[4] = {debut, std::min(bas, haut), std::max(bas, haut), fin - 1};
            for (qsizetype k = 0; k < 4; ++k)
                if (k == 0 || garde[k] != garde[k - 1]) points[ecrits++] = points[garde[k]];
        }
        debut = fin;
    }
    points.resize(ecrits);
}

} // namespace

surface_qpainter::surface_qpainter(QPainter* peintre, int w, int h)
    : peintre_(peintre), largeur_(w), hauteur_(h) {
    // Flat caps keep a dotted line's dots one pixel long and a line's end where it was asked.
    crayon_ = QPen(QColor(Qt::black), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    peintre_->setRenderHint(QPainter::Antialiasing, false);
    peintre_->setBrush(Qt::NoBrush);
    // The painter's fills (the caller's background among them) leave the vector registers'
    // upper halves in use, which slows every libm call of the drawing that follows tenfold:
    // they are cleared here and after each call that paints.
    liberer_moities_hautes();
}

surface_qpainter::~surface_qpainter() {
    vider();
}

void surface_qpainter::appliquer_crayon() {
    if (crayon_applique_) return;
    peintre_->setPen(crayon_);
    crayon_applique_ = true;
}

void surface_qpainter::vider() {
    if (trace_.size() >= 2) {
        appliquer_crayon();
        if (crayon_.style() != Qt::SolidLine) {
            // Dots and dashes run on along the whole polyline: neither thinned nor cut.
            peintre_->drawPolyline(trace_);
        } else if (crayon_.width() <= 1) {
            resserrer_colonnes(trace_);
            if (!tracer_polyligne_directe(*peintre_, trace_, crayon_))
                peintre_->drawPolyline(trace_);
        } else {
            // A thick pen is stroked as one outline, filled at a cost that grows with the square
            // of its points where the line doubles back on itself (a fast sine): drawn in
            // pieces that share their ends, it costs as many points.
            constexpr qsizetype morceau = 8;
            for (qsizetype debut = 0; debut + 1 < trace_.size(); debut += morceau)
                peintre_->drawPolyline(
                    trace_.constData() + debut,
                    static_cast<int>(std::min(morceau + 1, trace_.size() - debut)));
        }
        liberer_moities_hautes();
    }
    trace_.clear();
}

void surface_qpainter::changer_crayon(const QPen& nouveau) {
    if (nouveau == crayon_) return;
    vider();
    crayon_ = nouveau;
    crayon_applique_ = false;
}

void surface_qpainter::couleur_crayon(couleur c) {
    QPen p = crayon_;
    p.setColor(couleur_qt(c));
    changer_crayon(p);
}

void surface_qpainter::epaisseur_crayon(int e) {
    QPen p = crayon_;
    // Width 0 would be Qt's cosmetic pen, which ignores the page scale of PDF copies.
    p.setWidth(std::max(1, e));
    changer_crayon(p);
}

void surface_qpainter::style_crayon(style_trait s) {
    QPen p = crayon_;
    switch (s) {
    case style_trait::plein:
        p.setStyle(Qt::SolidLine);
        break;
    case style_trait::pointille:
        p.setStyle(Qt::DotLine);
        break;
    case style_trait::tirete:
        // In pen widths: pixels for the usual one-pixel pen.
        p.setDashPattern({longueur_tiret, longueur_blanc});
        break;
    }
    changer_crayon(p);
}

void surface_qpainter::deplacer(int x, int y) {
    vider();
    position_ = QPoint(x, y);
}

void surface_qpainter::tracer_vers(int x, int y) {
    if (trace_.isEmpty()) trace_ << position_;
    position_ = QPoint(x, y);
    trace_ << position_;
}

void surface_qpainter::rectangle(int x1, int y1, int x2, int y2) {
    vider();
    appliquer_crayon();
    peintre_->setBrush(Qt::NoBrush);
    peintre_->drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
    liberer_moities_hautes();
}

void surface_qpainter::police(const std::string& nom, int taille, couleur c) {
    couleur_texte_ = couleur_qt(c);
    auto& entree = polices_[{nom, taille}];
    if (!entree) {
        QFont f(texte_qt(nom));
        // Pixel sizes make bitmaps, SVG and PDF agree whatever each device's resolution.
        f.setPixelSize(taille_pixels_police(taille));
        entree = std::make_unique<police_chargee>(police_chargee{f, QFontMetrics(f)});
    }
    police_ = entree.get();
}

void surface_qpainter::texte(int x, int y, const std::string& t) {
    vider();
    if (!police_) police("Arial", 8, 0);
    if (police_appliquee_ != police_) {
        peintre_->setFont(police_->font);
        police_appliquee_ = police_;
    }
    peintre_->setPen(couleur_texte_);
    crayon_applique_ = false;
    // The surface places texts by their top-left corner, Qt by their baseline.
    peintre_->drawText(QPoint(x, y + police_->metriques.ascent()), QString::fromUtf8(t));
    liberer_moities_hautes();
}

int surface_qpainter::largeur_texte(const std::string& t) {
    if (!police_) police("Arial", 8, 0);
    return police_->metriques.horizontalAdvance(QString::fromUtf8(t));
}

int surface_qpainter::hauteur_texte(const std::string&) {
    if (!police_) police("Arial", 8, 0);
    return police_->metriques.height();
}

} // namespace varlem
