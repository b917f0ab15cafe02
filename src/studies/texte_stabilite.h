#pragma once
// The texts of the stability study: the Routh table in aligned columns with its special cases
// explained, the root counts, the stable gains with the current gain placed among them, and the
// Nyquist criterion's verdict. Lines end with CR LF; numbers are written by texte_nombre.

#include "analysis/critere_nyquist.h"
#include "analysis/lieu_evans.h"
#include "numeric/routh.h"

#include <string>
#include <vector>

namespace varlem {

/// An entry of a Routh table: its number, or its leading term in ε ("ε", "2ε", "-7/ε", "3ε²").
std::string texte_terme_routh(const terme_routh& t);

/// The table, one line per row: the row's label ("p⁵", in the letter given) and its entries,
/// each column right-aligned to its widest entry.
std::string texte_tableau_routh(const tableau_routh& t, char lettre);

/// One French sentence explaining a special case of the table.
std::string phrase_cas_routh(const cas_routh& c, char lettre);

/// The three root counts, one line each.
std::string texte_comptes_racines(const comptes_racines& c);

/// The stable gains ("0 < K < 6", "K > 2", joined by "ou"), or the statement that there is none.
std::string texte_gains_stables(const std::vector<intervalle_gains>& g);

/// Where the gain k lies: inside an interval of stable gains, on one of its bounds, or outside.
std::string texte_gain_courant(const std::vector<intervalle_gains>& g, double k);

/// The verdict: "P = 0, N = 0 donc Z = 0 : la boucle fermée est stable.", the indentations when
/// the open loop has poles on the axis, the reverse criterion's statement when P = 0, or why N
/// cannot be counted.
std::string texte_verdict_nyquist(const verdict_nyquist& v);

/// The whole study: the table with its special cases and counts, the stable gains with k among
/// them, then the Nyquist verdict, each part after its heading.
std::string texte_stabilite(const tableau_routh& t, char lettre,
                            const std::vector<intervalle_gains>& gains, double k,
                            const verdict_nyquist& v);

} // namespace varlem
