#pragma once
// The dialog that describes a square or triangle input before its response is computed:
// frequency, periods shown, amplitudes, ratio and the signal's start.

#include "studies/qt/contexte_fenetres.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace varlem {

/// Dialog "Entrée carré triangle", created once: its edits keep what the user last typed.
class dialogue_periodique : public QDialog {
    Q_OBJECT
  public:
    explicit dialogue_periodique(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// Shows the dialog modally under `titre`; the values accepted so far stay in the study
    /// however it is closed. True when closed by "OK".
    bool saisir(const QString& titre);

  private:
    void au_clic_ok();

    contexte_fenetres& ctx_;
    QLineEdit* frequence_;
    QLineEdit* nb_periodes_;
    QLineEdit* amplitude_max_;
    QLineEdit* amplitude_min_;
    QLineEdit* rapport_;
    QRadioButton* maxi_;
    QRadioButton* mini_;
    QRadioButton* nul_;
};

} // namespace varlem
