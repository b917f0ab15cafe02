#pragma once
// The single road from two typed texts to an analysed transfer function.

#include "numeric/contexte.h"
#include "numeric/fdt.h"

#include <string_view>

namespace varlem {

/// Stores both texts and the delay τ (s, 0 for none; a value that is not a finite τ ≥ 0 counts
/// as none) in ft, parses the texts with the given variable letter and, when both pass, finds
/// the roots and decomposes the function. Only ever sets the two result flags to true.
void analyser_fonction(contexte_calcul& ctx, char lettre_variable, std::string_view texte_num,
                       std::string_view texte_den, fdt_travail& ft, bool& erreur_syntaxe_out,
                       bool& erreur_degre_out, double retard = 0.0);

} // namespace varlem
