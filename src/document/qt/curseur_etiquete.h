#pragma once
// A vertical slider with its three labels: the top one (the largest value, clickable when its
// maximum can be changed), the value and the bottom one. Position 0 is at the top.

#include "document/boucle.h"

#include <QWidget>

class QLabel;
class QSlider;

namespace varlem {

class etiquette_cliquable;
class etiquette_valeur;

/// Slider of the corrector or of a template, with its labels.
class curseur_etiquete : public QWidget {
    Q_OBJECT
  public:
    /// A slider named `nom` (its accessible name), `mnemonique` underlined in the top label.
    curseur_etiquete(const QString& nom, QChar mnemonique, QWidget* parent = nullptr);

    /// Range, ticks, labels and position; setting a new position moves the slider as the user
    /// would, so its handler runs.
    void regler(const etat_curseur& e);
    /// Range 0..maximum and tick spacing (narrowing the range may move the slider).
    void regler_plage(int maximum, int graduation);
    /// Moves the slider (its handler runs when the position changes).
    void placer(int position);
    /// The three labels.
    void etiqueter(const std::string& haut, const std::string& valeur, const std::string& bas);
    /// The value label.
    void montrer_valeur(const std::string& valeur);
    /// The top label.
    void montrer_haut(const std::string& haut);
    /// Whether the top label can be clicked.
    void haut_cliquable(bool oui);
    /// The slider itself.
    QSlider* curseur() const { return curseur_; }
    /// Current position.
    int position() const;

  signals:
    /// The position changed, by the user or by the program.
    void deplace(int position);
    /// The top label was clicked.
    void haut_clique();

  private:
    QSlider* curseur_;
    etiquette_cliquable* haut_;
    etiquette_valeur* valeur_;
    etiquette_valeur* bas_;
    QString nom_haut_;
    bool cliquable_ = true;
};

} // namespace varlem
