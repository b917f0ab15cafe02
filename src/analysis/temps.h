#pragma once
// The time study's computation: the interval, the sample step and the vertical range of the
// responses to the chosen input.

#include "analysis/diagrammes.h"
#include "analysis/periodique.h"

#include <optional>

namespace varlem {

/// The template studied in place of functions: its kind and the bounds of its damping.
struct gabarit_etudie {
    gabarit_filtre gabarit;
    double m_min = 0;
    double m_max = 0;
};

/// What the time study computes.
struct demande_temps {
    entree_temps entree = entree_temps::aucune;
    /// Slots whose responses are shown and scale the plot.
    std::vector<int> montrees;
    /// The periodic responses computed for the square and triangle inputs.
    demande_periodique periodique;
    /// The template studied instead of functions: its responses are not evaluated.
    std::optional<gabarit_etudie> gabarit;
    /// The graph's "Inclure zero", which the periodic and template ranges follow.
    bool inclure_zero = true;
};

/// Pulsation that sets a new interval: the smallest non-zero root modulus of the slots,
/// held within 1e6 of the largest; 0.1 when no root is non-zero.
double pulsation_lente(const banque_fonctions& f, const std::vector<int>& slots);

/// Chooses a new interval when `recalculer` (or when the stored one is unusable), then sets dt,
/// the steps and the vertical range for the input asked for; periodic inputs also get their
/// samples computed into `e`, with progress reported.
void calculer_reponse_temps(etude_temps& r, bool recalculer, const banque_fonctions& f,
                            const demande_temps& d, echantillons_periodiques& e,
                            const rapport_progression& progression = {});

/// Multiplies t_max by `facteur` (2 or 0.5), then recomputes dt, the steps and the responses
/// (the range for exact inputs).
void changer_intervalle(etude_temps& r, double facteur, const banque_fonctions& f,
                        const demande_temps& d, echantillons_periodiques& e,
                        const rapport_progression& progression = {});

} // namespace varlem
