#pragma once
// The current function as the system window shows it: its number and the count, the label
// "T(p) =", the numerator and the denominator in read-only boxes over a fraction bar followed by
// the delay factor "e^(-τp)" when the function has a delay, and the button of the variable
// letter.

#include "document/saisie.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace varlem {

class etiquette_valeur;

/// Number, count and fraction of the function shown.
class affichage_fraction : public QWidget {
    Q_OBJECT
  public:
    /// The labels, boxes and letter button, laid out side by side.
    explicit affichage_fraction(QWidget* parent = nullptr);

    /// Shows the number, the count, the texts and the delay of a function.
    void montrer(const affichage_fonction& a);
    /// Shows the number and the count labels only.
    void montrer_numero(const QString& numero, const QString& compte);
    /// Shows two texts in the boxes and the delay factor after them (a template's displayed
    /// texts have none).
    void montrer_textes(const QString& num, const QString& den, const QString& facteur_retard = {});
    /// The label left of the fraction ("T(p) =").
    void montrer_etiquette(const QString& etiquette);
    /// The boxes take the keyboard (read-only: their texts can be selected and copied).
    void activer_boites(bool actif);
    /// The button of the variable letter.
    QPushButton* lettre() const { return lettre_; }

  private:
    // Widens the boxes and the bar to the longer text, within the fraction's room.
    void ajuster();

    etiquette_valeur* numero_;
    etiquette_valeur* compte_;
    QLabel* fraction_;
    QLineEdit* numerateur_;
    QLineEdit* denominateur_;
    QLabel* barre_;
    QLabel* retard_;
    // Natural width of the 35 underscores: the narrowest the fraction gets.
    int largeur_barre_ = 0;
    QPushButton* lettre_;
};

} // namespace varlem
