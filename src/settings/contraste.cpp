#include "settings/contraste.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

// One channel of 0..255, gamma removed.
double lineaire(unsigned canal) {
    const double v = canal / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

} // namespace

double luminance(couleur c) {
    const unsigned rouge = c & 0xFF, vert = (c >> 8) & 0xFF, bleu = (c >> 16) & 0xFF;
    return 0.2126 * lineaire(rouge) + 0.7152 * lineaire(vert) + 0.0722 * lineaire(bleu);
}

double contraste(couleur a, couleur b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool lisible_sur(couleur texte, couleur fond) {
    return contraste(texte, fond) >= contraste_lisible;
}

} // namespace varlem
