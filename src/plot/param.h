#pragma once
// The graph settings record handed by value to every frame and curve routine.

#include "plot/surface.h"

#include <array>
#include <string>

namespace varlem {

/// Graph settings: where axes cross, grid, colours, label font and tick length.
struct param {
    /// Ranges widened to contain zero, axes through the origin.
    bool inclure_zero = true;
    /// A grid line across the data area at each graduation instead of a tick.
    bool quadrillage = false;
    /// Grid lines dotted rather than solid.
    bool pointilles = true;
    /// Axis lines, ticks and labels.
    couleur couleur_axes = 0x000000;
    /// Input-signal curve of the time plots.
    couleur couleur_entree = 0x808080;
    /// Curve colour of function i (1..8 are user-editable).
    std::array<couleur, 16> couleurs = {0x000000, 0x000000, 0xFF0000, 0x0000FF, 0x008000, 0x00FFFF,
                                        0x000080, 0xFF00FF, 0x00FF00, 0,        0,        0,
                                        0,        0,        0,        0};
    /// Label font size in points.
    int taille_police = 8;
    /// Label font name.
    std::string police = "Arial";
    /// Tick length in pixels.
    int longueur_graduations = 3;
};

} // namespace varlem
