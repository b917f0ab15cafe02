#include "plot/qt/trait_direct.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace varlem {

namespace {

bool image_directe(const QPainter& peintre, const QPen& crayon) {
    const QPaintDevice* appareil = peintre.device();
    if (appareil == nullptr || appareil->devType() != QInternal::Image) return false;
    const auto* image = static_cast<const QImage*>(appareil);
    // A shared image would be copied by the first write, away from the painter's pixels.
    if (!image->isDetached()) return false;
    const QImage::Format f = image->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
        f != QImage::Format_ARGB32_Premultiplied)
        return false;
    return image->devicePixelRatio() == 1.0 && peintre.deviceTransform().isIdentity() &&
           !peintre.hasClipping() && !peintre.testRenderHint(QPainter::Antialiasing) &&
           peintre.compositionMode() == QPainter::CompositionMode_SourceOver &&
           peintre.opacity() == 1.0 && crayon.style() == Qt::SolidLine &&
           crayon.brush().style() == Qt::SolidPattern && crayon.color().alpha() == 255 &&
           crayon.widthF() <= 1.0;
}

// Directions of a segment, as the painter tracks them from one segment to the next.
enum sens : int {
    aucun = 0,
    vers_le_bas = 1,
    vers_le_haut = 2,
    vertical = 3,
    vers_la_droite = 4,
    vers_la_gauche = 8,
    horizontal = 12
};

// The pen's state between the segments of one polyline: the end pixel of the last segment
// drawn, its direction and its straightness.
struct suivi {
    QPoint dernier_pixel;
    bool pixel_lu = false;
    int dernier_sens = aucun;
    bool dernier_droit = false;
};

// The image's pixels, written without the per-pixel checks of QImage's accessors.
struct toile {
    std::uint32_t* pixels;
    qsizetype pas_ligne;
    int largeur;
    int hauteur;

    bool contient(QPoint p) const {
        return static_cast<unsigned>(p.x()) < static_cast<unsigned>(largeur) &&
               static_cast<unsigned>(p.y()) < static_cast<unsigned>(hauteur);
    }
    void allumer(QPoint p, std::uint32_t valeur) const {
        if (contient(p)) pixels[p.y() * pas_ligne + p.x()] = valeur;
    }
};

// Lights the segment a → b as the painter's one-pixel pen does with integer ends, in its 26.6
// and 16.16 fixed points: one pixel per step along the longer axis u, from the lower end to the
// higher one excluded; across it, v at the middle of the step floored where v grows, at its
// start where v falls. Where the polyline turns back, or would leave a gap or light a pixel
// twice at a join, the painter adds or removes a step: so is it done here.
void segment(const toile& t, QPoint a, QPoint b, std::uint32_t valeur, suivi& etat) {
    if (a == b) return;
    const bool raide = std::abs(b.x() - a.x()) < std::abs(b.y() - a.y());
    long long u1 = 64LL * (raide ? a.y() : a.x()), u2 = 64LL * (raide ? b.y() : b.x());
    int v1 = raide ? a.x() : a.y(), v2 = raide ? b.x() : b.y();
    int s = raide ? vers_le_bas : vers_la_droite;
    const bool inverse = u1 > u2;
    if (inverse) {
        std::swap(u1, u2);
        std::swap(v1, v2);
        s = raide ? vers_le_haut : vers_la_gauche;
    }
    const long long pente = (static_cast<long long>(v2 - v1) * 65536 * 64) / (u2 - u1);
    long long v = static_cast<long long>(v1) * 65536;
    if ((etat.dernier_sens ^ (raide ? vertical : horizontal)) == s) {
        // Turning back: a half step more at the turning end.
        if (inverse) {
            u2 += 32;
        } else {
            u1 -= 32;
            v -= pente >> 1;
        }
    }
    long long u = (u1 + 32) >> 6;
    long long u_fin = (u2 + 32) >> 6;
    if (u == u_fin) return;
    v += (u * 64 + (pente > 0 ? 32 : 0) - u1) * pente >> 6;
    const auto point = [raide](long long pu, long long pv) {
        return raide ? QPoint(static_cast<int>(pv), static_cast<int>(pu))
                     : QPoint(static_cast<int>(pu), static_cast<int>(pv));
    };
    QPoint premier = point(u, v >> 16);
    QPoint dernier = point(u_fin - 1, (v + (u_fin - u - 1) * pente) >> 16);
    if (inverse) std::swap(premier, dernier);
    const bool droit = std::abs(pente) < (1 << 14);
    if (etat.pixel_lu) {
        const QPoint ecart = etat.dernier_pixel - premier;
        const bool loin_x = std::abs(ecart.x()) > 1, loin_y = std::abs(ecart.y()) > 1;
        bool ajouter = false;
        if (ecart.isNull()) {
            if (inverse) {
                --u_fin;
            } else {
                ++u;
                v += pente;
            }
        } else if (etat.dernier_sens != s) {
            ajouter = (droit && etat.dernier_droit && ecart.x() != 0 && ecart.y() != 0) || loin_x ||
                      loin_y;
        } else {
            ajouter = (!loin_x && loin_y) || (loin_x && !loin_y);
        }
        if (ajouter) {
            if (inverse) {
                ++u_fin;
            } else {
                --u;
                v -= pente;
            }
        }
    }
    etat.dernier_sens = s;
    etat.dernier_droit = droit;
    // At least one pixel, as the painter's loop does, even when a join took the only step; a
    // step added at a join may fall just outside the image, where the painter clips it.
    do {
        t.allumer(point(u, v >> 16), valeur);
        v += pente;
    } while (++u < u_fin);
    // The segment's end as drawn, whichever way its pixels were lit.
    etat.dernier_pixel = dernier;
    etat.pixel_lu = true;
}

} // namespace

bool tracer_polyligne_directe(QPainter& peintre, const QPolygon& points, const QPen& crayon) {
    if (points.size() < 2 || !image_directe(peintre, crayon)) return false;
    auto& image = *static_cast<QImage*>(peintre.device());
    const toile t{reinterpret_cast<std::uint32_t*>(image.bits()), image.bytesPerLine() / 4,
                  image.width(), image.height()};
    // Where the painter would clip, it is left to draw: its clipped ends are no longer whole.
    for (const QPoint& p : points)
        if (!t.contient(p)) return false;
    // A line back to its start is a closed outline, whose joins the painter draws otherwise.
    if (points.size() > 2 && points.first() == points.last()) return false;
    const std::uint32_t valeur = crayon.color().rgba();
    suivi etat;
    for (qsizetype i = 1; i < points.size(); ++i)
        segment(t, points[i - 1], points[i], valeur, etat);
    return true;
}

} // namespace varlem
