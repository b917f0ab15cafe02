#pragma once
// The time study's computation: the interval, the sample step and the vertical range of the
// responses to the chosen input.

#include "analysis/periodique.h"
#include "document/systeme.h"
#include "settings/reglages.h"

namespace varlem {

/// Pulsation that sets a new interval: the smallest non-zero root modulus of the functions
/// concerned, held within 1e6 of the largest; 0.1 when no root is non-zero.
double pulsation_lente(const systeme& sys);

/// Chooses a new interval when `recalculer` (or when the stored one is unusable), then sets dt,
/// the steps and the vertical range for the input `sys.etudes.etude_temps_choisie`; periodic
/// inputs also get their samples computed, with progress reported.
void calculer_reponse_temps(etude_temps& r, bool recalculer, systeme& sys, const reglages& reg,
                            const rapport_progression& progression = {});

/// Doubles t_max, then recomputes dt, the steps and the responses (the range for exact kinds).
void doubler_intervalle(etude_temps& r, systeme& sys, const reglages& reg,
                        const rapport_progression& progression = {});

/// Halves t_max, then recomputes dt, the steps and the responses (the range for exact kinds).
void diviser_intervalle(etude_temps& r, systeme& sys, const reglages& reg,
                        const rapport_progression& progression = {});

} // namespace varlem
