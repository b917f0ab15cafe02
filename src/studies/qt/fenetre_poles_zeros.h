#pragma once
// The pole-zero map window: the map of the function studied, its automatic scale and its
// vector copy.

#include "plot/qt/copie_vectorielle.h"
#include "studies/qt/fenetre_etude.h"

namespace varlem {

class image_trace;

/// Window "Poles et zéros de la fonction": tool bar and one map picture.
class fenetre_poles_zeros : public fenetre_etude {
    Q_OBJECT
  public:
    explicit fenetre_poles_zeros(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// The main window's command: opened flag, scale of the current function (loop open, no
    /// template), shown, map drawn.
    void ouvrir();
    /// The refresh of all studies: caption, scale (loop open, no template) and map.
    void rafraichir();

  protected:
    void cacher_contenu() override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    const fdt_travail& fonction_montree() const;
    void titrer();
    /// The map of the function shown, for the screen and the copy alike.
    dessin carte() const;
    void redessiner();
    void au_clic_echelle_auto();
    void au_clic_copier();

    image_trace* image_;
};

} // namespace varlem
