#pragma once
// Frequency response of an analysed function over many pulsations at once.

#include "numeric/fdt.h"

#include <span>

namespace varlem {

/// One point of a frequency response.
struct point_frequence {
    double omega = 0.0;
    complexe t;
    double gain_db = 0.0;
    double phase = 0.0;
};

/// Frequency response in separate arrays, one entry per pulsation.
struct tableaux_frequence {
    double* re;
    double* im;
    double* gain_db;
    double* phase;
};

/// T(jω), gain in dB and phase (as fdt_phase) at every pulsation of `omegas`, in order, into
/// arrays of omegas.size() entries each (the fastest form).
void reponse_frequentielle(const fdt_travail& ft, std::span<const double> omegas,
                           const tableaux_frequence& sortie);

/// The same values as one record per pulsation.
void reponse_frequentielle(const fdt_travail& ft, std::span<const double> omegas,
                           std::span<point_frequence> sortie);

} // namespace varlem
