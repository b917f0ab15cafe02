#pragma once
// After the search: Newton polishing of every root and the merging of multiple roots.

#include "numeric/complexe.h"
#include "numeric/polynome.h"

namespace varlem {

/// Polishing leaves a root alone once |P| is within this many rounding-error bounds.
inline constexpr double plancher_residu = 16;

/// Roots of one real polynomial as the search found them, each with the index of its exact
/// conjugate (its own index for a real root).
struct jeu_racines {
    int n = 0;
    complexe r[capacite_polynome] = {};
    int partenaire[capacite_polynome] = {};
};

/// Taylor coefficients P^(j)(z)/j!, j = 0..jmax, of the polynomial a[0..n] (a[0] leading).
void coefficients_taylor(const double* a, int n, complexe z, int jmax, complexe* t);

/// Taylor coefficients of Σ|a_k|·x^k at x (x ≥ 0): the scale of the rounding errors of each
/// coefficient of `coefficients_taylor` at a point of modulus x.
void bornes_taylor(const double* a, int n, double x, int jmax, double* t);

/// Polishes every root by Newton's method on a[0..n] (a[0] leading), each correction deflated
/// implicitly by the other roots so that no root can wander to another one's place.
void polir_racines(const double* a, int n, jeu_racines& j);

/// Replaces each cluster that is numerically one m-fold root of a[0..n] by m equal copies of
/// a refined value; conjugate clusters stay exactly conjugate, distinct close roots stay apart.
void fusionner_racines_multiples(const double* a, int n, jeu_racines& j);

} // namespace varlem
