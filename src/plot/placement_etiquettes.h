#pragma once
// Labels placed without overlap: each label offers candidate rectangles in order of
// preference; a label takes its first candidate clear of the rectangles already taken (texts
// written before it, labels placed before it) and is dropped when none is clear.

#include "plot/surface.h"

#include <string>
#include <vector>

namespace varlem {

/// A pixel rectangle [gauche, droite) × [haut, bas).
struct rectangle_px {
    /// First column.
    int gauche = 0;
    /// First row.
    int haut = 0;
    /// Column just past the last.
    int droite = 0;
    /// Row just past the last.
    int bas = 0;
    friend bool operator==(const rectangle_px&, const rectangle_px&) = default;
};

/// a and b share at least one pixel.
bool se_chevauchent(const rectangle_px& a, const rectangle_px& b);
/// a lies entirely within b.
bool contenu_dans(const rectangle_px& a, const rectangle_px& b);

/// One label: its candidate rectangles, most preferred first.
struct etiquette_candidate {
    /// Where the label may go, most preferred first.
    std::vector<rectangle_px> candidats;
};

/// For each label, in the order given (the most important first), the index of the candidate
/// it takes, or −1 when it is dropped. A candidate is taken when it lies within `zone` and at
/// least `ecart` pixels clear of `occupes` and of the labels placed before it; the rectangles
/// chosen are appended to `occupes`.
std::vector<int> placer_etiquettes(const std::vector<etiquette_candidate>& etiquettes,
                                   std::vector<rectangle_px>& occupes, const rectangle_px& zone,
                                   int ecart = 0);

/// The rectangle of text t written with its top-left corner at (x, y) in the surface's font.
rectangle_px rectangle_texte(surface& s, int x, int y, const std::string& t);

/// A surface that writes through to another one and notes the rectangle of every text
/// written: the captions and labels that labels placed later must leave clear.
class surface_notee final : public surface {
  public:
    /// Writes through to `base`.
    explicit surface_notee(surface& base) : base_(base) {}

    /// The rectangles of the texts written so far.
    const std::vector<rectangle_px>& textes() const { return textes_; }

    int largeur() const override { return base_.largeur(); }
    int hauteur() const override { return base_.hauteur(); }
    void couleur_crayon(couleur c) override { base_.couleur_crayon(c); }
    void epaisseur_crayon(int e) override { base_.epaisseur_crayon(e); }
    void style_crayon(style_trait s) override { base_.style_crayon(s); }
    void deplacer(int x, int y) override { base_.deplacer(x, y); }
    void tracer_vers(int x, int y) override { base_.tracer_vers(x, y); }
    void rectangle(int x1, int y1, int x2, int y2) override { base_.rectangle(x1, y1, x2, y2); }
    void police(const std::string& nom, int taille, couleur c) override {
        base_.police(nom, taille, c);
    }
    void texte(int x, int y, const std::string& t) override {
        textes_.push_back(rectangle_texte(base_, x, y, t));
        base_.texte(x, y, t);
    }
    int largeur_texte(const std::string& t) override { return base_.largeur_texte(t); }
    int hauteur_texte(const std::string& t) override { return base_.hauteur_texte(t); }

  private:
    surface& base_;
    std::vector<rectangle_px> textes_;
};

} // namespace varlem
