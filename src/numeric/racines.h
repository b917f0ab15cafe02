#pragma once
// Roots of real polynomials by Bairstow's method, with multiple roots made whole again.

#include "numeric/contexte.h"
#include "numeric/fdt.h"

namespace varlem {

/// The p.degre roots of p in entries 1..p.degre (real parts of the coefficients only).
/// Trailing zero coefficients give exact roots at 0, listed after the others; every root is
/// polished by Newton's method and clusters of an m-fold root are merged into m equal copies.
liste_racines racines(contexte_calcul& ctx, const polynome& p);

/// The two roots of A·x² + B·x + C: a complex pair with the sign of A's imaginary part first.
void resoudre_quadratique(double A, double B, double C, complexe& r1, complexe& r2);

} // namespace varlem
