#pragma once
// Asymptotic Bode diagrams of an analysed function: the straight-line gain and the step or ramp
// phase drawn by hand in a control course, from the roots as the analysis found them.
//
// T = (a/b)·Π(p − zᵢ)/Π(p − pⱼ). The asymptotic gain replaces each |jω − r| by max(|r|, ω); the
// step phase replaces each factor jω − r by −r below |r| and by jω above (arg(−r) taken in
// (−90°, 270°], 90° for a root at the origin), on the branch of fdt_phase (−180° for a/b < 0).
// The ramp phase moves each factor's contribution linearly in log ω from a decade below |r| to
// a decade above.

#include "analysis/options_cours.h"
#include "numeric/fdt.h"

#include <vector>

namespace varlem {

/// Root moduli equal within this relative gap are one break.
inline constexpr double ecart_modules_confondus = 1e-9;

/// One break: a distinct non-zero root modulus.
struct cassure_bode {
    /// Pulsation of the break, rad/s.
    double omega = 0;
    /// Zeros of this modulus, with their multiplicities.
    int zeros = 0;
    /// Poles of this modulus, with their multiplicities.
    int poles = 0;
    /// Gain slope after the break, in steps of 20 dB/decade.
    int pente = 0;
    /// Step phase after the break, degrees.
    double phase_apres_deg = 0;
    /// Phase change the factors of this modulus bring, degrees.
    double saut_phase_deg = 0;
};

/// The asymptotes of one function.
struct asymptotes_bode {
    /// False for a zero or unusable function: nothing to draw.
    bool valide = false;
    /// Slope below every break, in steps of 20 dB/decade: zeros minus poles at the origin.
    int pente_initiale = 0;
    /// The initial straight line's value at ω = 1 rad/s, dB.
    double gain_db_omega_1 = 0;
    /// Step phase below every break, degrees.
    double phase_initiale_deg = 0;
    /// Breaks by increasing pulsation.
    std::vector<cassure_bode> cassures;
};

/// The asymptotes of ft. Each distinct root is first polished by Newton's method on the
/// polynomial (its derivative of order m − 1 for an m-fold root): the analysis rounds poles to
/// 5 digits, and a break is placed to the last bits.
asymptotes_bode calculer_asymptotes(const fdt_travail& ft);

/// Asymptotic gain at w > 0, dB.
double gain_asymptotique_db(const asymptotes_bode& a, double w);
/// Asymptotic phase at w > 0 in the given convention, degrees.
double phase_asymptotique_deg(const asymptotes_bode& a, double w, convention_phase c);
/// What the frequency readout adds at one pulsation while the asymptotes are shown.
struct lecture_asymptote {
    /// Asymptotic gain, dB.
    double gain_db = 0;
    /// Asymptotic gain less the real one, dB.
    double ecart_db = 0;
};

/// The asymptotic gain of a (the asymptotes of ft) at w > 0 and its gap to the real curve.
lecture_asymptote lire_asymptote(const fdt_travail& ft, const asymptotes_bode& a, double w);

/// Pulsations where the phase of convention c changes slope or jumps, increasing: the breaks
/// for the steps, a decade either side of each break for the ramps.
std::vector<double> noeuds_phase(const asymptotes_bode& a, convention_phase c);

} // namespace varlem
