#pragma once
// The commands of the hand-drawn readings of a control course: the asymptotic Bode diagrams and
// the contours of the Black-Nichols chart.

#include "commandes.h"

#include <optional>

namespace varlem::calc {

/// Options of `abaque`: one contour, iso-module or iso-phase, and the gain window.
struct options_abaque {
    /// |F| of an iso-module contour, dB.
    std::optional<double> module_db;
    /// arg F of an iso-phase contour, degrees.
    std::optional<double> phase_deg;
    /// Bottom of the gain window, dB.
    double gain_min_db = -60;
    /// Top of the gain window, dB.
    double gain_max_db = 60;
};

/// `asymptotes`: initial slope, gain at 1 rad/s and breaks of the asymptotic gain; initial
/// step phase and the phase after each break.
int commande_asymptotes(const fonction_saisie& f);
/// `abaque`: the points of one contour of the chart over phases −360° to 0°.
int commande_abaque(const options_abaque& o);

} // namespace varlem::calc
