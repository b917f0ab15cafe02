#pragma once
// The "Graphique" tab of the settings dialog: colours, ticks, grid, the functions drawn and
// the label font.

#include "studies/qt/contexte_fenetres.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QRadioButton;

namespace varlem {

class etiquette_cliquable;

/// Tab "Graphique": every edit is stored and redrawn at once.
class onglet_graphique : public QWidget {
    Q_OBJECT
  public:
    explicit onglet_graphique(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// Shows the stored settings: colours, tick length, boxes and groups.
    void afficher();

  private:
    void creer_couleurs();
    void creer_choix();
    /// A colour label editing the colour `reglage` gives.
    etiquette_cliquable* etiquette_couleur(const QString& texte, QChar mnemonique,
                                           std::function<couleur&()> reglage);
    void au_clic_longueur();
    void au_clic_police();

    contexte_fenetres& ctx_;
    etiquette_cliquable* axes_;
    etiquette_cliquable* longueur_;
    std::array<etiquette_cliquable*, 8> courbes_{};
    etiquette_cliquable* entree_;
    QCheckBox* inclure_zero_;
    QCheckBox* quadrillage_;
    QRadioButton* plein_;
    QRadioButton* pointilles_;
    QRadioButton* courante_;
    QRadioButton* toutes_;
};

} // namespace varlem
