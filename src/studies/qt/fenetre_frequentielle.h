#pragma once
// The frequency study window: the chosen diagram, or gain and phase stacked as a Bode view,
// with the commands that choose the diagram, widen the interval, rescale and copy.

#include "studies/qt/fenetre_etude.h"

namespace varlem {

class image_trace;

/// Window "Etude frequentielle": tool bar and two pictures (the second for the Bode view).
class fenetre_frequentielle : public fenetre_etude {
    Q_OBJECT
  public:
    explicit fenetre_frequentielle(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// The main window's command: opened flag, shown, drawn.
    void ouvrir();
    /// Redraws the diagram (or the Bode view) at the window's size.
    void rafraichir();
    /// The window's caption for the loop state: the open loop is studied while it is closed.
    void titrer();

  protected:
    void cacher_contenu() override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    void choisir(char genre);
    void choisir_bode();
    void elargir(bool vers_le_bas);
    void au_clic_echelle_auto();
    void au_clic_zoom_arriere();
    void au_clic_copier();

    image_trace* image_;
    image_trace* image_phase_;
};

} // namespace varlem
