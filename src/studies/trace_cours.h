#pragma once
// The course's drawings over the frequency diagrams, after the curves: the asymptotes of every
// function shown on the gain and phase diagrams (alone or as the halves of the Bode view), the
// Black-Nichols chart of the open loop on the Black diagram, as the settings ask.

#include "analysis/diagrammes.h"
#include "analysis/etudes.h"
#include "document/systeme.h"
#include "plot/param.h"
#include "plot/placement_etiquettes.h"
#include "plot/surface.h"
#include "plot/surface_relevee.h"
#include "studies/trace_asymptotes.h"

#include <vector>

namespace varlem {

/// The asymptotes are drawn over diagram `genre`: asked for, and `genre` is the gain or the
/// phase.
bool asymptotes_tracees(const etude_frequence& r, diagramme genre);
/// The chart is drawn over diagram `genre`: asked for, and `genre` is the Black diagram.
bool abaque_trace(const etude_frequence& r, diagramme genre);
/// Either of them: the drawing notes its texts, which their labels must leave clear.
bool cours_trace(const etude_frequence& r, diagramme genre);

/// Functions shown beyond which only the read function's asymptotes are labelled: the others'
/// are drawn and their breaks marked, their labels would crowd the diagram.
inline constexpr std::size_t fonctions_etiquetees_max = 3;

/// The asymptotes of the functions the frequency study shows over diagram `genre`, each with
/// its curve's colour, the read function's first; on the phase diagram, the phase moved onto
/// its curve's branch (sur_branche_reelle). All are labelled while at most
/// fonctions_etiquetees_max are shown, the read function's alone beyond.
std::vector<asymptotes_couleur> asymptotes_des_courbes(const systeme& sys, const param& p,
                                                       diagramme genre);

/// The colour of the open loop's curve, which marks its closed-loop resonance on the chart.
couleur couleur_boucle_ouverte(const systeme& sys, const param& p);

/// Draws on `s` what the settings ask over diagram `genre`, once `releve` (the diagram drawn
/// through it onto `s`) holds the frame and the curves: the asymptotes (slope texts as r says,
/// break values where they fit when one function is labelled) over the curves, or the chart with
/// the resonance of the open loop under them (`releve` kept its drawing back, replayed here over
/// the chart); the labels clear of the texts and lines `releve` noted and of one another.
void tracer_cours(surface& s, const etude_frequence& r, const param& p, const systeme& sys,
                  diagramme genre, surface_relevee& releve);

} // namespace varlem
