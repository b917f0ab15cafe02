#pragma once
// The Nyquist criterion for the loop 1 + K·G(p), G = N/D real: P, the open-loop poles of K·G
// with a positive real part; N, the clockwise encirclements of −1 by K·G along the contour that
// goes up the imaginary axis, round the imaginary-axis poles by the right and back through the
// right half-plane; Z = N + P, the closed-loop poles with a positive real part.
//
// N is counted exactly: the crossings of the real axis by K·G(jω) are the real roots of a
// polynomial in ω², each signed by the direction of the crossing, and each indentation adds as
// many half-turns at infinity as its pole's multiplicity; no count rests on sampled points.

#include "numeric/polynome.h"

#include <optional>

namespace varlem {

/// The criterion's counts.
struct verdict_nyquist {
    /// False when D is zero: nothing else is filled.
    bool valide = false;
    /// Open-loop poles with a positive real part.
    int P = 0;
    /// Clockwise encirclements of −1 and Z = N + P; absent when the plot goes through −1 (the
    /// closed loop then has poles on the imaginary axis) or when the closed loop loses a pole at
    /// infinity (K·G → −1 far away).
    std::optional<int> N, Z;
    /// Every closed-loop pole has a negative real part.
    bool stable = false;
    /// Open-loop poles on the imaginary axis, counted with multiplicity (the contour goes round
    /// them).
    int poles_axe = 0;
};

/// The criterion for K·N/D (real parts of the coefficients).
verdict_nyquist critere_nyquist(const polynome& num, const polynome& den, double k);

} // namespace varlem
