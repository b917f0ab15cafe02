#pragma once
// Poles read factor by factor from the denominator text, so a typed product is never expanded.

#include "numeric/contexte.h"
#include "numeric/fdt.h"

#include <string_view>

namespace varlem {

/// Roots of the denominator text, factor after factor in the order typed (entries from 1).
/// Clears ctx.erreur_syntaxe first; returns false, leaving `poles` untouched, on a syntax error
/// (a text whose roots would not fit in one list counts as one).
bool poles_par_facteurs(contexte_calcul& ctx, std::string_view texte_den, liste_racines& poles);

} // namespace varlem
