#include "document/textes_construits.h"

#include <charconv>

namespace varlem {

std::string nombre_exact(double x) {
    char tampon[64];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, x);
    std::string t;
    // The parser reads "E" with an optional "-" only: "e+" would be refused.
    for (const char* c = tampon; c != fin.ptr; ++c) {
        if (*c == 'e') {
            t += 'E';
        } else if (*c == '+' && c != tampon && c[-1] == 'e') {
            continue;
        } else {
            t += *c;
        }
    }
    return t;
}

std::string somme_texte(std::initializer_list<terme_texte> termes, char lettre) {
    std::string t;
    for (const terme_texte& terme : termes) {
        // A zero coefficient with the variable, such as "0p^2", is refused by the parser.
        if (terme.coef == 0.0) continue;
        if (!t.empty() && terme.coef > 0) t += '+';
        t += nombre_exact(terme.coef);
        if (terme.degre >= 1) t += lettre;
        if (terme.degre >= 2) t += '^' + std::to_string(terme.degre);
    }
    return t.empty() ? "0" : t;
}

} // namespace varlem
