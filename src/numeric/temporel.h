#pragma once
// Time-domain values of an analysed function and the Laplace transforms of the test inputs.

#include "numeric/fdt.h"

namespace varlem {

/// Where t·Re(pole) reaches this exponent, a term of the impulse response is held at
/// `valeur_plafond_temporelle` (overflow guard).
inline constexpr double exposant_plafond_temporel = 100.0;
/// The value such a term is held at.
inline constexpr double valeur_plafond_temporelle = 1e55;

/// Inverse Laplace transform of the strictly proper part of ft at time t (0 without poles).
double valeur_temporelle(const fdt_travail& ft, double t);
/// The same values at t0 + k·dt for k = 0..n−1, by exponential recurrences (fast, same results
/// within rounding).
void valeurs_temporelles(const fdt_travail& ft, double t0, double dt, int n, double* sortie);
/// Laplace transform of a test input: 'E' step 1/p, 'R' ramp 1/p², 'S' A·sin(ωt + φ);
/// any other kind leaves E unchanged.
void transformee_entree(char genre, fdt& E, double amplitude, double phase, double w);
/// Direct term of a function whose numerator degree reaches its denominator's, else 0.
double terme_direct(const fdt_travail& ft);

} // namespace varlem
