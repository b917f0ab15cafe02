#include "analysis/signal_periodique.h"

#include "analysis/periodique.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

/// N as the computations use it: nb_points held to 0..nb_points_max_periodique.
int nb_points_borne(const etude_temps& r) {
    return std::clamp(r.nb_points, 0, nb_points_max_periodique);
}

} // namespace

forme_periodique forme_depuis(const etude_temps& r, entree_temps genre) {
    forme_periodique u;
    u.genre = genre;
    u.depart = r.depart;
    u.a = r.amplitude_max;
    u.b = r.amplitude_min;
    const double f = r.frequence_periodique;
    u.f = (std::isfinite(f) && f > 0.0) ? f : 0.0;
    const double alpha = r.rapport_cyclique;
    u.alpha = std::isnan(alpha) ? 0.5 : std::clamp(alpha, 0.0, 1.0);
    return u;
}

double signal_periodique(const etude_temps& r, entree_temps genre, double t) {
    return forme_depuis(r, genre).valeur(t);
}

int nb_echantillons_periodiques(const etude_temps& r) {
    // nearbyint in the default rounding mode sends halves to the even neighbour.
    const int demi = static_cast<int>(std::nearbyint(nb_points_borne(r) / 2.0));
    return std::max(1, demi + 1);
}

double pas_periodique(const etude_temps& r) {
    const int n = nb_points_borne(r);
    const double duree = r.t_max - r.t_min;
    if (n <= 0 || !std::isfinite(duree) || !(duree > 0.0)) return 0.0;
    return 2.0 * duree / n;
}

int precision_bornee(int precision) {
    return std::clamp(precision, 1, 11);
}

void echantillonner_entree(const etude_temps& r, entree_temps genre, echantillons_periodiques& e) {
    const forme_periodique u = forme_depuis(r, genre);
    const int n = nb_echantillons_periodiques(r);
    const double pas = pas_periodique(r);
    e.echantillons_entree.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        e.echantillons_entree[static_cast<std::size_t>(i)] = u.valeur(r.t_min + i * pas);
    }
}

} // namespace varlem
