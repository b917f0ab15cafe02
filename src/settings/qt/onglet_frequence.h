#pragma once
// The "Etude freq" tab of the settings dialog: the frequency and phase units and the name of
// the frequency study in progress.

#include "studies/qt/contexte_fenetres.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QRadioButton;

namespace varlem {

/// Tab "Etude freq": a change of unit derives the frequency range again and redraws.
class onglet_frequence : public QWidget {
    Q_OBJECT
  public:
    explicit onglet_frequence(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// Shows the stored units and the study in progress.
    void afficher();

  private:
    contexte_fenetres& ctx_;
    QRadioButton* hertz_;
    QRadioButton* rad_s_;
    QRadioButton* radian_;
    QRadioButton* degre_;
    QLabel* etude_;
    QCheckBox* marges_;
};

} // namespace varlem
