#pragma once
// The pole-zero map window: the map of the function studied, its automatic scale and its
// vector copy.

#include "studies/qt/fenetre_etude.h"

namespace varlem {

/// Window "Poles et zéros de la fonction": tool bar and one map picture.
class fenetre_poles_zeros : public fenetre_etude {
    Q_OBJECT
  public:
    /// The window and its commands.
    explicit fenetre_poles_zeros(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// Opened flag, scale of the function shown (loop open, no template), shown, map drawn.
    void ouvrir() override;
    bool ouverte() const override;
    /// Caption, scale (loop open, no template) and map.
    void rafraichir(bool reprendre_echelles, bool recalculer) override;

  protected:
    dessin dessin_copie() const override;
    std::string valeurs_csv() const override;
    zone_trace zone(QSize taille) const override;
    bool montre_un_trace() const override { return true; }
    void redessiner() override;
    void cacher_contenu() override;

  private:
    void titrer();
    void au_clic_echelle_auto();

    image_trace* image_;
};

} // namespace varlem
