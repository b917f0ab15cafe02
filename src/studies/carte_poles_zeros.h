#pragma once
// The pole-zero map: poles as "*" and zeros as "o" in the complex plane, with its scales.

#include "analysis/etudes.h"
#include "document/systeme.h"
#include "numeric/fdt.h"
#include "plot/param.h"
#include "plot/surface.h"

namespace varlem {

/// Draws the map of ft on s with the scale of r: the graduated frame, then poles, then zeros;
/// the roots of a delayed loop's stand-in come with its Padé order written in the lower left
/// corner. Draws nothing when the surface or the scale leaves no area.
void tracer_poles_zeros(surface& s, const fdt_travail& ft, const reglages_pz& r, const param& p);

/// The function the map shows: the studied slot (the closed loop while the loop is closed).
const fdt_travail& fonction_carte(const systeme& s);
/// The map's scale follows the function shown, except in closed loop and in the template study,
/// whose scales are set once for their whole course.
void suivre_echelle_pz(const systeme& s, reglages_pz& pz);

} // namespace varlem
