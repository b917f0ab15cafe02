#pragma once
// The automatic scale of the pole-zero map: bounds and steps that hold every root.

#include "analysis/etudes.h"
#include "analysis/fonctions.h"

namespace varlem {

/// Scale of r (bounds and steps) fitting the roots of ft, zero included.
void echelle_auto_pz(const fdt_travail& ft, reglages_pz& r);

/// One scale of r fitting the roots of every function 1..nb_fonctions of the bank.
void echelle_auto_pz_toutes(const banque_fonctions& f, int nb_fonctions, reglages_pz& r);

} // namespace varlem
