#include "studies/zones_trace.h"

#include <cmath>

namespace varlem {

namespace {

// Round half to even, as the stacked diagrams are laid out.
int moitie_arrondie(int hauteur) {
    return static_cast<int>(std::nearbyint(hauteur / 2.0));
}

} // namespace

zone_trace zone_frequentiel(int largeur, int hauteur) {
    return {largeur - 20, hauteur - 75};
}

zone_trace zone_bode(int largeur, int hauteur) {
    return {largeur - 20, moitie_arrondie(hauteur) - 40};
}

int haut_bode_phase(int hauteur) {
    return moitie_arrondie(hauteur) + 10;
}

zone_trace zone_poles_zeros(int largeur, int hauteur) {
    return {largeur - 70, hauteur - 70};
}

zone_trace zone_temps(int largeur, int hauteur) {
    return {largeur - 30, hauteur - 100};
}

bool assez_grand(const zone_trace& z) {
    return z.largeur > cote_min_redessin && z.hauteur > cote_min_redessin;
}

} // namespace varlem
