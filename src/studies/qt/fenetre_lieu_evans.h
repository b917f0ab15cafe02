#pragma once
// The root-locus window: the locus of the loop studied with its closed-loop poles at the
// current gain, following the P slider; a click picks the nearest point of the locus and reads
// its gain, pole, damping and pulsation in the status line; in closed loop, "Fixer P" gives
// that gain to the corrector. Automatic scale, zoom by a dragged rectangle, copy and export.

#include "studies/etude_lieu.h"
#include "studies/qt/fenetre_etude.h"
#include "studies/zoom_frequentiel.h"

#include <optional>

class QLabel;

namespace varlem {

/// Window "Lieu d'Evans": tool bar, one picture, and a status line with the pointer's
/// coordinates and the point picked.
class fenetre_lieu_evans : public fenetre_etude {
    Q_OBJECT
  public:
    /// The window and its commands.
    explicit fenetre_lieu_evans(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// Opened, shown, the locus computed and drawn.
    void ouvrir() override;
    /// The locus again when the loop changed (the zoom dropped when the scales are derived
    /// again), only the closed-loop poles when its gain alone changed; then the picture.
    void rafraichir(bool reprendre_echelles, bool recalculer) override;
    /// Caption and "Fixer P" follow the loop's state.
    void changer_mode() override;

    /// What the user chose: the view and the point picked.
    const etat_lieu& etat() const { return choix_; }
    /// The locus shown; nothing without a loop to study.
    const std::optional<lieu_systeme>& lieu() const { return lieu_; }

  protected:
    dessin dessin_copie() const override;
    std::string valeurs_csv() const override;
    std::string coordonnees(const image_trace* image, QPoint p) const override;
    zone_trace zone(QSize taille) const override;
    bool montre_un_trace() const override { return true; }
    void redessiner() override;
    void cacher_contenu() override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void suivre_boucle(bool reprendre_echelles);
    void titrer();
    void montrer_point();
    void choisir(const std::optional<point_lieu>& p);
    void changer_vue(const std::optional<vue_plan>& v);
    void au_clic_zoom_avant();
    void desarmer_zoom();
    void au_clic_fixer_p();
    echelle_lieu echelle_image() const;
    void souris_enfoncee(QPoint p, Qt::MouseButton b);
    void souris_deplacee(QPoint p);
    void souris_relachee(QPoint p, Qt::MouseButton b);

    image_trace* image_;
    QLabel* point_;
    QAction* fixer_p_;
    etat_lieu choix_;
    std::optional<lieu_systeme> lieu_;
    /// "Zoom avant" was pressed: the next drag with the left button sets the view.
    bool zoom_actif_ = false;
    bool glissement_ = false;
    rectangle_zoom rectangle_;
};

} // namespace varlem
