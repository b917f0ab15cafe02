#pragma once
// The computed curves of a study as CSV text: a header row naming the columns, then one row
// per point, numbers written with "." and 17 significant digits whatever the locale.

#include "document/systeme.h"
#include "settings/reglages.h"

#include <string>

namespace varlem {

/// Pulsations per decade of the frequency export.
inline constexpr int pulsations_par_decade_csv = 100;

/// A number as the exports write it: 17 significant digits, "." as decimal separator, "nan",
/// "inf" or "-inf" when not finite.
std::string nombre_csv(double x);

/// Frequency export: ω (rad/s) on the diagram's decades, pulsations_par_decade_csv per decade,
/// then for each function shown its gain (dB) and its phase (in the study's phase unit).
std::string csv_frequentiel(const etude_frequence& r, const systeme& sys);

/// Time export: t (s) on the grid of the drawn curves (the sample times for the periodic
/// inputs), the input, then y for each function shown; only the header when no input is chosen.
std::string csv_temporel(const etude_temps& r, const systeme& sys, const reglages& reg);

/// Pole-zero export of the studied function: one row per distinct pole and zero with its
/// kind, real part, imaginary part and multiplicity.
std::string csv_poles_zeros(const systeme& sys);

} // namespace varlem
