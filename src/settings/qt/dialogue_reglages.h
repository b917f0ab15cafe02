#pragma once
// The settings dialog "Parametres de l'étude en cours": its six tabs and its "OK" button.

#include "studies/qt/contexte_fenetres.h"

#include <QDialog>

class QTabWidget;

namespace varlem {

class onglet_decomposition;
class onglet_frequence;
class onglet_graphique;
class onglet_poles_zeros;
class onglet_taille;
class onglet_temps;

/// Modal dialog editing the study settings; every change reaches the plots at once.
class dialogue_reglages : public QDialog {
    Q_OBJECT
  public:
    explicit dialogue_reglages(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// Fills the controls from the settings; no periodic precision change is pending any more.
    void remplir_dialogue();
    /// Shows the dialog modally, on the "Etude temps" tab.
    void montrer();

    /// The tabs, in their order.
    QTabWidget& onglets() { return *onglets_; }

  protected:
    /// Each opening shows the settings as they are now.
    void showEvent(QShowEvent* e) override;

  private:
    void afficher_reglages();
    void au_clic_ok();

    contexte_fenetres& ctx_;
    QTabWidget* onglets_;
    onglet_graphique* graphique_;
    onglet_frequence* frequence_;
    onglet_temps* temps_;
    onglet_poles_zeros* poles_zeros_;
    onglet_decomposition* decomposition_;
    onglet_taille* taille_;
};

} // namespace varlem
