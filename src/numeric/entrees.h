#pragma once
// The inputs of a time study: what the response is computed to.

namespace varlem {

/// Input of the time study; `aucune` while none is chosen.
enum class entree_temps { aucune, impulsion, echelon, rampe, sinus, carre, triangle };

/// True for the inputs whose response is exact: impulse, step, ramp and sine.
constexpr bool entree_exacte(entree_temps e) {
    switch (e) {
    case entree_temps::impulsion:
    case entree_temps::echelon:
    case entree_temps::rampe:
    case entree_temps::sinus:
        return true;
    case entree_temps::aucune:
    case entree_temps::carre:
    case entree_temps::triangle:
        return false;
    }
    return false;
}

/// True for the periodic inputs: square and triangle.
constexpr bool entree_periodique(entree_temps e) {
    return e == entree_temps::carre || e == entree_temps::triangle;
}

/// True for the inputs with a Laplace transform of their own: step, ramp and sine.
constexpr bool entree_transformee(entree_temps e) {
    return e == entree_temps::echelon || e == entree_temps::rampe || e == entree_temps::sinus;
}

} // namespace varlem
