#pragma once
// Readings of a closed loop with a delay in its direct chain, G·e^(−τp) / (1 + G·R·e^(−τp)),
// taken from the loop itself and never from the poles of a Padé stand-in: its stability, by the
// argument principle on D_G·D_R + N_G·N_R·e^(−τp) along the imaginary axis, and the
// characteristics of its step response, from the exact computation of the response.

#include "analysis/caracteristiques.h"
#include "numeric/fdt.h"

#include <optional>

namespace varlem {

/// Number of closed-loop roots with a positive real part (a neutral loop whose direct terms
/// make |D_G·D_R| ≤ |N_G·N_R| at infinity has infinitely many: INT_MAX); nothing when a root lies
/// on the imaginary axis or the count cannot be made.
std::optional<int> racines_instables_boucle(const boucle_retardee& b);

/// The loop is stable: its count of unstable roots is known and zero.
bool boucle_retard_stable(const boucle_retardee& b);

/// The step characteristics of the loop (its input taken as the unit step), with the meanings of
/// `reponse_indicielle`: stability from the count above, the final value from the fractions at
/// p = 0, the rest read on the exact response and refined on it.
reponse_indicielle indicielle_boucle_retard(const boucle_retardee& b);

} // namespace varlem
