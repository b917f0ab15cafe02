#pragma once
// Partial-fraction decomposition of an analysed function, and its text.

#include "numeric/contexte.h"
#include "numeric/fdt.h"

#include <string>

namespace varlem {

/// Multiplicity table of the poles, one entry per pole (0-based like `termes_poles`).
struct table_multiplicites {
    /// Size of the group on its first occurrence, 0 on the other occurrences.
    int multiplicite[nb_termes_max] = {};
    /// Rank of the occurrence within its group, 1 for the first.
    int rang[nb_termes_max] = {};
    /// Index of the group's first occurrence.
    int groupe[nb_termes_max] = {};
};

/// Groups the poles of ft whose values are equal (both parts).
table_multiplicites calculer_multiplicites(const fdt_travail& ft);
/// Groups equal poles: the first occurrence of a group of m gets ordre m, the next m−1, … 1.
void detecter_multiplicites(fdt_travail& ft);
/// Coefficients of every term coef / (p − valeur)^ordre, from Taylor series at each pole.
void decomposer(fdt_travail& ft);
/// The decomposition text with numbers at precision n (3..6), lines ended by CR LF; empty when
/// ctx.erreur_syntaxe is set. Uses ctx.variable_p as the letter.
std::string texte_decomposition(const contexte_calcul& ctx, const fdt_travail& ft, int n);
/// What the fraction of ft leaves out, one line each (CR LF) and an empty line after them: its
/// delay ("le tout multiplié par e^(-τp)") and the loop a stand-in replaces (its Padé order);
/// empty when it leaves out nothing.
std::string texte_notes_retard(const contexte_calcul& ctx, const fdt_travail& ft);

} // namespace varlem
