#pragma once
// The analysed functions a study computes: a bank of eight slots numbered from 1, the slots
// chosen from it, and the periodic samples computed for them.

#include "numeric/fdt.h"

#include <array>
#include <vector>

namespace varlem {

/// Number of function slots of a system.
inline constexpr int nb_fonctions_max = 8;

/// True for a slot number 1..nb_fonctions_max.
inline bool slot_valide(int k) {
    return k >= 1 && k <= nb_fonctions_max;
}

/// Slots numbered 1..8 (entry 0 is unused).
using banque_fonctions = std::array<fdt_travail, nb_fonctions_max + 1>;

/// The function of a valid slot.
inline const fdt_travail& fonction_du_slot(const banque_fonctions& b, int k) {
    return b[static_cast<std::size_t>(k)];
}

/// A sampled signal (periodic input or response).
using signal = std::vector<double>;

/// Samples of the periodic input and of each slot's periodic response.
struct echantillons_periodiques {
    signal echantillons_entree;
    std::array<signal, nb_fonctions_max + 1> echantillons_reponse;
};

} // namespace varlem
