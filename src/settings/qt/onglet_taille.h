#pragma once
// The "Taille " tab of the settings dialog: the size of the plots copied to the clipboard,
// shown and typed in centimetres.

#include "studies/qt/contexte_fenetres.h"

#include <QWidget>

namespace varlem {

class etiquette_cliquable;

/// Tab "Taille ": the two sides of the copied plots.
class onglet_taille : public QWidget {
    Q_OBJECT
  public:
    explicit onglet_taille(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// Shows the stored sizes in centimetres.
    void afficher();

  private:
    contexte_fenetres& ctx_;
    etiquette_cliquable* largeur_;
    etiquette_cliquable* hauteur_;
};

} // namespace varlem
