#pragma once
// Partial-fraction decomposition of an analysed function, and its text.

#include "numeric/contexte.h"
#include "numeric/fdt.h"

#include <string>

namespace varlem {

/// Groups equal poles: the first occurrence of a group of m gets ordre m, the next m−1, … 1.
void detecter_multiplicites(fdt_travail& ft);
/// Coefficients of every term coef / (p − valeur)^ordre, from Taylor series at each pole.
void decomposer(fdt_travail& ft);
/// The decomposition text with numbers at precision n (3..6), lines ended by CR LF; empty when
/// ctx.erreur_syntaxe is set. Uses ctx.variable_p as the letter.
std::string texte_decomposition(const contexte_calcul& ctx, const fdt_travail& ft, int n);

} // namespace varlem
