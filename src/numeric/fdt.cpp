#include "numeric/fdt.h"

#include <cmath>

namespace varlem {

fdt f_produit(const fdt& f, const fdt& g) {
    fdt r;
    r.num = p_produit(f.num, g.num);
    r.den = p_produit(f.den, g.den);
    r.retard = f.retard + g.retard;
    // The product with a loop's stand-in is that loop's response to the other factor taken as
    // its input.
    const fdt* avec = f.boucle ? &f : g.boucle ? &g : nullptr;
    if (avec != nullptr) {
        const fdt& autre = avec == &f ? g : f;
        auto b = std::make_shared<boucle_retardee>(*avec->boucle);
        if (!p_produit_deborde(b->num_entree, autre.num) &&
            !p_produit_deborde(b->den_entree, autre.den)) {
            b->num_entree = p_produit(b->num_entree, autre.num);
            b->den_entree = p_produit(b->den_entree, autre.den);
            r.boucle = std::move(b);
        }
    }
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

namespace {

complexe valeur_rationnelle(const fdt& f, double w) {
    const complexe jw{0.0, w};
    return c_quotient(p_valeur(f.num, jw), p_valeur(f.den, jw));
}

} // namespace

complexe fdt_valeur(const fdt& f, double w) {
    const complexe t = valeur_rationnelle(f, w);
    if (!(f.retard > 0)) return t;
    const double c = std::cos(w * f.retard), s = std::sin(w * f.retard);
    return {t.re * c + t.im * s, t.im * c - t.re * s};
}

double fdt_re(const fdt& f, double w) {
    return fdt_valeur(f, w).re;
}

double fdt_im(const fdt& f, double w) {
    return fdt_valeur(f, w).im;
}

namespace {

// log10 |p(jω)| without leaving the doubles: the power of jω the value holds is taken out, and
// what is left is summed in powers of jω below 1, of 1/(jω) above, which all stay within 1.
// −∞ when p(jω) is zero.
double log10_module(const polynome& p, double w) {
    const auto nul = [&p](int k) { return p.coef[k].re == 0.0 && p.coef[k].im == 0.0; };
    int bas = 0, haut = p.degre;
    while (bas <= haut && nul(bas)) ++bas;
    if (bas > haut) return -HUGE_VAL;
    while (nul(haut)) --haut;
    const double a = std::fabs(w);
    if (a == 0.0) return bas == 0 ? std::log10(c_module(p.coef[0])) : -HUGE_VAL;
    const bool petit = a <= 1.0;
    const complexe pas = petit ? complexe{0.0, w} : complexe{0.0, -1.0 / w};
    complexe s{}, z{1.0, 0.0};
    for (int i = 0; i <= haut - bas; ++i) {
        s = c_somme(s, c_produit(p.coef[petit ? bas + i : haut - i], z));
        z = c_produit(z, pas);
    }
    return (petit ? bas : haut) * std::log10(a) + std::log10(std::hypot(s.re, s.im));
}

} // namespace

double fdt_gain_db(const fdt& f, double w) {
    // |e^(−jωτ)| = 1: the gain is that of the fraction, to the last bit.
    const complexe t = valeur_rationnelle(f, w);
    if (c_fini(t) && (t.re != 0.0 || t.im != 0.0)) return gain_db_de(t);
    // num(jω) or den(jω) left the doubles though the gain in dB has not: it comes from the
    // logarithms of the two moduli (an exact zero of the axis is still −10000, an exact pole
    // +∞).
    const double g = 20.0 * (log10_module(f.num, w) - log10_module(f.den, w));
    return g == -HUGE_VAL ? -10000.0 : g;
}

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
    if (ft.fonction.retard > 0) phase -= w * ft.fonction.retard;
    // The roots give the branch (the phase is not folded), T(jω) from the exact polynomials
    // gives the value: the roots are rounded to 5 digits, the coefficients are not.
    return phase_continue(phase, t);
}

} // namespace varlem
