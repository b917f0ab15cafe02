#include "analysis/memoire_courbes.h"

#include "analysis/frequences.h"

#include <algorithm>

namespace varlem {

namespace {

// What the phase of a curve reads besides the polynomials: its roots, zeros then poles.
std::vector<complexe> racines_de(const fdt_travail& ft) {
    std::vector<complexe> r;
    for (int i = 0; i < nb_zeros(ft); ++i)
        r.push_back(ft.termes_zeros[static_cast<std::size_t>(i)].valeur);
    for (int i = 0; i < nb_poles(ft); ++i)
        r.push_back(ft.termes_poles[static_cast<std::size_t>(i)].valeur);
    return r;
}

bool memes_racines(const std::vector<complexe>& a, const std::vector<complexe>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](complexe x, complexe y) { return x.re == y.re && x.im == y.im; });
}

// Forwards every command to the surface drawn on and keeps the pen's moves and lines.
class surface_retenue final : public surface {
  public:
    surface_retenue(surface& s, std::vector<memoire_courbes::commande>& c) : s_(s), c_(c) {}
    int largeur() const override { return s_.largeur(); }
    int hauteur() const override { return s_.hauteur(); }
    void couleur_crayon(couleur c) override { s_.couleur_crayon(c); }
    void epaisseur_crayon(int e) override { s_.epaisseur_crayon(e); }
    void style_crayon(style_trait st) override { s_.style_crayon(st); }
    void deplacer(int x, int y) override {
        c_.push_back({false, x, y});
        s_.deplacer(x, y);
    }
    void tracer_vers(int x, int y) override {
        c_.push_back({true, x, y});
        s_.tracer_vers(x, y);
    }
    void rectangle(int x1, int y1, int x2, int y2) override { s_.rectangle(x1, y1, x2, y2); }
    void police(const std::string& nom, int taille, couleur c) override {
        s_.police(nom, taille, c);
    }
    void texte(int x, int y, const std::string& t) override { s_.texte(x, y, t); }
    int largeur_texte(const std::string& t) override { return s_.largeur_texte(t); }
    int hauteur_texte(const std::string& t) override { return s_.hauteur_texte(t); }

  private:
    surface& s_;
    std::vector<memoire_courbes::commande>& c_;
};

} // namespace

void memoire_courbes::tracer(surface& s, const fdt_travail& ft, diagramme genre,
                             const etude_frequence& r) {
    const std::vector<complexe> racines = racines_de(ft);
    const auto meme = [&](const chemin& c) {
        return c.genre == genre && c.largeur == s.largeur() && c.hauteur == s.hauteur() &&
               c.gain == ft.gain && c.plages == r && c.fonction.num == ft.fonction.num &&
               c.fonction.den == ft.fonction.den && memes_racines(c.racines, racines);
    };
    if (const auto it = std::find_if(chemins_.begin(), chemins_.end(), meme);
        it != chemins_.end()) {
        for (const commande& c : it->commandes) {
            if (c.ligne)
                s.tracer_vers(c.x, c.y);
            else
                s.deplacer(c.x, c.y);
        }
        // The last one used is the last one dropped.
        std::rotate(it, it + 1, chemins_.end());
        return;
    }
    chemin nouveau{ft.fonction, racines, ft.gain, genre, s.largeur(), s.hauteur(), r, {}};
    surface_retenue retenue(s, nouveau.commandes);
    tracer_courbe_frq(retenue, ft, genre, r);
    if (chemins_.size() >= nb_chemins_memorises) chemins_.erase(chemins_.begin());
    chemins_.push_back(std::move(nouveau));
}

} // namespace varlem
