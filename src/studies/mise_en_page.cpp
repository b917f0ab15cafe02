#include "studies/mise_en_page.h"

#include <algorithm>

namespace varlem {

mise_en_page mettre_en_page(const cadre_page& page, int largeur, int hauteur,
                            double hauteur_titre) {
    mise_en_page m;
    const double ligne = std::clamp(hauteur_titre, 0.0, std::max(page.hauteur, 0.0));
    m.titre = {page.x, page.y, std::max(page.largeur, 0.0), ligne};
    const double haut = page.y + ligne * 1.5;
    const double reste = page.y + page.hauteur - haut;
    if (largeur <= 0 || hauteur <= 0 || page.largeur <= 0 || reste <= 0) {
        m.trace = {page.x, std::min(haut, page.y + std::max(page.hauteur, 0.0)), 0, 0};
        return m;
    }
    m.echelle = std::min(page.largeur / largeur, reste / hauteur);
    const double l = largeur * m.echelle, h = hauteur * m.echelle;
    m.trace = {page.x + (page.largeur - l) / 2, haut, l, h};
    return m;
}

} // namespace varlem
