#include "analysis/reponse_temps.h"

#include "numeric/analyse_racines.h"
#include "numeric/temporel.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

// A usable sample step: dt itself when it is finite, positive and does not need more than
// the cap to cross the interval; otherwise the smallest step that crosses it within the cap.
double pas_utilisable(const etude_temps& r) {
    const double etendue = r.t_max - r.t_min;
    const double plancher =
        std::isfinite(etendue) && etendue > 0 ? etendue / max_echantillons_temps : 0.0;
    if (std::isfinite(r.dt) && r.dt > 0) return std::max(r.dt, plancher);
    if (plancher > 0) return etendue / nb_points_effectif(r);
    return 1.0;
}

bool intervalle_fini(const etude_temps& r) {
    return std::isfinite(r.t_min) && std::isfinite(r.t_max);
}

} // namespace

bool preparer_produit_entree(const fdt_travail& T, entree_temps genre, const etude_temps& r,
                             fdt_travail& sortie) {
    if (!entree_transformee(genre)) return false;
    fdt entree;
    transformee_entree(genre, entree, r.amplitude, r.phase_origine, r.pulsation);
    if (p_produit_deborde(T.fonction.num, entree.num) ||
        p_produit_deborde(T.fonction.den, entree.den))
        return false;
    sortie = fdt_travail{};
    sortie.fonction = f_produit(T.fonction, entree);
    // T's own roots are reused: the product is never expanded and searched again, so a
    // repeated pole of T stays exactly repeated.
    analyser_produit_entree(sortie, T, genre, entree);
    return true;
}

const fdt_travail* reponse_a_evaluer(const fdt_travail& T, entree_temps genre, const etude_temps& r,
                                     fdt_travail& tampon) {
    if (genre == entree_temps::impulsion) return &T;
    return preparer_produit_entree(T, genre, r, tampon) ? &tampon : nullptr;
}

int nb_points_effectif(const etude_temps& r) {
    return std::clamp(r.nb_points, 1, max_echantillons_temps);
}

grille_temps grille_balayage(const etude_temps& r) {
    grille_temps g{r.t_min, pas_utilisable(r), 1};
    if (!intervalle_fini(r)) return g;
    double t = g.t0 + g.pas;
    while (t + g.pas < r.t_max && g.nombre < max_echantillons_temps) {
        ++g.nombre;
        t += g.pas;
    }
    return g;
}

grille_temps grille_trace(const etude_temps& r) {
    grille_temps g{r.t_min, pas_utilisable(r), 1};
    if (!intervalle_fini(r)) return g;
    double t = g.t0;
    while (g.nombre < max_echantillons_temps) {
        const double suivant = t + g.pas;
        if (!(suivant <= r.t_max)) break;
        t = suivant;
        ++g.nombre;
    }
    return g;
}

double valeurs_sur_grille(const fdt_travail& R, const grille_temps& g,
                          std::vector<double>& sortie) {
    sortie.resize(static_cast<std::size_t>(g.nombre));
    return valeurs_temporelles(R, g.t0, g.pas, g.nombre, sortie.data());
}

} // namespace varlem
