#pragma once
// The kinds of the studies as the tests name and print them: the six templates by name, and
// the enum classes written in failure messages.

#include "analysis/diagrammes.h"
#include "analysis/etudes.h"
#include "numeric/entrees.h"

#include <ostream>

namespace varlem {

namespace test {

inline constexpr gabarit_filtre passe_bas_1{ordre_gabarit::premier, genre_gabarit::passe_bas};
inline constexpr gabarit_filtre passe_haut_1{ordre_gabarit::premier, genre_gabarit::passe_haut};
inline constexpr gabarit_filtre passe_bas_2{ordre_gabarit::second, genre_gabarit::passe_bas};
inline constexpr gabarit_filtre passe_haut_2{ordre_gabarit::second, genre_gabarit::passe_haut};
inline constexpr gabarit_filtre passe_bande_2{ordre_gabarit::second, genre_gabarit::passe_bande};
inline constexpr gabarit_filtre rejecteur_2{ordre_gabarit::second, genre_gabarit::rejecteur};
/// The six templates.
inline constexpr gabarit_filtre six_gabarits[] = {passe_bas_1,  passe_haut_1,  passe_bas_2,
                                                  passe_haut_2, passe_bande_2, rejecteur_2};

} // namespace test

/// The diagram's name in a failure message.
inline std::ostream& operator<<(std::ostream& o, diagramme d) {
    const char* noms[] = {"aucun", "gain", "phase", "module", "black", "nyquist"};
    return o << noms[static_cast<int>(d)];
}

/// The input's name in a failure message.
inline std::ostream& operator<<(std::ostream& o, entree_temps e) {
    const char* noms[] = {"aucune", "impulsion", "echelon", "rampe", "sinus", "carre", "triangle"};
    return o << noms[static_cast<int>(e)];
}

/// The template's order and kind in a failure message.
inline std::ostream& operator<<(std::ostream& o, gabarit_filtre g) {
    const char* genres[] = {"passe-bas", "passe-haut", "passe-bande", "rejecteur"};
    return o << (g.ordre == ordre_gabarit::premier ? "ordre 1 " : "ordre 2 ")
             << genres[static_cast<int>(g.genre)];
}

} // namespace varlem
