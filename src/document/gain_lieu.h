#pragma once
// The gain read on the root locus given to the corrector: P set to that K, the P slider placed
// at the nearest position (its range widened to hold K), the loop rebuilt.

#include "document/systeme.h"
#include "settings/rafraichissement.h"

#include <optional>
#include <string>

namespace varlem {

/// What the system window shows after P was set from the locus.
struct reglage_gain_lieu {
    /// False (nothing changed) with the loop open or a gain outside 1e-6 … 1e9.
    bool effectue = false;
    /// The P slider's new position (set without running its handler) and value label.
    int position = 0;
    std::string etiquette_valeur;
    /// The new top label when the maximum was raised to hold K.
    std::optional<std::string> etiquette_haut;
    /// The closed-loop text.
    std::string texte_boucle;
    rafraichissement rafraichir;
};

/// P ← k exactly: the maximum raised to k when k is above it, the minimum lowered to k when k
/// is below it, the slider at the position nearest to k, the loop rebuilt; the studies refresh
/// as after a move of the P slider.
reglage_gain_lieu regler_gain_lieu(systeme& s, double k);

} // namespace varlem
