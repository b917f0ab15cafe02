#pragma once
// The response of a closed loop with a delay to a periodic square or triangle input. The input
// is piecewise linear: a sum of steps and ramps starting at its breaks, so the loop, linear and
// invariant, answers with the same sum of its own step and ramp responses, each computed exactly
// once and read at the times each break leaves.

#include "analysis/signal_periodique.h"
#include "numeric/fdt.h"

#include <vector>

namespace varlem {

/// Most periods of the input the exact response sums over.
inline constexpr double periodes_exactes_max = 1000;

/// The response of loop b (its own input replaced by u, the whole response delayed by `retard`)
/// at t_min + j·pas for j = 0..nb − 1, into `sortie`; false, and nothing written, when the loop
/// cannot be computed or the window holds more than `periodes_exactes_max` periods of u (its
/// stand-in answers then).
bool reponse_periodique_boucle(const boucle_retardee& b, double retard, const forme_periodique& u,
                               double t_min, double pas, int nb, std::vector<double>& sortie);

} // namespace varlem
