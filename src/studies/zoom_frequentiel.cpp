#include "studies/zoom_frequentiel.h"

#include "plot/echelles.h"

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

bool zoom_arriere(etude_frequence& r, char genre, bool inclure_zero) {
    switch (genre) {
    case 'B':
        elargir(r.black_gain_min, r.black_gain_max, r.black_gain_pas, inclure_zero);
        elargir(r.black_phase_min, r.black_phase_max, r.black_phase_pas, inclure_zero);
        return true;
    case 'G':
        elargir(r.gain_min, r.gain_max, r.gain_pas, inclure_zero);
        return true;
    case 'P':
        elargir(r.phase_min, r.phase_max, r.phase_pas, inclure_zero);
        return true;
    case 'N':
        elargir(r.im_min, r.im_max, r.im_pas, inclure_zero);
        elargir(r.re_min, r.re_max, r.re_pas, inclure_zero);
        return true;
    case 'M':
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
    default:
        return false;
    }
}

} // namespace varlem
