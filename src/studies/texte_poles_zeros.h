#pragma once
// The text of the decomposition window: partial fractions and the values of poles and zeros.

#include "analysis/etudes.h"
#include "document/systeme.h"

#include <string>

namespace varlem {

/// Heading, decomposition text and pole and zero values of ft, as the settings r choose;
/// the heading names the function shown (the looped one while the loop is closed).
std::string texte_poles_zeros(const systeme& sys, const fdt_travail& ft, const reglages_pz& r);

/// The whole text of the decomposition window: that of the studied function (the closed loop
/// while it is closed), then the "Caractéristiques" section when the settings ask for it.
std::string texte_fenetre_decomposition(const systeme& sys, const reglages_pz& r);

} // namespace varlem
