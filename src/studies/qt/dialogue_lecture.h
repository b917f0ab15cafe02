#pragma once
// What both values readouts share: a small window without border icons that stays above its
// study window, the response and function labels, and the value rows.

#include "studies/lectures.h"
#include "studies/qt/contexte_fenetres.h"
#include "studies/qt/etiquette_valeur.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace varlem {

/// Base of the two readouts. The study window stays usable while it is open, so that a click
/// on the plot can move the cursor.
class dialogue_lecture : public QDialog {
    Q_OBJECT
  public:
    /// `redessiner` redraws the study window's plot, which marks the cursor and reads the values.
    dialogue_lecture(contexte_fenetres& ctx, genre_lecture genre, const QString& titre,
                     std::function<void()> redessiner, QWidget* parent);

    /// The labels again from the readout state (after a redraw by the study window).
    virtual void actualiser() = 0;
    /// "Fin": closes the readout and refreshes the studies, which removes the arrow.
    void reject() override;

  protected:
    /// A reading shown in a group: its caption and its value.
    struct ligne_lecture {
        QLabel* libelle;
        QLabel* valeur;
    };
    /// A titled group of `n` readings, added under the buttons.
    QGroupBox* ajouter_groupe(const QString& titre, std::vector<ligne_lecture>& lignes, int n);
    /// Shows a reading's caption and value (heard as the caption followed by the value).
    static void montrer_ligne(const ligne_lecture& l, const std::string& libelle,
                              const std::string& valeur);
    /// A value row: prompt, value label (heard as `nom` followed by its value), unit.
    etiquette_valeur* ajouter_valeur(const QString& invite, const QString& nom,
                                     const QString& unite);
    /// A button with its caption and its accessible name.
    QPushButton* ajouter_bouton(const QString& texte, const QString& nom,
                                const std::function<void()>& action, int ligne, int colonne);
    /// Shows "Pour la fonction n°" k in the function's curve colour, and the response text.
    void montrer_fonction(const std::string& reponse, int k);
    /// Shows the readout without blocking its study window.
    void afficher();
    /// The readout's rows of readings, from the core.
    std::vector<ligne_caracteristique> lignes() const;

    contexte_fenetres& ctx_;
    genre_lecture genre_;
    std::function<void()> redessiner_;
    QLabel* reponse_;
    QLabel* fonction_;
    QGridLayout* valeurs_;
    QGridLayout* boutons_;
    QVBoxLayout* page_;
};

} // namespace varlem
