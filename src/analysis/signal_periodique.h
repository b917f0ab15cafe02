#pragma once
// The periodic square and triangle inputs, with their parameters made safe once so that the
// value at any time is a few comparisons and never a division by zero.

#include "analysis/etudes.h"
#include "numeric/entrees.h"

#include <cmath>

namespace varlem {

/// Parameters of a periodic input, cleaned: f ≥ 0 and finite, 0 ≤ α ≤ 1.
struct forme_periodique {
    /// Square or triangle; any other input is the zero signal.
    entree_temps genre = entree_temps::carre;
    /// Where the period starts.
    depart_periodique depart = depart_periodique::maximum;
    double a = 1.0;
    double b = 0.0;
    double f = 1.0;
    double alpha = 0.5;

    /// The input at time t: 0 before the origin and at times that are not finite.
    double valeur(double t) const {
        if (!(t >= 0.0) || t == INFINITY) return 0.0;
        const double y = t * f;
        double x = y - std::floor(y);
        if (!(x >= 0.0 && x < 1.0)) x = 0.0;
        if (genre == entree_temps::carre) return carre(x);
        if (genre == entree_temps::triangle) return triangle(x);
        return 0.0;
    }

  private:
    double carre(double x) const {
        // The square has no zero-first form: it starts at its maximum then.
        if (depart == depart_periodique::minimum) return x < alpha ? b : a;
        return x < alpha ? a : b;
    }

    // With 0 ≤ α ≤ 1 and 0 ≤ x < 1 a branch that divides by α or 1 − α is only reached when
    // that divisor is positive, so α = 0 and α = 1 give the one-slope limit shapes.
    double triangle(double x) const {
        if (depart == depart_periodique::minimum) {
            if (x < alpha) return b + (a - b) * x / alpha;
            return a + (b - a) * (x - alpha) / (1.0 - alpha);
        }
        if (depart == depart_periodique::zero) {
            const double demi = alpha / 2.0;
            if (x < demi) return 2.0 * a * x / alpha;
            if (x < 1.0 - demi) return a + (b - a) * (x - demi) / (1.0 - alpha);
            return b - 2.0 * b * (x - (1.0 - demi)) / alpha;
        }
        if (x < alpha) return a + (b - a) * x / alpha;
        return b + (a - b) * (x - alpha) / (1.0 - alpha);
    }
};

/// The input of kind `genre` described by r: α clamped to 0..1 (0.5 when not a number), a
/// frequency that is not a positive finite number holds the signal at the start of its period.
forme_periodique forme_depuis(const etude_temps& r, entree_temps genre);

} // namespace varlem
