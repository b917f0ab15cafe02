#pragma once
// The readout mark: a small upward red arrow whose tip sits on a curve point.

#include "plot/surface.h"

namespace varlem {

/// Colour of the readout arrow (red, 0x00BBGGRR).
inline constexpr couleur couleur_fleche_lecture = 0x0000FF;
/// Length of the arrow's shaft in pixels, below the tip.
inline constexpr int longueur_fleche_lecture = 15;
/// Size of the two barbs in pixels, left and right and down from the tip.
inline constexpr int pointe_fleche_lecture = 4;

/// Upward red arrow with its tip at (px, py): the shaft, then the two barbs.
void tracer_fleche_lecture(surface& s, int px, int py);

} // namespace varlem
