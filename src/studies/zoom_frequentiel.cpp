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
    switch (genre) {
    case diagramme::black:
        elargir(r.black_gain_min, r.black_gain_max, r.black_gain_pas, inclure_zero);
        elargir(r.black_phase_min, r.black_phase_max, r.black_phase_pas, inclure_zero);
        return true;
    case diagramme::gain:
        elargir(r.gain_min, r.gain_max, r.gain_pas, inclure_zero);
        return true;
    case diagramme::phase:
        elargir(r.phase_min, r.phase_max, r.phase_pas, inclure_zero);
        return true;
    case diagramme::nyquist:
        elargir(r.im_min, r.im_max, r.im_pas, inclure_zero);
        elargir(r.re_min, r.re_max, r.re_pas, inclure_zero);
        return true;
    case diagramme::module:
        // Only the upper end of the linear axis widens; the modulus keeps its step.
        if (r.en_hertz) {
            r.f_max *= facteur_zoom_arriere;
            r.f_pas = pas_graduation(r.f_min, r.f_max, inclure_zero);
        } else {
            r.wl_max *= facteur_zoom_arriere;
            r.wl_pas = pas_graduation(r.wl_min, r.wl_max, inclure_zero);
        }
        r.module_max *= facteur_zoom_arriere;
        return true;
    case diagramme::aucun:
        break;
    }
    return false;
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
    const cadre_zoom c{cadre_gauche(), cadre_droite(w), cadre_haut(), cadre_bas(h)};
    switch (genre) {
    case diagramme::nyquist:
        return zoom_lineaire(c, z, r.re_min, r.re_max, r.re_pas, r.im_min, r.im_max, r.im_pas,
                             inclure_zero);
    case diagramme::black:
        return zoom_lineaire(c, z, r.black_phase_min, r.black_phase_max, r.black_phase_pas,
                             r.black_gain_min, r.black_gain_max, r.black_gain_pas, inclure_zero);
    case diagramme::module:
        if (r.en_hertz)
            return zoom_lineaire(c, z, r.f_min, r.f_max, r.f_pas, r.module_min, r.module_max,
                                 r.module_pas, inclure_zero);
        return zoom_lineaire(c, z, r.wl_min, r.wl_max, r.wl_pas, r.module_min, r.module_max,
                             r.module_pas, inclure_zero);
    case diagramme::gain:
        return zoom_logarithmique(r, c, z, r.gain_min, r.gain_max, r.gain_pas, inclure_zero);
    case diagramme::phase:
        return zoom_logarithmique(r, c, z, r.phase_min, r.phase_max, r.phase_pas, inclure_zero);
    case diagramme::aucun:
        break;
    }
    return false;
}

} // namespace varlem
