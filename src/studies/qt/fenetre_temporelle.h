#pragma once
// The time study window: the response to the chosen input, the commands that choose it,
// halve or double the interval and copy the plot.

#include "studies/qt/fenetre_etude.h"

namespace varlem {

class image_trace;

/// Window "Etude temporelle": tool bar and one plot picture.
class fenetre_temporelle : public fenetre_etude {
    Q_OBJECT
  public:
    explicit fenetre_temporelle(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// The main window's command: opened flag, shown, drawn.
    void ouvrir();
    /// The refresh of all studies: the responses again when `recalculer`, then the plot.
    void rafraichir(bool reprendre_echelles, bool recalculer);
    /// Points the window computes: one every two pixels when visible, else the default.
    int nb_points() const;

  protected:
    void cacher_contenu() override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    void choisir(char entree);
    void changer_intervalle(int sens);
    void redessiner();
    void au_clic_copier();

    image_trace* image_;
    /// Doublings (positive) or halvings (negative) since the input was chosen, within ±10.
    int echelle_temps_ = 0;
};

} // namespace varlem
