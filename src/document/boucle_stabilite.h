#pragma once
// The loop the stability studies look at, with its delay: 1 + K·G(p)·e^(−τp) = 0. The root
// locus and the Routh table need a fraction, so a delay is replaced there by its Padé stand-in;
// the Nyquist verdict counts the roots of the exact delayed loop.

#include "analysis/critere_nyquist.h"
#include "analysis/lieu_evans.h"
#include "document/boucle_etudiee.h"
#include "document/systeme.h"

#include <optional>
#include <string>
#include <vector>

namespace varlem {

/// The loop studied, exact and as a fraction.
struct boucle_stabilite {
    /// G as a fraction (its Padé stand-in when delayed) and the current gain K.
    boucle_etudiee etudiee;
    /// G without its delay.
    polynome num, den;
    /// τ in seconds, 0 for none.
    double retard = 0;
    /// Order of the Padé approximant in `etudiee` (0 without delay).
    int ordre_pade = 0;
};

/// The loop of the system (see `boucle_etudiee_systeme`) with the delay of the function studied
/// (the looped function's and the return path's while the loop is closed); nothing when the
/// system holds no function or the loop exceeds the capacity of a polynomial.
std::optional<boucle_stabilite> boucle_stabilite_systeme(const systeme& s);

/// The Nyquist criterion for K·G at gain k: P and the axis poles from G's poles; without delay
/// N and Z exact from the fraction, with a delay Z from the count of the exact loop's unstable
/// roots and N = Z − P (absent when that count cannot be made or is infinite).
verdict_nyquist verdict_boucle(const boucle_stabilite& b, double k);

/// The stable gains of the loop from those of its fraction, `approchees`: without delay as they
/// are; with a delay each finite bound is moved to where the exact loop's count of unstable
/// roots changes, by bisection within a bracket around it that the exact loop confirms (a bound
/// it does not confirm stays).
std::vector<intervalle_gains> gains_stables_exacts(const boucle_stabilite& b,
                                                   std::vector<intervalle_gains> approchees);

/// "Retard de τ s : …": which results stand on the Padé stand-in and which on the exact loop;
/// empty without delay.
std::string texte_retard_stabilite(const boucle_stabilite& b);

} // namespace varlem
