#pragma once
// The pole-zero map: poles as "*" and zeros as "o" in the complex plane, with its scales.

#include "document/systeme.h"
#include "plot/param.h"
#include "plot/surface.h"
#include "settings/etudes.h"

namespace varlem {

/// Draws the map of ft on s with the scale of r: the graduated frame, then poles, then zeros.
/// Draws nothing when the surface or the scale leaves no area.
void tracer_poles_zeros(surface& s, const fdt_travail& ft, const reglages_pz& r, const param& p);

/// Scale of r (bounds and steps) fitting the roots of ft, zero included.
void echelle_auto_pz(const fdt_travail& ft, reglages_pz& r);

/// One scale of r fitting the roots of every function 1..nb_fonctions of the system.
void echelle_auto_pz_toutes(const systeme& sys, reglages_pz& r);

} // namespace varlem
