#pragma once
// The root locus of 1 + K·G(p) = 0, G = N/D with real polynomials: the roots of D + K·N as K
// runs from 0 to +∞ (and, as an option, from 0 to −∞), with the points a course asks for:
// asymptotes, break-away and break-in points, imaginary-axis crossings, departure and arrival
// angles and the gains for which the closed loop is stable.
//
// Branches are followed by continuation in K: every step keeps each move under 0.5 % of the
// view, and roots are matched to the previous step only where they meet (at a break-away point
// or where a root passes through infinity), so that branches never swap.

#include "numeric/polynome.h"

#include <optional>
#include <vector>

namespace varlem {

/// A rectangle of the complex plane.
struct vue_plan {
    double re_min = -1, re_max = 1, im_min = -1, im_max = 1;
};

/// Asymptotes of the branches that go to infinity: their centre on the real axis and their
/// angles in degrees, in [0, 360).
struct asymptotes_lieu {
    double centre = 0;
    std::vector<double> angles_deg;
};

/// A break-away or break-in point: `multiplicite` branches meet at s for the gain k.
struct point_separation {
    complexe s;
    double k = 0;
    int multiplicite = 2;
};

/// A crossing of the imaginary axis at jω (ω ≥ 0) for the gain k.
struct croisement_axe {
    double omega = 0;
    double k = 0;
};

/// The angle in degrees, in (−180, 180], at which a branch leaves a complex pole or reaches a
/// complex zero (the direction from the root to the locus next to it).
struct angle_racine {
    complexe racine;
    double angle_deg = 0;
};

/// An open interval of gains; k_max may be +∞.
struct intervalle_gains {
    double k_min = 0;
    double k_max = 0;
};

/// The branches sampled at one list of gains: point(b, j) is branch b at gain k[j]. A branch at
/// infinity for a gain (at K = 0 when deg N > deg D, or where a root passes through infinity)
/// holds infinite parts there.
struct branches_lieu {
    std::vector<double> k;
    int nb = 0;
    std::vector<complexe> points;

    /// Branch b at sample j.
    complexe point(int b, int j) const {
        return points[static_cast<std::size_t>(b) * k.size() + static_cast<std::size_t>(j)];
    }
};

/// What the locus is computed for.
struct options_lieu {
    /// Also the complementary locus, K from 0 to −∞.
    bool complementaire = false;
    /// The view whose 0.5 % bounds every move; the automatic view when absent.
    std::optional<vue_plan> vue;
};

/// The root locus with its special points. The gains of the special points are those of the
/// locus asked for: positive, and negative for the complementary locus's points, which are
/// listed apart.
struct lieu_evans {
    /// N and D real, trimmed of zero leading coefficients (num[k] multiplies p^k).
    std::vector<double> num, den;
    /// False when N or D is zero: nothing else is filled.
    bool valide = false;
    /// Number of branches, max(deg D, deg N).
    int nb_branches = 0;
    /// Open-loop poles (roots of D) and zeros (roots of N), repeated by multiplicity.
    std::vector<complexe> poles, zeros;
    /// Present when deg D ≠ deg N.
    std::optional<asymptotes_lieu> asymptotes;
    std::vector<point_separation> separations;
    std::vector<croisement_axe> croisements;
    std::vector<angle_racine> departs, arrivees;
    std::vector<intervalle_gains> gains_stables;
    /// Where poles, zeros, special points and the asymptotes' centre lie, with a margin.
    vue_plan vue;
    /// K from 0 to +∞.
    branches_lieu branches;
    /// With the option: K from 0 to −∞ (gains negative), and the special points of that part.
    branches_lieu branches_complementaires;
    std::vector<point_separation> separations_complementaires;
    std::vector<croisement_axe> croisements_complementaires;
};

/// The locus of 1 + K·N/D = 0 (real parts of the coefficients).
lieu_evans calculer_lieu(const polynome& num, const polynome& den, const options_lieu& o = {});

/// The special points alone (no branches): asymptotes, break-away points, crossings, angles and
/// stable gains, with the poles, zeros and view.
lieu_evans points_particuliers(const polynome& num, const polynome& den,
                               const options_lieu& o = {});

/// The point of the locus nearest to a point of the plane, as a click reads it.
struct point_lieu {
    /// The closed-loop pole there and its exact gain (D(s) + k·N(s) = 0).
    complexe pole;
    double k = 0;
    /// Damping ζ = −Re(s)/|s| and natural pulsation ωn = |s| (ζ is NaN at s = 0).
    double zeta = 0;
    double omega_n = 0;
    /// The branch, and whether it is one of the complementary locus.
    int branche = 0;
    bool complementaire = false;
};

/// The point of the computed locus (and of its complementary part when computed) nearest to q;
/// nothing when the locus has no finite point.
std::optional<point_lieu> point_le_plus_proche(const lieu_evans& l, complexe q);

/// The closed-loop poles at gain k: the roots of D + k·N, repeated by multiplicity.
std::vector<complexe> poles_boucle_fermee(const lieu_evans& l, double k);

/// ζ and ωn of a pole s.
void amortissement(complexe s, double& zeta, double& omega_n);

} // namespace varlem
