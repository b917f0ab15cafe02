#pragma once
// The asymptotic Bode diagrams drawn over the gain or the phase diagram, after the curves: the
// asymptotes of each function dashed in its colour, each break pulsation marked on the
// horizontal axis, the slope written on each gain segment; labels never overlap one another
// nor the texts already written.

#include "analysis/asymptotes_bode.h"
#include "analysis/etudes.h"
#include "document/systeme.h"
#include "plot/param.h"
#include "plot/placement_etiquettes.h"
#include "plot/surface.h"

#include <string>
#include <vector>

namespace varlem {

/// The two diagrams that show asymptotes.
enum class diagramme_bode { gain, phase };

/// The choices of the asymptotes' drawing.
struct reglages_asymptotes {
    /// Steps or ramps on the phase diagram.
    convention_phase convention = convention_phase::paliers;
    /// Slope texts on the gain diagram.
    ecriture_pente pente = ecriture_pente::decibels;
    /// Each break's pulsation written by its mark (placed after the slopes, where it fits).
    bool valeurs_cassures = false;
};

/// The asymptotes of one function with the colour of its curve.
struct asymptotes_couleur {
    /// The asymptotes.
    asymptotes_bode asymptotes;
    /// The colour of the function's curve.
    couleur c = 0;
    /// Its slopes (and break values, when asked) are written; else only drawn and marked.
    bool etiquetee = true;
};

/// Half-height in pixels of a break's mark across the axis.
inline constexpr int demi_marque_cassure = 4;
/// Shortest visible gain segment, in pixels, that gets its slope written.
inline constexpr double segment_min_etiquete = 24;

/// The text of a slope of n steps of 20 dB/decade: "−20 dB/déc", "0 dB/déc", "+40 dB/déc",
/// or "pente −1", "pente 0", "pente +2".
std::string texte_pente(int n, ecriture_pente e);

/// The asymptotes of the functions the frequency study shows, each with its curve's colour.
std::vector<asymptotes_couleur> asymptotes_etudiees(const systeme& sys, const param& p);

/// Draws the asymptotes of `fonctions` over diagram d, in the frame of the frequency study r
/// (decades, Hz or rad/s, radians or degrees, ranges), on the horizontal axis of the frame that
/// p draws; the labels (slopes, then break pulsations) are placed clear of `occupes` (the
/// texts already written) and of one another, and a label with no clear place is dropped.
void tracer_asymptotes(surface& s, const etude_frequence& r, const param& p, diagramme_bode d,
                       const std::vector<asymptotes_couleur>& fonctions,
                       const reglages_asymptotes& o, std::vector<rectangle_px> occupes = {});

} // namespace varlem
