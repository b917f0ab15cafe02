#pragma once
// Texts the program builds for itself and hands to the parser: numbers that read back exactly,
// and sums of terms without zero terms.

#include <initializer_list>
#include <string>

namespace varlem {

/// The two texts of a transfer function.
struct textes_fdt {
    std::string num;
    std::string den;
};

/// x written so that the parser reads back the very same double: the shortest exact digits,
/// an "E" exponent and no "+" sign in it (1e+20 gives "1E20", 0.1 gives "0.1").
std::string nombre_exact(double x);

/// One term c·x^degre of a built polynomial text.
struct terme_texte {
    double coef = 0.0;
    int degre = 0;
};

/// c0+c1x+c2x^2… in the order given, exact numbers, zero terms left out ("0" when all are).
/// A negative first term opens the text with its "-", which the parser reads as its sign.
std::string somme_texte(std::initializer_list<terme_texte> termes, char lettre);

} // namespace varlem
