#include "numeric/fdt.h"

#include <cmath>

namespace varlem {

fdt f_produit(const fdt& f, const fdt& g) {
    fdt r;
    r.num = p_produit(f.num, g.num);
    r.den = p_produit(f.den, g.den);
    return r;
}

fdt f_derivee(const fdt& f) {
    const polynome dn = p_derivee(f.num);
    const polynome dd = p_derivee(f.den);
    fdt r;
    r.num = p_difference(p_produit(dn, f.den), p_produit(dd, f.num));
    r.den = p_produit(f.den, f.den);
    return r;
}

double factorielle(int n) {
    double f = 1.0;
    for (int k = 2; k <= n; ++k) f *= k;
    return std::round(f);
}

complexe fdt_valeur(const fdt& f, double w) {
    const complexe jw{0.0, w};
    return c_quotient(p_valeur(f.num, jw), p_valeur(f.den, jw));
}

double fdt_re(const fdt& f, double w) {
    return fdt_valeur(f, w).re;
}

double fdt_im(const fdt& f, double w) {
    return fdt_valeur(f, w).im;
}

double fdt_gain_db(const fdt& f, double w) { return gain_db_de(fdt_valeur(f, w)); }

double gain_db_de(complexe t) {
    if (t.re == 0.0 && t.im == 0.0) return -10000.0;
    // hypot, not the plain modulus: |T|² leaves the doubles long before |T| does (1e-200 would
    // read as −inf dB).
    return 20.0 * std::log10(std::hypot(t.re, t.im));
}

namespace {

// The angle of t on the branch nearest to `reference`; `reference` when t is zero or not finite.
double phase_continue(double reference, complexe t) {
    constexpr double deux_pi = 6.28318530717958647692;
    if (!(t.re != 0.0 || t.im != 0.0) || !std::isfinite(t.re) || !std::isfinite(t.im))
        return reference;
    const double d = std::atan2(t.im, t.re) - reference;
    return reference + (d - deux_pi * std::nearbyint(d / deux_pi));
}

} // namespace

double fdt_phase(const fdt_travail& ft, double w) {
    return fdt_phase(ft, w, fdt_valeur(ft.fonction, w));
}

double fdt_phase(const fdt_travail& ft, double w, complexe t) {
    constexpr double pi = 3.14159265358979323846;
    const complexe jw{0.0, w};
    double phase = 0.0;
    for (int i = 0; i < ft.fonction.num.degre; ++i)
        phase += c_argument(c_difference(jw, ft.termes_zeros[i].valeur));
    for (int i = 0; i < ft.fonction.den.degre; ++i)
        phase -= c_argument(c_difference(jw, ft.termes_poles[i].valeur));
    // A negative gain is a factor −1, half a turn: without it an inverted system reads π off.
    if (ft.gain < 0) phase -= pi;
    // The roots give the branch (the phase is not folded), T(jω) from the exact polynomials
    // gives the value: the roots are rounded to 5 digits, the coefficients are not.
    return phase_continue(phase, t);
}

} // namespace varlem
