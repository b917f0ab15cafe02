#pragma once
// Responses to periodic square and triangle inputs, by convolution with the impulse response.

#include "document/systeme.h"
#include "settings/reglages.h"

#include <functional>

namespace varlem {

/// Progress of a long computation, 0..100, reported on the calling thread; may be empty.
using rapport_progression = std::function<void(int pourcentage)>;

/// The periodic input at time t: kind 'C' (square) or 'T' (triangle), parameters from r.
double signal_periodique(const etude_temps& r, char genre, double t);

/// Number of samples of the periodic arrays: round(N/2) + 1.
int nb_echantillons_periodiques(const etude_temps& r);

/// Resizes and fills the input samples at t_min + i·Δ, Δ = 2·(t_max − t_min)/N.
void echantillonner_entree(const etude_temps& r, char genre, echantillons_periodiques& e);

/// Response of R at time t (sample j sets the number of sub-steps j·precision), D its direct
/// term: D·u(t) + h·Σ u(e·h)·g(t − e·h) over e = 0..j·precision, h = t/(j·precision + 1).
double reponse_convolution(const fdt_travail& R, int j, double t, double D, const etude_temps& r,
                           char genre, int precision);

/// Fills the response arrays of the functions concerned (all, or slot 3 in closed loop, or the
/// current one; slot 4 too for the uncorrected loop), reporting progress as it goes.
void calculer_reponses_periodiques(const etude_temps& r, systeme& sys, const reglages& reg,
                                   const rapport_progression& progression = {});

} // namespace varlem
