#include "plot/echelles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace varlem {

namespace {

// Bounds beyond this are clamped, so a widened range and its width always stay finite.
constexpr double borne_max = 1e300;
// The step exponent stays within 10^-300 .. 10^299.
constexpr int exposant_min = -299;
constexpr int exposant_max = 300;
// Repeated stepping from zero reaches any widened bound in about 65 steps; this is only a net.
constexpr int max_pas_depuis_zero = 4 * max_graduations;

double borne_finie(double v) {
    if (std::isnan(v)) return 0.0;
    return std::clamp(v, -borne_max, borne_max);
}

// Power-of-ten step for a width d: 10^round(log10 d) / 10.
double pas_pour_largeur(double d) {
    if (!(d > 0)) return 1.0;
    const double k = std::nearbyint(std::log10(d));
    const int e = static_cast<int>(std::clamp(k, double(exposant_min), double(exposant_max)));
    // 10^(k-1) directly: pow gives the nearest double, so 0.1 is the same value as the literal.
    return std::pow(10.0, e - 1);
}

// Steps down from zero by repeated subtraction until strictly below the limit; the rounding
// of the repeated subtraction is part of the result (0.1 ten times is 0.9999999999999999).
double descendre_sous(double limite, double pas) {
    double v = 0.0;
    for (int n = 0; !(v < limite); ++n) {
        if (n >= max_pas_depuis_zero) return (std::floor(limite / pas) - 1) * pas;
        v -= pas;
    }
    return v;
}

double monter_au_dessus(double limite, double pas) {
    double v = 0.0;
    for (int n = 0; !(v > limite); ++n) {
        if (n >= max_pas_depuis_zero) return (std::floor(limite / pas) + 1) * pas;
        v += pas;
    }
    return v;
}

double haut_sans_zero(double hi, double pas) {
    if (hi > 0) return (std::trunc(hi / pas) + 1) * pas;
    if (hi < 0) return std::trunc(hi / pas) * pas;
    return 0.0;
}

double bas_sans_zero(double lo, double pas) {
    if (lo == 0) return 0.0;
    return (std::trunc(lo / pas) - 1) * pas;
}

// Linear map of v from [a, b] onto [pa, pb], as (v − a)·(pb − pa)/(b − a) + pa; an empty or
// overflowing range has no scale, so every value goes midway.
double lineaire(double v, double a, double b, int pa, int pb) {
    const double etendue = b - a;
    if (etendue == 0 || !std::isfinite(etendue)) return (double(pa) + double(pb)) / 2;
    return (v - a) * (double(pb) - double(pa)) / etendue + pa;
}

} // namespace

int arrondi_pixel(double v) {
    if (std::isnan(v)) return 0;
    const double borne = limite_pixel;
    return static_cast<int>(std::nearbyint(std::clamp(v, -borne, borne)));
}

double pas_graduation(double& lo, double& hi, bool inclure_zero) {
    lo = borne_finie(lo);
    hi = borne_finie(hi);
    if (lo > hi) std::swap(lo, hi);

    double d = std::abs(hi - lo);
    if (inclure_zero && std::abs(hi) > d) d = std::abs(hi);
    // An empty range takes its size from its value (and a step of 1 around zero).
    if (d == 0) d = std::abs(hi);
    double pas = d == 0 ? 1.0 : pas_pour_largeur(d);
    // Far from zero a step below the spacing of doubles could not move a graduation.
    const double m = std::max(std::abs(lo), std::abs(hi));
    while (m + pas == m && pas < borne_max / 10) pas *= 10;

    if (inclure_zero) {
        if (hi < 0) hi = 0;
        if (lo > 0) lo = 0;
        lo = descendre_sous(lo, pas);
        hi = monter_au_dessus(hi, pas);
    } else {
        hi = haut_sans_zero(hi, pas);
        lo = bas_sans_zero(lo, pas);
    }
    // An all-zero range without the flag would stay empty and give the maps nothing to scale.
    if (!(lo < hi)) {
        const double centre = lo;
        lo = centre - pas;
        hi = centre + pas;
    }
    return pas;
}

double puissance_dix(double x) {
    return std::exp(x * std::numbers::ln10);
}

int y_vers_pixel(int haut, int bas, double v, double lo, double hi) {
    // hi at the top: the map runs from hi to lo.
    return arrondi_pixel(lineaire(v, hi, lo, haut, bas));
}

int x_vers_pixel(int gauche, int droite, double v, double lo, double hi) {
    return arrondi_pixel(lineaire(v, lo, hi, gauche, droite));
}

int log_vers_pixel(int dlo, int dhi, int gauche, int droite, double w) {
    const double l = w > 0 ? std::log10(w) : -HUGE_VAL;
    return arrondi_pixel(lineaire(l, dlo, dhi, gauche, droite));
}

double pixel_vers_log(int px, int gauche, int droite, int dlo, int dhi) {
    if (droite == gauche) return puissance_dix((double(dlo) + dhi) / 2);
    const double part = (double(px) - gauche) / (double(droite) - gauche);
    return puissance_dix(part * (double(dhi) - dlo) + dlo);
}

double pixel_vers_x(int px, int gauche, int droite, double lo, double hi) {
    if (droite == gauche) return lo / 2 + hi / 2;
    return lo + (hi - lo) * (double(px) - gauche) / (double(droite) - gauche);
}

double pixel_vers_y(int py, int haut, int bas, double lo, double hi) {
    if (bas == haut) return lo / 2 + hi / 2;
    return hi + (lo - hi) * (double(py) - haut) / (double(bas) - haut);
}

} // namespace varlem
