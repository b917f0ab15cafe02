#include "studies/zoom_frequentiel.h"

#include "analysis/frequences.h"
#include "document/etudes_systeme.h"
#include "plot/echelles.h"

#include <algorithm>
#include <cmath>

namespace varlem {

double borne_basse_elargie(double lo) {
    return lo >= 0 ? lo / facteur_zoom_arriere : lo * facteur_zoom_arriere;
}

double borne_haute_elargie(double hi) {
    return hi > 0 ? hi * facteur_zoom_arriere : hi / facteur_zoom_arriere;
}

namespace {

// Both bounds outward, then a new step over the widened range.
void elargir(double& lo, double& hi, double& pas, bool inclure_zero) {
    lo = borne_basse_elargie(lo);
    hi = borne_haute_elargie(hi);
    pas = pas_graduation(lo, hi, inclure_zero);
}

} // namespace

bool elargir_intervalle(etude_frequence& r, const systeme& s, bool vers_le_bas) {
    if (vers_le_bas) {
        if (r.decade_min <= -decade_limite) return false;
        --r.decade_min;
        r.w_min = puissance_dix(r.decade_min);
    } else {
        if (r.decade_max >= decade_limite) return false;
        ++r.decade_max;
        r.w_max = puissance_dix(r.decade_max);
    }
    preparer_frequences(r, false, s);
    return true;
}

bool zoom_arriere(etude_frequence& r, diagramme genre, bool inclure_zero) {
    if (!diagramme_trace(genre)) return false;
    const description_diagramme& d = description(genre);
    const plage_etude v = d.plage_v;
    if (d.zoom_arriere_par_le_haut) {
        // Only the upper end of the linear axis widens; the vertical range keeps its step.
        const plage_etude h = plage_horizontale(d, r);
        r.*h.max *= facteur_zoom_arriere;
        r.*h.pas = pas_graduation(r.*h.min, r.*h.max, inclure_zero);
        r.*v.max *= facteur_zoom_arriere;
        return true;
    }
    elargir(r.*v.min, r.*v.max, r.*v.pas, inclure_zero);
    if (!d.logarithmique) {
        const plage_etude h = plage_horizontale(d, r);
        elargir(r.*h.min, r.*h.max, r.*h.pas, inclure_zero);
    }
    return true;
}

namespace {

// Decimal logarithms closer than this to an integer are taken as that integer: an edge on a
// decade line must not gain or lose a decade through the rounding of the pixel maps.
constexpr double tolerance_decade = 1e-9;

// The data area of the picture the rectangle was dragged over.
struct cadre_zoom {
    int gauche, droite, haut, bas;
};

// The world interval between two pixel columns (or rows), in increasing order.
struct intervalle {
    double lo, hi;
};

intervalle ordonne(double a, double b) {
    return a <= b ? intervalle{a, b} : intervalle{b, a};
}

intervalle horizontal(const cadre_zoom& c, const rectangle_zoom& z, double lo, double hi) {
    return ordonne(pixel_vers_x(z.x0, c.gauche, c.droite, lo, hi),
                   pixel_vers_x(z.x1, c.gauche, c.droite, lo, hi));
}

intervalle vertical(const cadre_zoom& c, const rectangle_zoom& z, double lo, double hi) {
    return ordonne(pixel_vers_y(z.y0, c.haut, c.bas, lo, hi),
                   pixel_vers_y(z.y1, c.haut, c.bas, lo, hi));
}

bool contient_zero(const intervalle& i) {
    return i.lo <= 0 && 0 <= i.hi;
}

// The new ranges of a linear diagram, graduated with zero held when the rectangle holds the
// origin.
bool zoom_lineaire(const cadre_zoom& c, const rectangle_zoom& z, double& h_min, double& h_max,
                   double& h_pas, double& v_min, double& v_max, double& v_pas, bool& inclure_zero) {
    const intervalle h = horizontal(c, z, h_min, h_max);
    const intervalle v = vertical(c, z, v_min, v_max);
    const bool zero = contient_zero(h) && contient_zero(v);
    h_min = h.lo, h_max = h.hi;
    v_min = v.lo, v_max = v.hi;
    h_pas = pas_graduation(h_min, h_max, zero);
    v_pas = pas_graduation(v_min, v_max, zero);
    inclure_zero = zero;
    return true;
}

double logarithme_net(double w) {
    const double l = std::log10(w);
    const double entier = std::nearbyint(l);
    return std::abs(l - entier) < tolerance_decade ? entier : l;
}

// A decade exponent held within the limits the frequency study keeps.
int decade_bornee(double d, int lo, int hi) {
    if (std::isnan(d)) return lo;
    return static_cast<int>(std::clamp(d, double(lo), double(hi)));
}

bool zoom_logarithmique(etude_frequence& r, const cadre_zoom& c, const rectangle_zoom& z,
                        double& v_min, double& v_max, double& v_pas, bool& inclure_zero) {
    const int xa = std::min(z.x0, z.x1);
    const int xb = std::max(z.x0, z.x1);
    const double w0 = pixel_vers_log(xa, c.gauche, c.droite, r.decade_min, r.decade_max);
    const double w1 = pixel_vers_log(xb, c.gauche, c.droite, r.decade_min, r.decade_max);
    // A decade of margin below the left edge; the right edge on the axis, a decade at least.
    const int d_min =
        decade_bornee(std::trunc(logarithme_net(w0) - 1), -decade_limite, decade_limite - 1);
    const int d_max = decade_bornee(std::ceil(logarithme_net(w1)), d_min + 1, decade_limite);
    const intervalle v = vertical(c, z, v_min, v_max);
    const bool zero = contient_zero(v);
    r.decade_min = d_min;
    r.decade_max = d_max;
    v_min = v.lo, v_max = v.hi;
    v_pas = pas_graduation(v_min, v_max, zero);
    inclure_zero = zero;
    return true;
}

} // namespace

bool zoom_souris(etude_frequence& r, diagramme genre, int w, int h, const rectangle_zoom& z,
                 bool& inclure_zero) {
    // A click, or a rectangle without width or height, has no extent to zoom to.
    if (z.x0 == z.x1 || z.y0 == z.y1) return false;
    if (!cadre_utilisable(w, h)) return false;
    if (!diagramme_trace(genre)) return false;
    const cadre_zoom c{cadre_gauche(), cadre_droite(w), cadre_haut(), cadre_bas(h)};
    const description_diagramme& d = description(genre);
    const plage_etude v = d.plage_v;
    if (d.logarithmique)
        return zoom_logarithmique(r, c, z, r.*v.min, r.*v.max, r.*v.pas, inclure_zero);
    const plage_etude x = plage_horizontale(d, r);
    return zoom_lineaire(c, z, r.*x.min, r.*x.max, r.*x.pas, r.*v.min, r.*v.max, r.*v.pas,
                         inclure_zero);
}

} // namespace varlem
