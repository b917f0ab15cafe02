#pragma once
// What the Nyquist diagram draws over its curves: each curve's mirrored branch (ω < 0) dashed
// in its colour, arrows of increasing ω on both branches, the critical point −1, and the
// criterion's verdict for the loop studied in the top-right corner.

#include "analysis/critere_nyquist.h"
#include "analysis/diagrammes.h"
#include "analysis/etudes.h"
#include "document/systeme.h"
#include "plot/param.h"
#include "plot/surface.h"

#include <string>

namespace varlem {

/// Colour of the critical point (dark red, apart from the readout arrow's red).
inline constexpr couleur couleur_point_critique = 0x0000C0;

/// The verdict in one sentence: "P = 0, N = 0 donc Z = 0 : la boucle fermée est stable." or,
/// when N cannot be counted, "Le lieu passe par -1 : la boucle fermée n'est pas stable.".
std::string verdict_court_nyquist(const verdict_nyquist& v);

/// The extras of diagram `genre` when it is the Nyquist diagram (nothing otherwise); the
/// verdict only `avec_verdict`. The curves are those of the frequency study, at its ranges.
void tracer_extras_nyquist(surface& s, const etude_frequence& r, const param& p, const systeme& sys,
                           diagramme genre, bool avec_verdict);

} // namespace varlem
