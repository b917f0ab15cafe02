#pragma once
// Graduated axes, grid lines and labels: the frame of every plot, drawn on any surface.

#include "plot/param.h"
#include "plot/surface.h"

namespace varlem {

/// Grid line colour (light grey), whatever the settings.
inline constexpr couleur couleur_grille = 0xC0C0C0;

/// Vertical axis at pixel column x: graduations from hi down to lo, then the axis line.
void tracer_axe_vertical(surface& s, const param& p, int x, double pas, double lo, double hi);
/// Horizontal axis at pixel row y: graduations from lo up to hi, then the axis line.
void tracer_axe_horizontal(surface& s, const param& p, int y, double pas, double lo, double hi);
/// Logarithmic horizontal axis at pixel row y over decades dlo..dhi, then the decade labels.
void tracer_axe_log(surface& s, const param& p, int y, int dlo, int dhi);
/// Complete linear frame: horizontal axis, vertical axis, then the horizontal line again.
void tracer_axes(surface& s, const param& p, double pas_x, double pas_y, double xlo, double xhi,
                 double ylo, double yhi);
/// Frame with a logarithmic horizontal axis over decades dlo..dhi and a linear vertical axis.
void tracer_axes_log(surface& s, const param& p, int dlo, int dhi, double pas_y, double ylo,
                     double yhi);

} // namespace varlem
