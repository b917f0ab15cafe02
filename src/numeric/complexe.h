#pragma once
// Complex numbers as plain value records, with the arithmetic every calculation uses.

#include <cmath>

namespace varlem {

/// A complex number: real and imaginary parts.
struct complexe {
    double re = 0.0;
    double im = 0.0;
    friend bool operator==(const complexe&, const complexe&) = default;
};

/// a + b.
inline complexe c_somme(complexe a, complexe b) {
    return {a.re + b.re, a.im + b.im};
}
/// a − b.
inline complexe c_difference(complexe a, complexe b) {
    return {a.re - b.re, a.im - b.im};
}
/// a · b.
inline complexe c_produit(complexe a, complexe b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
/// Complex conjugate of a.
inline complexe c_conjugue(complexe a) {
    return {a.re, -a.im};
}
/// Both parts of a are numbers (neither infinite nor NaN).
inline bool c_fini(complexe a) {
    return std::isfinite(a.re) && std::isfinite(a.im);
}
/// Modulus of a.
inline double c_module(complexe a) {
    return std::sqrt(a.re * a.re + a.im * a.im);
}

/// a / b, as a·conj(b) over |b|²; the modulus is taken first and then squared.
/// Division by zero is not guarded: it yields infinities or NaNs, never a fault.
inline complexe c_quotient(complexe a, complexe b) {
    const complexe q = c_produit(a, c_conjugue(b));
    const double m = c_module(b);
    const double m2 = m * m;
    return {q.re / m2, q.im / m2};
}

/// Argument of a in radians, in (−π/2, 3π/2); 0 for the zero complex number.
inline double c_argument(complexe a) {
    constexpr double pi = 3.14159265358979323846;
    if (a.re > 0) return std::atan(a.im / a.re);
    if (a.re < 0) return std::atan(a.im / a.re) + pi;
    if (a.im > 0) return pi / 2;
    if (a.im < 0) return -pi / 2;
    return 0.0;
}

} // namespace varlem
