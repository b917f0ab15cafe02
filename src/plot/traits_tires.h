#pragma once
// Dashed polylines drawn as short solid strokes (the same on every surface, bitmap or vector),
// polylines broken under labels, and the clipping of a straight segment to a rectangle.

#include "plot/placement_etiquettes.h"
#include "plot/surface.h"

#include <utility>
#include <vector>

namespace varlem {

/// Draws a dashed polyline with the pen in force, point by point; the pattern runs on across
/// the corners of one polyline and starts again at each `deplacer`.
class trace_tirets {
  public:
    /// Dashes of `tiret` pixels and gaps of `blanc` pixels on s.
    explicit trace_tirets(surface& s, double tiret = longueur_tiret, double blanc = longueur_blanc)
        : s_(s), tiret_(tiret), blanc_(blanc) {}

    /// Starts a new polyline at (x, y).
    void deplacer(double x, double y);
    /// Continues the polyline to (x, y).
    void tracer_vers(double x, double y);

  private:
    surface& s_;
    double tiret_, blanc_;
    double x_ = 0, y_ = 0;
    // Distance already run in the current period of dash and gap.
    double phase_ = 0;
};

/// A polyline in pixels.
using polyligne_px = std::vector<std::pair<int, int>>;

/// Draws the polyline with the pen in force, leaving out what passes under the rectangles
/// `trous` (the labels written over it).
void tracer_polyligne_trouee(surface& s, const polyligne_px& l,
                             const std::vector<rectangle_px>& trous);

/// The parameters t0 ≤ t1 of the part of (x1, y1) + t·(dx, dy), t in [0, 1], within
/// [gauche, droite] × [haut, bas] (Liang-Barsky); false when none.
bool intervalle_dans(double x1, double y1, double dx, double dy, double gauche, double haut,
                     double droite, double bas, double& t0, double& t1);

/// Cuts the segment (x1, y1)–(x2, y2) to the rectangle [gauche, droite] × [haut, bas]
/// (Liang-Barsky); false when nothing of it lies within.
bool couper_segment(double& x1, double& y1, double& x2, double& y2, double gauche, double haut,
                    double droite, double bas);

} // namespace varlem
