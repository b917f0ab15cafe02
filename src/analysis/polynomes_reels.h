#pragma once
// Real polynomials of any degree, for the auxiliary polynomials of the stability studies (the
// break-away polynomial N′D − ND′ of a loop may exceed the 50 coefficients of `polynome`).

#include "numeric/complexe.h"
#include "numeric/polynome.h"

#include <vector>

namespace varlem {

/// c[k] multiplies p^k; no zero leading coefficient once trimmed (the zero polynomial is {}).
using polynome_reel = std::vector<double>;

/// A root and its multiplicity.
struct racine_multiple {
    complexe z;
    int m = 1;
};

/// The real parts of p's coefficients, trimmed.
polynome_reel reel_de(const polynome& p);
/// Drops the zero leading coefficients.
void pr_rogner(polynome_reel& p);
/// Degree of a trimmed polynomial; −1 for the zero polynomial.
inline int pr_degre(const polynome_reel& p) {
    return static_cast<int>(p.size()) - 1;
}
/// p(z).
complexe pr_valeur(const polynome_reel& p, complexe z);
/// p(z) and p′(z) in one pass.
void pr_valeur_derivee(const polynome_reel& p, complexe z, complexe& v, complexe& d);
/// Taylor coefficients p^(j)(z)/j!, j = 0..jmax, into t (jmax + 1 entries).
void pr_taylor(const polynome_reel& p, complexe z, int jmax, complexe* t);
/// p′.
polynome_reel pr_derivee(const polynome_reel& p);
/// a·b.
polynome_reel pr_produit(const polynome_reel& a, const polynome_reel& b);
/// a + k·b, trimmed.
polynome_reel pr_combinaison(const polynome_reel& a, double k, const polynome_reel& b);
/// The parts of p on the imaginary axis: p(jω) = r(ω²) + j·ω·i(ω²).
void pr_parties_axe(const polynome_reel& p, polynome_reel& r, polynome_reel& i);
/// The polynomial as the fixed-capacity type (its degree must not exceed 50).
polynome pr_vers_polynome(const polynome_reel& p);

/// The roots of p repeated by multiplicity: the project's root finder up to degree 50 (fixed
/// seed, so that results repeat), a simultaneous iteration beyond.
std::vector<complexe> pr_racines(const polynome_reel& p);
/// Roots grouped: equal values (the root finder gives a multiple root as equal copies) make one
/// entry with their count; sorted by real part, then imaginary part.
std::vector<racine_multiple> grouper_racines(std::vector<complexe> r);

/// Argument of z in degrees, in (−180, 180].
double argument_degres(complexe z);

} // namespace varlem
