#pragma once
// The captions of the study windows and of the loop command, which follow the loop's state.

#include "document/systeme.h"

#include <string>

namespace varlem {

/// "Etude fréquentielle (boucle ouverte)" while the loop is closed (the open loop is studied),
/// else "Etude frequentielle".
std::string titre_frequentiel(const etat_etudes& e);
/// "Poles et zéros de la fonction n°" + the function shown, followed by " bouclée" for the
/// looped function while the loop is closed.
std::string titre_poles_zeros(const systeme& s);
/// "Décomposition de la fonction du systeme bouclé" while the loop is closed, else
/// "Décomposition de la fonction courante".
std::string titre_decomposition(const etat_etudes& e);
/// The loop command's caption: "Fdt seule" while the loop is closed, else "Bouclage".
std::string legende_bouclage(const etat_etudes& e);

} // namespace varlem
