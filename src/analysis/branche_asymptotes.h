#pragma once
// The asymptotic phase moved onto the branch of the real curve. The step rule takes the angle
// of each factor jω − r below its break in (−90°, 270°], while the real phase (fdt_phase) takes
// it in [−90°, 270°): a root on the positive imaginary axis puts the asymptote a whole turn
// from the curve below its break (1/(1 + p²) starts at −360° where the curve starts at 0°).
// Drawn as it is, the asymptote would stand a turn off the curve, then jump the wrong way at
// the break; it is drawn a whole number of turns off instead, level by level, wherever the real
// curve stays that many turns away over the whole level.

#include "analysis/asymptotes_bode.h"
#include "numeric/fdt.h"

#include <vector>

namespace varlem {

/// Whole turns added to each step level of `a` (the level below the first break first, then
/// the level after each break): the number of turns by which the real phase of ft (its delay
/// left out, the asymptotes know none) stands from the level at three pulsations spread over
/// it, when the three agree; 0 where they do not.
std::vector<int> tours_par_palier(const fdt_travail& ft, const asymptotes_bode& a);

/// `a` with each step level moved by its whole turns, the jumps and so the ramps following.
asymptotes_bode sur_branche_reelle(const fdt_travail& ft, asymptotes_bode a);

} // namespace varlem
