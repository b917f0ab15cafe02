#pragma once
// The modal dialog in which a transfer function is typed: numerator over denominator, the delay
// τ when the entry takes one, "OK" and "Annuler", and the SYNTAXE, CAPACITE and RETARD pictures
// that tell why a text was refused. The caller gives the caption and the check of each "OK".

#include "document/saisie.h"

#include <QDialog>
#include <QPixmap>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace varlem {

/// Entry dialog of a numerator and a denominator, created once and reused.
class dialogue_saisie : public QDialog {
    Q_OBJECT
  public:
    /// Checks the texts of one "OK": the error flags, none when they are accepted. A check that
    /// takes a delay shows the delay box.
    using validation = validation_saisie;

    /// Builds the dialog with "1" over "1+p" and both pictures hidden.
    explicit dialogue_saisie(QWidget* parent = nullptr);

    /// Runs the dialog modally under `titre`, the denominator box focused; each "OK" is
    /// checked by `valider`. True when "OK" closed it, false for "Annuler" (or Escape).
    bool saisir(const QString& titre, const validation& valider);
    /// Puts texts into both boxes (the function being modified).
    void remplir(const QString& num, const QString& den);
    /// Puts a text into the delay box (the delay of the function being modified).
    void remplir_retard(const QString& retard);

    /// The picture drawn beside the numerator box for a syntax error.
    static QPixmap image_syntaxe();
    /// The picture drawn beside the denominator box for a degree or range error.
    static QPixmap image_capacite();
    /// The picture drawn beside the delay box for a negative or unreadable delay.
    static QPixmap image_retard();

  protected:
    /// Closing from the frame is refused: only "OK" and "Annuler" close the dialog.
    void closeEvent(QCloseEvent* e) override;

  private:
    void au_clic_ok();
    // The delay's label, box and picture, in the row under the denominator.
    void construire_ligne_retard();
    // Shows the delay row for an entry that takes one, hides it (and its room) otherwise.
    void montrer_ligne_retard(bool visible);

    QLineEdit* numerateur_ = nullptr;
    QLineEdit* denominateur_ = nullptr;
    QLabel* image_syntaxe_ = nullptr;
    QLabel* image_capacite_ = nullptr;
    QWidget* ligne_retard_ = nullptr;
    QLineEdit* retard_ = nullptr;
    QLabel* image_retard_ = nullptr;
    QPushButton* bouton_ok_ = nullptr;
    QPushButton* bouton_annuler_ = nullptr;
    validation valider_;
};

} // namespace varlem
