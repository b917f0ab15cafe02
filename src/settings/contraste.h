#pragma once
// Whether a coloured text can be read on its background: the contrast ratio of two colours
// from their relative luminances.

#include "plot/surface.h"

namespace varlem {

/// Below this ratio a coloured text cannot be read on its background.
inline constexpr double contraste_lisible = 2.0;

/// Relative luminance of a colour (0x00BBGGRR), 0 (black) to 1 (white).
double luminance(couleur c);
/// Contrast ratio of two colours, 1 (the same luminance) to 21 (black on white).
double contraste(couleur a, couleur b);
/// A text of colour `texte` reads on `fond`.
bool lisible_sur(couleur texte, couleur fond);

} // namespace varlem
