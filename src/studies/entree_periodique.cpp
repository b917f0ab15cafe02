#include "studies/entree_periodique.h"

#include "numeric/nombres.h"

#include <cmath>

namespace varlem {

namespace {

// Most periods the plot shows.
constexpr double nb_periodes_max = 10.0;

} // namespace

textes_periodiques textes_periodiques_initiaux() {
    return {"1", "3", "1", "0", "0.5"};
}

bool valider_periodique(etude_temps& r, const textes_periodiques& t) {
    // A text too large for a double reads as infinity, which no computation can take.
    const double n = lire_nombre(t.nb_periodes);
    if (!(n > 0 && n <= nb_periodes_max)) return false;
    r.nb_periodes = n;

    const double f = lire_nombre(t.frequence);
    if (!(f > 0) || !std::isfinite(f)) return false;
    r.frequence_periodique = f;

    const double haut = lire_nombre(t.amplitude_max);
    const double bas = lire_nombre(t.amplitude_min);
    if (bas > haut || !std::isfinite(haut) || !std::isfinite(bas)) return false;
    r.amplitude_max = haut;
    r.amplitude_min = bas;

    const double rapport = lire_nombre(t.rapport_cyclique);
    if (rapport > 1 || rapport < 0) return false;
    r.rapport_cyclique = rapport;
    return true;
}

} // namespace varlem
