#pragma once
// The time study window: the response to the chosen input, the commands that choose it
// (periodic inputs through their dialog), halve or double the interval, copy and export the
// plot, and the values readout.

#include "studies/qt/fenetre_etude.h"

namespace varlem {

class dialogue_lecture_temporelle;
class dialogue_periodique;
class image_trace;

/// Window "Etude temporelle": tool bar, one plot picture and a status line showing the values
/// under the mouse.
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
    /// The dialog of the square and triangle inputs.
    dialogue_periodique& entree_periodique() { return *periodique_; }
    /// The values readout of this window.
    dialogue_lecture_temporelle& lecture() { return *lecture_; }

  protected:
    void cacher_contenu() override;
    void resizeEvent(QResizeEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    void choisir(entree_temps entree);
    void choisir_periodique(entree_temps entree, const QString& titre);
    void calculer(bool reprendre_echelles);
    void changer_intervalle(int sens);
    void redessiner();
    void au_clic_copier();
    void au_clic_exporter();

    image_trace* image_;
    dialogue_periodique* periodique_;
    dialogue_lecture_temporelle* lecture_;
    /// Doublings (positive) or halvings (negative) since the input was chosen, within ±10.
    int echelle_temps_ = 0;
};

} // namespace varlem
