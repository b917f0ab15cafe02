#pragma once
// The "Etude freq" tab of the settings dialog: the frequency and phase units, the margins, the
// course's drawings (asymptotes and Black-Nichols chart) and the name of the frequency study
// in progress.

#include "studies/qt/contexte_fenetres.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
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
    QCheckBox* asymptotes_;
    QRadioButton* paliers_;
    QRadioButton* rampes_;
    QRadioButton* decibels_;
    QRadioButton* pente_entiere_;
    QGroupBox* convention_;
    QGroupBox* ecriture_;
    QCheckBox* abaque_;

    /// The course's controls: the asymptotes with their two choices, the chart.
    QGroupBox* groupe_cours();
    /// The choices of the asymptotes usable while they are drawn.
    void montrer_cours();
};

} // namespace varlem
