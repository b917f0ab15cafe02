#pragma once
// The Black-Nichols chart drawn over the Black diagram, after the curves: the closed-loop
// contours of the chart within the diagram's window, thin and light, the 2.3 dB contour
// stronger, labelled where a label overlaps nothing; the closed-loop resonance marked on the
// curve of the open loop with its value.

#include "analysis/abaque_black.h"
#include "analysis/etudes.h"
#include "document/systeme.h"
#include "plot/param.h"
#include "plot/placement_etiquettes.h"
#include "plot/surface.h"

#include <optional>
#include <string>
#include <vector>

namespace varlem {

/// Colour of the contours (light blue-grey, 0x00BBGGRR).
inline constexpr couleur couleur_abaque = 0xE8D8C8;
/// Colour of the stronger 2.3 dB contour.
inline constexpr couleur couleur_abaque_forte = 0xB08040;
/// Colour of the contours' labels.
inline constexpr couleur couleur_etiquettes_abaque = 0x906030;
/// The contour drawn stronger, dB: a resonance of 1.3, the usual design target.
inline constexpr double module_fort_db = 2.3;
/// Pen width of the stronger contour.
inline constexpr int epaisseur_abaque_forte = 2;
/// Half-size in pixels of the square that marks the resonance.
inline constexpr int demi_marque_resonance = 3;

/// The label of a contour: "2.3 dB", "-20 dB", "-30°".
std::string texte_contour(const contour_black& c);
/// The label of the resonance: "Mr = 2.31 dB".
std::string texte_resonance(double module_db);

/// The open loop L the chart reads: slot 1 (C·T·R) while the loop is closed, else the current
/// function; nullptr when the system has none.
const fdt_travail* boucle_ouverte_abaque(const systeme& sys);

/// The window of the Black diagram of r in degrees, at the size of s's frame.
fenetre_black fenetre_du_diagramme(const surface& s, const etude_frequence& r);

/// Draws the chart over the Black diagram of r (phase in radians or degrees as r says), then,
/// when L is given, marks its resonance in colour c; every label is placed clear of
/// `occupes` (the texts already written) and of the others, or dropped. The resonance, when L
/// has one.
std::optional<tangence_black> tracer_abaque(surface& s, const etude_frequence& r, const param& p,
                                            const fdt_travail* boucle_ouverte, couleur c,
                                            std::vector<rectangle_px> occupes = {});

} // namespace varlem
