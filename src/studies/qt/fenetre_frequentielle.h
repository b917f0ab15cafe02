#pragma once
// The frequency study window: the chosen diagram, or gain and phase stacked as a Bode view,
// with the commands that choose the diagram, zoom in and out, widen the interval, rescale,
// copy and export, and the values readout.

#include "analysis/memoire_courbes.h"
#include "studies/qt/fenetre_etude.h"
#include "studies/zoom_frequentiel.h"

namespace varlem {

class dialogue_lecture_frequentielle;
class image_trace;

/// Window "Etude frequentielle": tool bar, two pictures (the second for the Bode view) and a
/// status line showing the values under the mouse.
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
    /// The values readout of this window.
    dialogue_lecture_frequentielle& lecture() { return *lecture_; }

  protected:
    void cacher_contenu() override;
    void resizeEvent(QResizeEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void choisir(diagramme genre);
    void choisir_bode();
    void elargir(bool vers_le_bas);
    void au_clic_echelle_auto();
    void au_clic_zoom_avant();
    void au_clic_zoom_arriere();
    void au_clic_copier();
    void au_clic_exporter();
    void desarmer_zoom();
    void relier_souris(image_trace* image, diagramme genre_bode);
    void souris_enfoncee(image_trace* image, diagramme genre, QPoint p, Qt::MouseButton b);
    void souris_deplacee(image_trace* image, diagramme genre, QPoint p);
    void souris_relachee(image_trace* image, diagramme genre, QPoint p, Qt::MouseButton b);

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
