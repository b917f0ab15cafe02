#pragma once
// What the time study evaluates: the record whose inverse transform is the response of one
// function to the chosen input, which functions are concerned, and the time grids sampled.

#include "analysis/etudes.h"
#include "numeric/entrees.h"
#include "numeric/fdt.h"

#include <vector>

namespace varlem {

/// Most samples any time grid holds, whatever the step and the interval.
inline constexpr int max_echantillons_temps = 100'000;

/// Builds into `sortie` the record whose inverse transform is T's response to a step, a ramp
/// or a sine (T times the input transform, analysed from T's own roots); false when the input
/// has no transform or the product would not fit.
bool preparer_produit_entree(const fdt_travail& T, entree_temps genre, const etude_temps& r,
                             fdt_travail& sortie);

/// The record to evaluate for input `genre`: T itself for the impulse, else the product built
/// into `tampon`; nullptr when there is nothing to evaluate.
const fdt_travail* reponse_a_evaluer(const fdt_travail& T, entree_temps genre, const etude_temps& r,
                                     fdt_travail& tampon);

/// N used by the computations: nb_points, at least 1 and at most max_echantillons_temps.
int nb_points_effectif(const etude_temps& r);

/// A uniform time grid t0 + k·pas, k = 0..nombre − 1.
struct grille_temps {
    double t0 = 0;
    double pas = 1;
    int nombre = 1;
};

/// Grid of the range scan: from t_min by dt, continuing while t + dt < t_max (the last one or
/// two steps before t_max are not scanned).
grille_temps grille_balayage(const etude_temps& r);
/// Grid of the drawn curves: from t_min by dt, up to the last t ≤ t_max.
grille_temps grille_trace(const etude_temps& r);

/// Response values of `R` on a grid (the batch evaluation), into `sortie` resized to fit; returns
/// the largest value shown, the scale its rounding was judged by.
double valeurs_sur_grille(const fdt_travail& R, const grille_temps& g, std::vector<double>& sortie);

} // namespace varlem
