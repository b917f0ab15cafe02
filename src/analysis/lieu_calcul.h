#pragma once
// The inner steps of the root locus, shared by its source files: the special points of
// 1 + K·N/D = 0 for K > 0 (those for K < 0 are the same steps on −N), and the branches.

#include "analysis/lieu_evans.h"
#include "analysis/polynomes_reels.h"

#include <optional>
#include <vector>

namespace varlem::lieu {

/// Whether a special point's gain is refined enough: |D(s) + K·N(s)| ≤ 1e-12·(|D(s)| + |K·N(s)|).
bool gain_exact(const polynome_reel& n, const polynome_reel& d, complexe s, double k);

/// The asymptotes of the branches going to infinity (K → +∞ when deg D > deg N, K → 0 when
/// deg N > deg D); nothing when the degrees are equal.
std::optional<asymptotes_lieu> asymptotes(const polynome_reel& n, const polynome_reel& d);

/// Break-away and break-in points with K > 0, each refined, sorted by real then imaginary part.
/// Roots common to N and D (among `poles` and `zeros`, the roots of D and N) are none: D + K·N
/// has them for every K.
std::vector<point_separation> separations(const polynome_reel& n, const polynome_reel& d,
                                          const std::vector<complexe>& poles,
                                          const std::vector<complexe>& zeros);

/// Imaginary-axis crossings with K > 0 and ω ≥ 0, each refined, sorted by ω. None when D/N is
/// real all along the axis (the locus then runs along it).
std::vector<croisement_axe> croisements(const polynome_reel& n, const polynome_reel& d);

/// The gain K > 0 at which the leading coefficient of D + K·N vanishes and a root passes through
/// infinity (only when deg N = deg D).
std::optional<double> gain_infini(const polynome_reel& n, const polynome_reel& d);

/// Departure angles at the simple complex poles (K > 0).
std::vector<angle_racine> angles_depart(const polynome_reel& n, const polynome_reel& d,
                                        const std::vector<racine_multiple>& poles);
/// Arrival angles at the simple complex zeros (K > 0).
std::vector<angle_racine> angles_arrivee(const polynome_reel& n, const polynome_reel& d,
                                         const std::vector<racine_multiple>& zeros);

/// The open intervals of K > 0 where every root of D + K·N has a negative real part: bounded by
/// the crossings' gains and the gain at infinity, each interval judged by Routh's counts inside.
std::vector<intervalle_gains> gains_stables(const polynome_reel& n, const polynome_reel& d,
                                            const std::vector<croisement_axe>& c);

/// What the continuation needs besides N and D.
struct donnees_branches {
    std::vector<complexe> poles, zeros;
    std::vector<point_separation> separations;
    std::vector<croisement_axe> croisements;
    vue_plan vue;
};

/// The branches for K from 0 to +∞, sampled at one list of gains.
branches_lieu suivre_branches(const polynome_reel& n, const polynome_reel& d,
                              const donnees_branches& b);

} // namespace varlem::lieu
