#include "plot/placement_etiquettes.h"

#include <algorithm>
#include <cstdint>

namespace varlem {

namespace {

// The pixels the taken rectangles cover over the zone widened by the gap, one bit each: a
// candidate is clear when none of its pixels is set, whatever the number of rectangles taken
// (the curves' boxes number thousands). Rectangles overlap exactly when they share a pixel.
class carte_occupee {
  public:
    explicit carte_occupee(const rectangle_px& etendue)
        : e_(etendue), mots_par_ligne_((std::max(e_.droite - e_.gauche, 0) + 63) / 64),
          bits_(static_cast<std::size_t>(mots_par_ligne_) *
                    static_cast<std::size_t>(std::max(e_.bas - e_.haut, 0)),
                0) {}

    // Sets the pixels of r within the map.
    void ajouter(const rectangle_px& r) {
        parcourir(r, [](std::uint64_t& mot, std::uint64_t masque) {
            mot |= masque;
            return true;
        });
    }

    // None of the pixels of r within the map is set.
    bool libre(const rectangle_px& r) {
        return parcourir(
            r, [](std::uint64_t& mot, std::uint64_t masque) { return (mot & masque) == 0; });
    }

  private:
    // Calls f on each word of each row of r cut to the map, with the mask of r's bits in it,
    // while it answers true; false when one answered false.
    template <typename F> bool parcourir(const rectangle_px& r, F f) {
        const int x0 = std::max(r.gauche, e_.gauche) - e_.gauche;
        const int x1 = std::min(r.droite, e_.droite) - e_.gauche;
        const int y0 = std::max(r.haut, e_.haut) - e_.haut;
        const int y1 = std::min(r.bas, e_.bas) - e_.haut;
        if (x1 <= x0 || y1 <= y0) return true;
        for (int y = y0; y < y1; ++y) {
            std::uint64_t* ligne = bits_.data() + static_cast<std::size_t>(y) *
                                                      static_cast<std::size_t>(mots_par_ligne_);
            for (int m = x0 / 64; m <= (x1 - 1) / 64; ++m) {
                const int debut = std::max(x0 - 64 * m, 0), fin = std::min(x1 - 64 * m, 64);
                const std::uint64_t haut =
                    fin == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << fin) - 1;
                const std::uint64_t masque = haut & ~((std::uint64_t{1} << debut) - 1);
                if (!f(ligne[m], masque)) return false;
            }
        }
        return true;
    }

    rectangle_px e_;
    int mots_par_ligne_;
    std::vector<std::uint64_t> bits_;
};

} // namespace

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
    // A candidate lies within the zone; widened by the gap, within this.
    carte_occupee carte(
        {zone.gauche - ecart, zone.haut - ecart, zone.droite + ecart, zone.bas + ecart});
    for (const rectangle_px& o : occupes) carte.ajouter(o);
    for (const etiquette_candidate& e : etiquettes) {
        int pris = -1;
        for (std::size_t i = 0; i < e.candidats.size() && pris < 0; ++i) {
            const rectangle_px& r = e.candidats[i];
            if (!contenu_dans(r, zone)) continue;
            if (carte.libre({r.gauche - ecart, r.haut - ecart, r.droite + ecart, r.bas + ecart}))
                pris = static_cast<int>(i);
        }
        if (pris >= 0) {
            occupes.push_back(e.candidats[static_cast<std::size_t>(pris)]);
            carte.ajouter(occupes.back());
        }
        choix.push_back(pris);
    }
    return choix;
}

rectangle_px rectangle_texte(surface& s, int x, int y, const std::string& t) {
    return {x, y, x + s.largeur_texte(t), y + s.hauteur_texte(t)};
}

} // namespace varlem
