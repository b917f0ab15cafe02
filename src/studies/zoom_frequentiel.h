#pragma once
// Zooming a frequency diagram out (every bound moved outward by half again, then the ranges
// graduated again) and in, to a rectangle dragged with the mouse.

#include "analysis/diagrammes.h"
#include "analysis/etudes.h"
#include "document/systeme.h"

namespace varlem {

/// Factor by which "Zoom arriere" moves each bound outward.
inline constexpr double facteur_zoom_arriere = 1.5;

/// A lower bound moved outward: lo / 1.5 when lo ≥ 0, else lo × 1.5.
double borne_basse_elargie(double lo);
/// An upper bound moved outward: hi × 1.5 when hi > 0, else hi / 1.5.
double borne_haute_elargie(double hi);

/// Zooms diagram `genre` out; false while none is chosen (nothing changes and nothing is to be
/// redrawn).
bool zoom_arriere(etude_frequence& r, diagramme genre, bool inclure_zero);

/// "Décade −" (vers_le_bas) or "Décade +": one decade more below or above, within
/// ±decade_limite, then the frequency study prepared again on the stored decades; false when
/// the limit is reached (nothing changes and nothing is to be redrawn).
bool elargir_intervalle(etude_frequence& r, const systeme& s, bool vers_le_bas);

/// A rectangle dragged over a picture, corners in the picture's pixels.
struct rectangle_zoom {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

/// Zooms diagram `genre` drawn on a w × h picture to the rectangle's extent: the new ranges
/// are the rectangle's (the gain and phase axes get decades, one below its left edge up to the
/// first that holds its right edge, at least one) and are graduated again; `inclure_zero`
/// receives whether the rectangle holds the origin. False, with nothing changed, for a click,
/// a rectangle flat in either direction, or no diagram.
bool zoom_souris(etude_frequence& r, diagramme genre, int w, int h, const rectangle_zoom& z,
                 bool& inclure_zero);

} // namespace varlem
