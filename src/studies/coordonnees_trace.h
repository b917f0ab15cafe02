#pragma once
// The world coordinates under the mouse pointer over a plot, as the status line shows them.

#include "analysis/diagrammes.h"
#include "analysis/etudes.h"

#include <string>

namespace varlem {

/// The pointer at (px, py) of a w × h picture of frequency diagram `genre`: the horizontal
/// value with its unit (f in Hz or ω in rad/s on the gain, phase and module axes, phase on the
/// Black axis, real part on the Nyquist axis) and the vertical value with its unit; empty
/// outside the frame or for a letter without diagram.
std::string coordonnees_frequentiel(const etude_frequence& r, diagramme genre, int w, int h, int px,
                                    int py);

/// The pointer at (px, py) of a w × h time picture: "t = … s" and "y = …"; empty outside the
/// frame or while the interval is unusable.
std::string coordonnees_temporel(const etude_temps& r, int w, int h, int px, int py);

} // namespace varlem
