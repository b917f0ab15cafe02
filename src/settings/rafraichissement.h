#pragma once
// What a window must do after an operation on the system: whether to refresh the studies,
// and with which two flags.

#include <string>

namespace varlem {

/// The refresh a window runs after an operation (`rafraichir_etudes` and its two flags).
struct rafraichissement {
    /// The studies must be refreshed at all.
    bool a_faire = false;
    /// Ranges and scales are derived again.
    bool reprendre_echelles = false;
    /// The curves are computed again.
    bool recalculer = false;
    friend bool operator==(const rafraichissement&, const rafraichissement&) = default;
};

/// A refresh with the two flags.
constexpr rafraichissement rafraichir(bool reprendre_echelles, bool recalculer) {
    return {true, reprendre_echelles, recalculer};
}

/// Result of a slider move: the value label it shows and the refresh to run.
struct reglage_curseur {
    /// The move changed the system (false: the slider does nothing in this state).
    bool effectue = false;
    /// New text of the value label beside the slider.
    std::string etiquette_valeur;
    /// Closed-loop text to show (loop sliders only).
    std::string texte_boucle;
    rafraichissement rafraichir;
};

} // namespace varlem
