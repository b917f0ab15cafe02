#pragma once
// The settings of the course's drawings in the "Etude freq" tab: the asymptotes with their
// phase convention and slope wording, and the Black-Nichols chart.

#include "analysis/etudes.h"
#include "settings/edition_reglages.h"

namespace varlem {

/// "Asymptotes" checked or not: a plain refresh when it changes.
effet_reglage cocher_asymptotes(etude_frequence& r, bool coche);
/// Steps or ramps chosen: a plain refresh when it changes while the asymptotes are drawn.
effet_reglage choisir_convention_phase(etude_frequence& r, convention_phase c);
/// "−20 dB/déc" or "pente −1" chosen: a plain refresh when it changes while the asymptotes are
/// drawn.
effet_reglage choisir_ecriture_pente(etude_frequence& r, ecriture_pente e);
/// "Abaque de Black-Nichols" checked or not: a plain refresh when it changes.
effet_reglage cocher_abaque(etude_frequence& r, bool coche);

} // namespace varlem
