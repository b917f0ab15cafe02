#pragma once
// Responses to periodic square and triangle inputs, by convolution with the impulse response.

#include "analysis/etudes.h"
#include "analysis/fonctions.h"
#include "numeric/entrees.h"

#include <functional>

namespace varlem {

/// Progress of a long computation, 0..100, reported on the calling thread; may be empty.
using rapport_progression = std::function<void(int pourcentage)>;

/// The periodic input at time t: square or triangle, parameters from r.
double signal_periodique(const etude_temps& r, entree_temps genre, double t);

/// Largest N the periodic computations use; a larger nb_points (a time window over 2040 pixels
/// wide) is held to it. Their cost grows with N² (each sample convolves over the whole time
/// before it): at this N eight functions at the finest precision take a fraction of a second.
inline constexpr int nb_points_max_periodique = 1'000;

/// Number of samples of the periodic arrays: round(N/2) + 1 (halves to even), at least 1.
int nb_echantillons_periodiques(const etude_temps& r);

/// Sample step Δ = 2·(t_max − t_min)/N; 0 when N ≤ 0 or the interval is empty or not finite.
double pas_periodique(const etude_temps& r);

/// Precision of the periodic computations held to 1..11.
int precision_bornee(int precision);

/// Resizes and fills the input samples at t_min + i·Δ, Δ = 2·(t_max − t_min)/N.
void echantillonner_entree(const etude_temps& r, entree_temps genre, echantillons_periodiques& e);

/// Response of R at time t (sample j sets the number of sub-steps j·precision), D its direct
/// term: D·u(t) + h·Σ u(e·h)·g(t − e·h) over e = 0..j·precision, h = t/(j·precision + 1).
double reponse_convolution(const fdt_travail& R, int j, double t, double D, const etude_temps& r,
                           entree_temps genre, int precision);

/// The periodic responses to compute: the input, the slots concerned and how the progress is
/// shared among them.
struct demande_periodique {
    entree_temps genre = entree_temps::carre;
    /// Slots computed, in order.
    std::vector<int> concernes;
    /// Precision of the computations (held to 1..11).
    int precision = 5;
    /// The progress is shared among `nb_fonctions` functions (every function shown), or between
    /// the studied function and the uncorrected loop (`non_corrige`), or given to one.
    bool toutes = true;
    bool non_corrige = false;
    int nb_fonctions = 1;
};

/// Fills the response arrays of the slots asked for, reporting progress as it goes.
void calculer_reponses_periodiques(const etude_temps& r, const banque_fonctions& f,
                                   const demande_periodique& d, echantillons_periodiques& sortie,
                                   const rapport_progression& progression = {});

} // namespace varlem
