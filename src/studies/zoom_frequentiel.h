#pragma once
// Zooming out of a frequency diagram: every bound moved outward by half again, then the
// ranges graduated again.

#include "settings/etudes.h"

namespace varlem {

/// Factor by which "Zoom arriere" moves each bound outward.
inline constexpr double facteur_zoom_arriere = 1.5;

/// A lower bound moved outward: lo / 1.5 when lo ≥ 0, else lo × 1.5.
double borne_basse_elargie(double lo);
/// An upper bound moved outward: hi × 1.5 when hi > 0, else hi / 1.5.
double borne_haute_elargie(double hi);

/// Zooms diagram `genre` out ('G', 'P', 'M', 'N', 'B'); false for any other letter (nothing
/// changes and nothing is to be redrawn).
bool zoom_arriere(etude_frequence& r, char genre, bool inclure_zero);

} // namespace varlem
