#pragma once
// The frequency study drawing: frame, texts, one curve per studied function, the readout
// arrow and the uncorrected curve of a closed loop, on any surface.

#include "analysis/diagrammes.h"
#include "analysis/etudes.h"
#include "analysis/memoire_courbes.h"
#include "document/systeme.h"
#include "plot/param.h"
#include "plot/surface.h"

#include <optional>

namespace varlem {

/// Colour of the margin marks (grey).
inline constexpr couleur couleur_marges = 0x808080;
/// Colour slot of the uncorrected curve of a closed loop.
inline constexpr int indice_couleur_non_corrige = 4;

/// What a drawing adds to the frame and the curves.
struct options_frequentiel {
    /// Title and unit texts.
    bool textes = true;
    /// Readout arrow on the current function, when the readout is active.
    bool fleche = true;
    /// Uncorrected curve, when the loop is closed and it is asked for.
    bool non_corrige = true;
    /// Paths of the curves already traced, replayed when nothing they depend on changed.
    memoire_courbes* memoire = nullptr;
};

/// What a drawing of the frequency study drew.
struct rendu_frequentiel {
    /// The frame and the curves were drawn.
    bool dessine = false;
    /// Pixel of the readout arrow's point, when the arrow was drawn.
    std::optional<std::pair<int, int>> fleche;
};

/// Draws diagram `genre` (`aucun` draws nothing) with the chosen extras; nothing either when
/// the study window is closed or the frame is empty.
rendu_frequentiel dessiner_frequentiel(surface& s, const etude_frequence& r, const param& p,
                                       const systeme& sys, diagramme genre,
                                       const options_frequentiel& o);

/// Full drawing of diagram `genre`; the curves come from `memoire` when it holds them.
rendu_frequentiel tracer_frequentiel(surface& s, const etude_frequence& r, const param& p,
                                     const systeme& sys, diagramme genre,
                                     memoire_courbes* memoire = nullptr);
/// Full drawing of the chosen diagram.
rendu_frequentiel tracer_frequentiel(surface& s, const etude_frequence& r, const param& p,
                                     const systeme& sys, memoire_courbes* memoire = nullptr);
/// Frame and curves of the chosen diagram only.
void tracer_frequentiel_nu(surface& s, const etude_frequence& r, const param& p,
                           const systeme& sys);
/// Frame, curves and uncorrected curve of the chosen diagram, without texts or arrow: the
/// clipboard copy.
void copier_frequentiel(surface& s, const etude_frequence& r, const param& p, const systeme& sys);

} // namespace varlem
