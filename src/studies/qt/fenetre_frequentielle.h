#pragma once
// The frequency study window: the chosen diagram, or gain and phase stacked as a Bode view,
// with the commands that choose the diagram, zoom in and out, widen the interval, rescale,
// copy and export, and the values readout.

#include "analysis/memoire_courbes.h"
#include "studies/qt/fenetre_etude.h"
#include "studies/zoom_frequentiel.h"

namespace varlem {

class dialogue_lecture_frequentielle;

/// Window "Etude frequentielle": tool bar, two pictures (the second for the Bode view) and a
/// status line showing the values under the mouse.
class fenetre_frequentielle : public fenetre_etude {
    Q_OBJECT
  public:
    /// The window, its commands and its readout.
    explicit fenetre_frequentielle(contexte_fenetres& ctx, QWidget* parent = nullptr);

    void ouvrir() override;
    bool ouverte() const override;
    /// Draws the diagram (or the Bode view) at the window's size; the ranges were prepared by
    /// the application's refresh.
    void rafraichir(bool reprendre_echelles, bool recalculer) override;
    /// Caption for the loop state, and the window takes commands once opened.
    void changer_mode() override;
    /// The values readout of this window.
    dialogue_lecture_frequentielle& lecture() { return *lecture_; }

  protected:
    dessin dessin_copie() const override;
    std::string valeurs_csv() const override;
    std::string coordonnees(const image_trace* image, QPoint p) const override;
    zone_trace zone(QSize taille) const override;
    bool montre_un_trace() const override;
    void redessiner() override;
    void cacher_contenu() override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void choisir(diagramme genre);
    void choisir_bode();
    void elargir(bool vers_le_bas);
    void au_clic_echelle_auto();
    void au_clic_zoom_avant();
    void au_clic_zoom_arriere();
    void desarmer_zoom();
    diagramme diagramme_de(const image_trace* image) const;
    void relier_souris(image_trace* image);
    void souris_enfoncee(image_trace* image, QPoint p, Qt::MouseButton b);
    void souris_deplacee(image_trace* image, QPoint p);
    void souris_relachee(image_trace* image, QPoint p, Qt::MouseButton b);

    image_trace* image_;
    image_trace* image_phase_;
    dialogue_lecture_frequentielle* lecture_;
    /// "Zoom avant" was pressed: the next drag with the left button sets the ranges.
    bool zoom_actif_ = false;
    bool glissement_ = false;
    rectangle_zoom rectangle_;
    /// The curves of the pictures, replayed while the functions and ranges stay the same.
    memoire_courbes memoire_;
};

} // namespace varlem
