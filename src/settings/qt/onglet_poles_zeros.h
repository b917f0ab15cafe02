#pragma once
// The "Poles et zéros" tab of the settings dialog: the size and the colours of the symbols of
// the pole-zero map.

#include "studies/qt/contexte_fenetres.h"

#include <QWidget>

class QLabel;

namespace varlem {

class etiquette_cliquable;

/// Tab "Poles et zéros": every edit is stored and redrawn at once.
class onglet_poles_zeros : public QWidget {
    Q_OBJECT
  public:
    explicit onglet_poles_zeros(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// Shows the stored size and colours and the loop picture.
    void afficher();

  private:
    void au_clic_taille();
    /// A "Couleur" label editing the colour `reglage`.
    etiquette_cliquable* etiquette_couleur(const QString& nom, couleur& reglage);
    void montrer_taille();

    contexte_fenetres& ctx_;
    QLabel* ouverte_;
    QLabel* fermee_;
    etiquette_cliquable* taille_;
    etiquette_cliquable* zeros_;
    etiquette_cliquable* poles_;
};

} // namespace varlem
