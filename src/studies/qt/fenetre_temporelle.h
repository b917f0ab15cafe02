#pragma once
// The time study window: the response to the chosen input, the commands that choose it
// (periodic inputs through their dialog), halve or double the interval, copy and export the
// plot, and the values readout.

#include "studies/qt/fenetre_etude.h"

namespace varlem {

class dialogue_lecture_temporelle;
class dialogue_periodique;

/// Window "Etude temporelle": tool bar, one plot picture and a status line showing the values
/// under the mouse.
class fenetre_temporelle : public fenetre_etude {
    Q_OBJECT
  public:
    /// The window, its commands, its periodic-input dialog and its readout.
    explicit fenetre_temporelle(contexte_fenetres& ctx, QWidget* parent = nullptr);

    void ouvrir() override;
    bool ouverte() const override;
    /// The responses again when `recalculer`, then the plot.
    void rafraichir(bool reprendre_echelles, bool recalculer) override;
    /// Points the window computes: one every two pixels when visible, else the default.
    int nb_points() const;
    /// The dialog of the square and triangle inputs.
    dialogue_periodique& entree_periodique() { return *periodique_; }
    /// The values readout of this window.
    dialogue_lecture_temporelle& lecture() { return *lecture_; }

  protected:
    dessin dessin_copie() const override;
    std::string valeurs_csv() const override;
    std::string coordonnees(const image_trace* image, QPoint p) const override;
    zone_trace zone(QSize taille) const override;
    bool montre_un_trace() const override;
    void redessiner() override;
    void cacher_contenu() override;

  private:
    void choisir(entree_temps entree);
    void choisir_periodique(entree_temps entree, const QString& titre);
    void calculer(bool reprendre_echelles);
    void changer_intervalle(int sens);

    image_trace* image_;
    dialogue_periodique* periodique_;
    dialogue_lecture_temporelle* lecture_;
};

} // namespace varlem
