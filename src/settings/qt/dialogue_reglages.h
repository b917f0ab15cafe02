#pragma once
// The settings dialog "Parametres de l'étude en cours": its six tabs and its "OK" button.

#include "app/qt/contexte_fenetres.h"

#include <QDialog>

class QTabWidget;

namespace varlem {

/// Modal dialog editing the study settings; every change reaches the plots at once.
class dialogue_reglages : public QDialog {
    Q_OBJECT
  public:
    explicit dialogue_reglages(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// Fills the controls from the settings.
    void remplir_dialogue();
    /// Shows the dialog modally, on the "Etude temps" tab.
    void montrer();

  private:
    contexte_fenetres& ctx_;
    QTabWidget* onglets_;
};

} // namespace varlem
