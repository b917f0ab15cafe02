#include "plot/placement_etiquettes.h"

#include <algorithm>

namespace varlem {

bool se_chevauchent(const rectangle_px& a, const rectangle_px& b) {
    return a.gauche < b.droite && b.gauche < a.droite && a.haut < b.bas && b.haut < a.bas;
}

bool contenu_dans(const rectangle_px& a, const rectangle_px& b) {
    return a.gauche >= b.gauche && a.droite <= b.droite && a.haut >= b.haut && a.bas <= b.bas;
}

std::vector<int> placer_etiquettes(const std::vector<etiquette_candidate>& etiquettes,
                                   std::vector<rectangle_px>& occupes, const rectangle_px& zone,
                                   int ecart) {
    std::vector<int> choix;
    choix.reserve(etiquettes.size());
    for (const etiquette_candidate& e : etiquettes) {
        int pris = -1;
        for (std::size_t i = 0; i < e.candidats.size() && pris < 0; ++i) {
            const rectangle_px& r = e.candidats[i];
            if (!contenu_dans(r, zone)) continue;
            const rectangle_px large{r.gauche - ecart, r.haut - ecart, r.droite + ecart,
                                     r.bas + ecart};
            const bool libre =
                std::none_of(occupes.begin(), occupes.end(),
                             [&](const rectangle_px& o) { return se_chevauchent(large, o); });
            if (libre) pris = static_cast<int>(i);
        }
        if (pris >= 0) occupes.push_back(e.candidats[static_cast<std::size_t>(pris)]);
        choix.push_back(pris);
    }
    return choix;
}

rectangle_px rectangle_texte(surface& s, int x, int y, const std::string& t) {
    return {x, y, x + s.largeur_texte(t), y + s.hauteur_texte(t)};
}

} // namespace varlem
