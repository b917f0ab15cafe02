#include "analysis/pade.h"

#include "analysis/caracteristiques.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

constexpr double deux_pi = 6.28318530717958647692;
// Samples of the phase error's scan per unit of ωτ (the approximant's phase turns by less than
// a tenth of a radian between two of them).
constexpr double echantillons_par_radian = 64;

// The largest ωτ up to which the approximant of order n + 1 errs by less than 1° in phase (the
// error grows with ωτ), rounded down: the scan of erreur_phase_approximant at a step of 1e-3,
// then a bisection; the tests check each bound against that scan.
constexpr double portee_pade[ordre_pade_max] = {
    0.604414,  1.722434,  3.076001,  4.557737,  6.120434,  7.739283,  9.399599,  11.091938,
    12.809847, 14.548708, 16.305093, 18.076386, 19.860536, 21.655906, 23.461168, 25.275224,
    27.097160, 28.926203, 30.761692, 32.603062, 34.449820, 36.301536, 38.157833, 40.018377};

// Most decades the approximant's coefficients may span from 1 (see substitut_rationnel).
constexpr double decades_coefficients_pade = 150;

// Coefficients c_k of P, c_0 = 1.
void coefficients_pade(int n, double* c) {
    c[0] = 1;
    for (int k = 0; k < n; ++k) c[k + 1] = c[k] * (n - k) / ((2.0 * n - k) * (k + 1));
}

int degre_reel(const polynome& p) {
    int d = std::clamp(p.degre, 0, capacite_polynome);
    while (d > 0 && p.coef[static_cast<std::size_t>(d)].re == 0 &&
           p.coef[static_cast<std::size_t>(d)].im == 0)
        --d;
    return d;
}

} // namespace

fdt approximant_pade(double retard, int ordre) {
    fdt f;
    const int n = std::clamp(ordre, 0, capacite_polynome);
    double c[capacite_polynome + 1];
    coefficients_pade(n, c);
    f.num.degre = f.den.degre = n;
    double puissance = 1;
    for (int k = 0; k <= n; ++k) {
        f.num.coef[static_cast<std::size_t>(k)] = {(k % 2 ? -1 : 1) * c[k] * puissance, 0};
        f.den.coef[static_cast<std::size_t>(k)] = {c[k] * puissance, 0};
        puissance *= retard;
    }
    return f;
}

double erreur_phase_approximant(int ordre, double x) {
    double c[capacite_polynome + 1];
    const int n = std::clamp(ordre, 0, capacite_polynome);
    coefficients_pade(n, c);
    // The approximant's phase is −2·arg P(jx), followed continuously from x = 0.
    const auto argument = [&](double v) {
        double re = 0, im = 0, p_re = 1, p_im = 0;
        for (int k = 0; k <= n; ++k) {
            re += c[k] * p_re;
            im += c[k] * p_im;
            const double r = -p_im * v, i = p_re * v; // times jv
            p_re = r;
            p_im = i;
        }
        return std::atan2(im, re);
    };
    const int pas = std::max(16, static_cast<int>(std::ceil(x * echantillons_par_radian)));
    double avant = 0, cumul = 0, pire = 0;
    for (int i = 1; i <= pas; ++i) {
        const double v = x * i / pas;
        const double a = argument(v);
        double d = a - avant;
        d -= deux_pi * std::nearbyint(d / deux_pi);
        cumul += d;
        avant = a;
        pire = std::max(pire, std::fabs(v - 2 * cumul));
    }
    return pire;
}

int ordre_pade(double retard, double w_lim, int ordre_max) {
    const double x = retard * w_lim;
    const int haut = std::clamp(ordre_max, 1, ordre_pade_max);
    if (!(x > 0) || !std::isfinite(x)) return 1;
    for (int n = 1; n < haut; ++n)
        if (x <= portee_pade[n - 1]) return n;
    return haut;
}

double pulsation_limite_pade(const fdt& f, double retard) {
    fdt sans_retard = f;
    sans_retard.retard = 0;
    sans_retard.boucle.reset();
    double w = 0;
    for (const croisement_gain& c : calculer_marges(sans_retard).croisements_gain)
        w = std::max(w, c.omega);
    return w > 0 ? 10 * w : 10 / retard;
}

substitut_pade substitut_rationnel(const fdt& f, const fdt& boucle_ouverte, int degre_reserve) {
    substitut_pade s;
    s.fonction = f;
    const double tau = f.retard;
    if (!(tau > 0) || !std::isfinite(tau)) return s;
    const int libre =
        capacite_polynome - degre_reserve - std::max(degre_reel(f.num), degre_reel(f.den));
    if (libre < 1) {
        // No room left for any approximant: the fraction alone stands for f.
        s.fonction.retard = 0;
        return s;
    }
    // The approximant's coefficients go as τ^k: for a delay far from the second, an order
    // whose τ^n leaves [1e-150, 1e150] would put overflows or underflows into the fraction. The
    // order is held below that; a delay so small that no order fits is left out (order 0).
    const double decades = std::fabs(std::log10(tau));
    const int ordre_representable =
        decades > 0 ? static_cast<int>(std::floor(decades_coefficients_pade / decades)) : libre;
    s.ordre = std::min(ordre_pade(tau, pulsation_limite_pade(boucle_ouverte, tau), libre),
                       ordre_representable);
    const fdt pade = approximant_pade(tau, s.ordre);
    s.fonction.num = p_produit(f.num, pade.num);
    s.fonction.den = p_produit(f.den, pade.den);
    s.fonction.retard = 0;
    return s;
}

substitut_pade substitut_rationnel(const fdt& f) {
    return substitut_rationnel(f, f);
}

} // namespace varlem
