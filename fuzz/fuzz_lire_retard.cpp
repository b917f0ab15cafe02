// Fuzz target: any typed delay. The reader never faults; an accepted text gives a finite delay
// ≥ 0 whose written form reads back to the very same value and whose factor after a fraction is
// written plainly; a refused one gives no delay.
#include "document/retards.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    const varlem::lecture_retard l = varlem::lire_retard(texte);
    if (l.erreur_retard) {
        if (l.retard != 0) __builtin_trap();
        return 0;
    }
    if (!(l.retard >= 0) || !std::isfinite(l.retard)) __builtin_trap();
    const varlem::lecture_retard relu = varlem::lire_retard(varlem::texte_retard(l.retard));
    if (relu.erreur_retard || relu.retard != l.retard) __builtin_trap();
    // The factor the system window writes after the fraction: there for a delay only, and
    // without a blank or a non-finite number in it.
    const std::string facteur = varlem::texte_facteur_retard(l.retard, 'p');
    if (facteur.empty() != (l.retard == 0)) __builtin_trap();
    if (!facteur.empty() && (facteur.rfind("e^(-", 0) != 0 || facteur.back() != ')' ||
                             facteur.find_first_of(" nNiI") != std::string::npos))
        __builtin_trap();
    return 0;
}
