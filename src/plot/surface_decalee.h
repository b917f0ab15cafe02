#pragma once
// A rectangle of another surface seen as a surface of its own, for plots stacked on one page.

#include "plot/surface.h"

namespace varlem {

/// The w × h area of `base` whose top-left corner is (x0, y0); every command is moved there.
class surface_decalee final : public surface {
  public:
    /// The area of `base` at (x0, y0) of w × h pixels.
    surface_decalee(surface& base, int x0, int y0, int w, int h)
        : base_(base), x0_(x0), y0_(y0), w_(w), h_(h) {}

    int largeur() const override { return w_; }
    int hauteur() const override { return h_; }
    void couleur_crayon(couleur c) override { base_.couleur_crayon(c); }
    void epaisseur_crayon(int e) override { base_.epaisseur_crayon(e); }
    void style_crayon(style_trait s) override { base_.style_crayon(s); }
    void deplacer(int x, int y) override { base_.deplacer(x + x0_, y + y0_); }
    void tracer_vers(int x, int y) override { base_.tracer_vers(x + x0_, y + y0_); }
    void rectangle(int x1, int y1, int x2, int y2) override {
        base_.rectangle(x1 + x0_, y1 + y0_, x2 + x0_, y2 + y0_);
    }
    void police(const std::string& nom, int taille, couleur c) override {
        base_.police(nom, taille, c);
    }
    void texte(int x, int y, const std::string& t) override { base_.texte(x + x0_, y + y0_, t); }
    int largeur_texte(const std::string& t) override { return base_.largeur_texte(t); }
    int hauteur_texte(const std::string& t) override { return base_.hauteur_texte(t); }

  private:
    surface& base_;
    int x0_, y0_, w_, h_;
};

} // namespace varlem
