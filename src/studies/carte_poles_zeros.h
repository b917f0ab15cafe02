#pragma once
// The pole-zero map: poles as "*" and zeros as "o" in the complex plane, with its scales.

#include "analysis/etudes.h"
#include "numeric/fdt.h"
#include "plot/param.h"
#include "plot/surface.h"

namespace varlem {

/// Draws the map of ft on s with the scale of r: the graduated frame, then poles, then zeros.
/// Draws nothing when the surface or the scale leaves no area.
void tracer_poles_zeros(surface& s, const fdt_travail& ft, const reglages_pz& r, const param& p);

} // namespace varlem
