#pragma once
// Fills an analysed function from its polynomials: roots, gain, pole and zero terms.

#include "numeric/contexte.h"
#include "numeric/entrees.h"
#include "numeric/fdt.h"

namespace varlem {

/// Zeros, poles (factor by factor or from the expanded denominator, by ctx.racines_globales),
/// gain, root entries, then multiplicities and partial-fraction terms.
void analyser_racines(contexte_calcul& ctx, fdt_travail& ft);

/// Analysis of ft, whose `fonction` holds ft_T's function times the input transform `entree`
/// of a step, a ramp or a sine, reusing ft_T's roots and adding the input's poles (no root search).
void analyser_produit_entree(fdt_travail& ft, const fdt_travail& ft_T, entree_temps genre,
                             const fdt& entree);

/// A pole value cleaned of negligible real or imaginary parts and rounded to 5 digits.
complexe nettoyer_pole(complexe z);

} // namespace varlem
