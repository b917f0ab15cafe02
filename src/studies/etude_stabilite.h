#pragma once
// The text of the "Stabilité" window: which loop and which polynomial are studied, then the
// Routh table with its special cases and counts, the stable gains with the current gain placed
// among them and the Nyquist verdict (texte_stabilite), and what a delay changes. Lines end
// with CR LF.

#include "analysis/lieu_evans.h"
#include "document/boucle_stabilite.h"
#include "document/systeme.h"

#include <string>
#include <vector>

namespace varlem {

/// The stable gains of the loop: those of its fraction, their bounds moved onto the exact loop
/// with a delay.
std::vector<intervalle_gains> gains_stables_boucle(const boucle_stabilite& b);

/// The polynomial whose Routh table the window shows: D + K·N of the loop's fraction while the
/// loop is closed, the function's own denominator otherwise.
polynome polynome_routh_stabilite(const boucle_stabilite& b);

/// The text for the loop b of system s with its stable gains `gains` already computed.
std::string texte_etude_stabilite(const systeme& s, const boucle_stabilite& b,
                                  const std::vector<intervalle_gains>& gains);
/// The text for the system's loop; "Pas de fonction à étudier." when it has none.
std::string texte_etude_stabilite(const systeme& s);

} // namespace varlem
