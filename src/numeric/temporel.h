#pragma once
// Time-domain values of an analysed function and the Laplace transforms of the test inputs.

#include "numeric/entrees.h"
#include "numeric/fdt.h"

namespace varlem {

/// Where t·Re(pole) reaches this exponent, a term of the impulse response is held at
/// `valeur_plafond_temporelle` (overflow guard).
inline constexpr double exposant_plafond_temporel = 100.0;
/// The value such a term is held at.
inline constexpr double valeur_plafond_temporelle = 1e55;

/// Share of a response's scale that a value's rounding bound may reach before the value is
/// given as not computable (a thousandth: about a pixel of a drawn response).
inline constexpr double tolerance_arrondi_temporel = 1e-3;

/// Inverse Laplace transform of the strictly proper part of ft at time t (0 without poles).
double valeur_temporelle(const fdt_travail& ft, double t);
/// The same values at t0 + k·dt for k = 0..n−1, by exponential recurrences (fast, same results
/// within rounding); NaN where terms cancel so far that the rounding bound exceeds the tolerance
/// of the largest value that is sure on its own. Returns that scale, the largest value left.
double valeurs_temporelles(const fdt_travail& ft, double t0, double dt, int n, double* sortie);
/// Bound of the rounding error of the value at t: the roundings per term times Σ|term(t)|.
double borne_arrondi_temporelle(const fdt_travail& ft, double t);
/// valeur_temporelle(ft, t), or NaN where its rounding bound exceeds the tolerance of
/// max(echelle, |value|); echelle is the scale of the response around it.
double valeur_temporelle_sure(const fdt_travail& ft, double t, double echelle);
/// Laplace transform of a test input: step 1/p, ramp 1/p², sine A·sin(ωt + φ); any other
/// input leaves E unchanged.
void transformee_entree(entree_temps genre, fdt& E, double amplitude, double phase, double w);
/// Direct term of a function whose numerator degree reaches its denominator's, else 0.
double terme_direct(const fdt_travail& ft);

} // namespace varlem
