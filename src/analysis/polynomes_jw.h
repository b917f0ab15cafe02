#pragma once
// Real polynomials in x = ω² built from T(jω) (|N(jω)|², Im N(jω)·conj D(jω), …), with the
// scale of the rounding errors of each coefficient; their positive roots; bracketed refinement
// of a root of any function.

#include "numeric/complexe.h"
#include "numeric/contexte.h"
#include "numeric/polynome.h"

#include <cmath>
#include <limits>

namespace varlem {

/// Highest degree of a polynomial in x: products of two polynomials of degree 50.
inline constexpr int degre_max_x = 2 * capacite_polynome;

/// Real polynomial Σ v[k]·x^k with, for each coefficient, the sum of the magnitudes of the
/// products that formed it (the scale of its rounding error).
struct polynome_x {
    int degre = 0;
    double v[degre_max_x + 1] = {};
    double echelle[degre_max_x + 1] = {};
};

/// E(x) of p(jω) = E(ω²) + jω·O(ω²), for the real coefficients a[0..n] (a[k] multiplies p^k).
polynome_x partie_paire(const double* a, int n);
/// O(x) of p(jω) = E(ω²) + jω·O(ω²).
polynome_x partie_impaire(const double* a, int n);
/// a·b (degrees above degre_max_x are dropped).
polynome_x produit_x(const polynome_x& a, const polynome_x& b);
/// a + s·b with s = ±1.
polynome_x somme_x(const polynome_x& a, const polynome_x& b, double s = 1.0);
/// x·a.
polynome_x fois_x(const polynome_x& a);
/// da/dx.
polynome_x derivee_x(const polynome_x& a);
/// Sets to zero every coefficient lost in its rounding errors and lowers the degree past the
/// leading zeros.
void nettoyer_x(polynome_x& p);
/// True when every coefficient is zero.
bool est_nul_x(const polynome_x& p);
/// Value at x by Horner's scheme.
double valeur_x(const polynome_x& p, double x);

/// The distinct positive real roots of p (cleaned first), increasing, into x; their count.
/// Copies of a multiple root count once. Up to degree 50 by the root finder of the numeric core
/// (seeded by ctx); above, the roots of odd multiplicity found by sign changes.
int racines_positives(contexte_calcul& ctx, const polynome_x& p, double* x);

/// p(jω) for the real coefficients a[0..n].
complexe valeur_jw(const double* a, int n, double w);
/// p(jω) and p′(jω) (derivative in p) for the real coefficients a[0..n].
void valeur_derivee_jw(const double* a, int n, double w, complexe& valeur, complexe& derivee);
/// a / b without squaring |b| (Smith's method), so large values do not overflow.
complexe quotient_sur(complexe a, complexe b);
/// Σ |a_k|·ω^k: the scale of the rounding errors of valeur_jw.
double borne_jw(const double* a, int n, double w);

/// A root of f in [a, b] where f(a) and f(b) differ in sign (Brent's method), to the last bits.
template <class F> double zero_encadre(F&& f, double a, double b, double fa, double fb) {
    constexpr double eps = std::numeric_limits<double>::epsilon();
    if (fa == 0) return a;
    if (fb == 0) return b;
    double c = a, fc = fa, d = b - a, e = d;
    for (int iteration = 0; iteration < 200; ++iteration) {
        if ((fb > 0) == (fc > 0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b, b = c, c = a;
            fa = fb, fb = fc, fc = fa;
        }
        const double tol = 2 * eps * std::fabs(b) + 1e-300;
        const double m = 0.5 * (c - b);
        if (std::fabs(m) <= tol || fb == 0) return b;
        if (std::fabs(e) < tol || std::fabs(fa) <= std::fabs(fb)) {
            d = e = m;
        } else {
            const double s = fb / fa;
            double p, q;
            if (a == c) {
                p = 2 * m * s;
                q = 1 - s;
            } else {
                const double qa = fa / fc, r = fb / fc;
                p = s * (2 * m * qa * (qa - r) - (b - a) * (r - 1));
                q = (qa - 1) * (r - 1) * (s - 1);
            }
            if (p > 0)
                q = -q;
            else
                p = -p;
            if (2 * p < std::fmin(3 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = e = m;
            }
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : (m > 0 ? tol : -tol);
        fb = f(b);
        if (!std::isfinite(fb)) return a;
    }
    return b;
}

/// A root refined from an estimate.
struct racine_affinee {
    double x = 0;
    /// f changes sign at x; false for a root where f only touches zero.
    bool change_de_signe = false;
    /// f goes from positive to negative through x.
    bool decroissante = false;
};

/// Refines the estimates x[0..n) > 0 (increasing, distinct) of the roots of f: each is
/// bracketed by the geometric midpoints with its neighbours (x/2 and 2x at the ends) and, where
/// f changes sign there, refined by Brent's method; an estimate where f only touches zero is
/// kept as it is.
template <class F> void affiner_racines(F&& f, const double* x, int n, racine_affinee* sortie) {
    if (n <= 0) return;
    double gauche = x[0] / 2, f_gauche = f(gauche);
    for (int i = 0; i < n; ++i) {
        const double droite = i + 1 < n ? std::sqrt(x[i] * x[i + 1]) : 2 * x[i];
        const double f_droite = f(droite);
        racine_affinee& r = sortie[i];
        r.x = x[i];
        r.change_de_signe = (f_gauche < 0 && f_droite > 0) || (f_gauche > 0 && f_droite < 0);
        r.decroissante = f_gauche > 0 && f_droite < 0;
        if (r.change_de_signe) r.x = zero_encadre(f, gauche, droite, f_gauche, f_droite);
        gauche = droite;
        f_gauche = f_droite;
    }
}

/// a·s for a real s.
polynome_x multiplie_x(const polynome_x& a, double s);

} // namespace varlem
