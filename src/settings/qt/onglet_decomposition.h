#pragma once
// The "Decomposition" tab of the settings dialog: what the decomposition text lists and the
// precision of its numbers.

#include "studies/qt/contexte_fenetres.h"

#include <QWidget>

class QCheckBox;
class QComboBox;

namespace varlem {

/// Tab "Decomposition": every edit is stored and the text rewritten at once.
class onglet_decomposition : public QWidget {
    Q_OBJECT
  public:
    explicit onglet_decomposition(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// Shows the stored choices and the stored precision.
    void afficher();

  private:
    contexte_fenetres& ctx_;
    QCheckBox* courante_;
    QCheckBox* poles_;
    QCheckBox* zeros_;
    QCheckBox* caracteristiques_;
    QComboBox* precision_;
};

} // namespace varlem
