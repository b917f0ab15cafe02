#pragma once
// A surface that writes through to another and takes note of what is drawn: the rectangles of
// the texts, and, once asked, small boxes along the lines; it can also keep the drawing back
// and replay it later, so that what is drawn on the other surface meanwhile lies beneath.
// Labels placed after a drawing leave its texts and lines clear; a chart drawn after the
// curves lies under them.

#include "plot/enregistreur.h"
#include "plot/placement_etiquettes.h"
#include "plot/surface.h"

#include <string>
#include <vector>

namespace varlem {

/// Largest extent in pixels of the points of a box noted along the lines (the pen's width is
/// added around them).
inline constexpr int cote_releve = 8;
/// Longest step in pixels between two points noted along a line.
inline constexpr int pas_releve = cote_releve / 2;

/// Writes through to a base surface, noting texts and (once asked) lines; may keep the drawing
/// back to replay it over what is drawn on the base in between.
class surface_relevee final : public surface {
  public:
    /// Writes through to `base`, noting the texts only.
    explicit surface_relevee(surface& base) : base_(base) {}

    /// From now on the lines drawn are noted too, in boxes of at most cote_releve pixels.
    void noter_traits();
    /// From now on the drawing is kept back; the fonts still reach the base, which measures
    /// the texts.
    void differer();
    /// Draws what was kept back on the base, in order; from now on the drawing writes through.
    void rejouer();

    /// The rectangles of the texts written so far.
    const std::vector<rectangle_px>& textes() const { return textes_; }
    /// The boxes of the lines drawn since noter_traits, the pen's width included.
    std::vector<rectangle_px> traits() const;

    int largeur() const override { return base_.largeur(); }
    int hauteur() const override { return base_.hauteur(); }
    void couleur_crayon(couleur c) override;
    void epaisseur_crayon(int e) override;
    void style_crayon(style_trait s) override;
    void deplacer(int x, int y) override;
    void tracer_vers(int x, int y) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void police(const std::string& nom, int taille, couleur c) override;
    void texte(int x, int y, const std::string& t) override;
    int largeur_texte(const std::string& t) override { return base_.largeur_texte(t); }
    int hauteur_texte(const std::string& t) override { return base_.hauteur_texte(t); }

  private:
    void garder(const commande& k) { gardees_.push_back(k); }
    // Adds the pixel (x, y) to the box under way, closed first when it would grow too large.
    void etendre(int x, int y);
    void fermer_boite();
    // The box under way, the pen's width around its points.
    rectangle_px boite_courante() const;

    surface& base_;
    std::vector<rectangle_px> textes_;
    bool noter_traits_ = false;
    bool differe_ = false;
    std::vector<commande> gardees_;
    // The pen as the drawing left it: its point and its width.
    int x_ = 0, y_ = 0;
    int epaisseur_ = 1;
    // The boxes closed, and the extent of the points of the one under way.
    std::vector<rectangle_px> boites_;
    int x_min_ = 0, y_min_ = 0, x_max_ = 0, y_max_ = 0;
    bool boite_ouverte_ = false;
    // The last point added to the box under way.
    int dernier_x_ = 0, dernier_y_ = 0;
};

} // namespace varlem
