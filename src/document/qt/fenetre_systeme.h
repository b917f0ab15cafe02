#pragma once
// The system window: the current function shown as a fraction, the commands that add,
// modify, delete and copy the functions, the browse arrows and the variable letter; the closed
// loop with its corrector and the template studies, tuned live by sliders.

#include "document/historique.h"
#include "document/saisie.h"
#include "studies/qt/contexte_fenetres.h"

#include <QWidget>

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

namespace varlem {

class affichage_fraction;
class dialogue_saisie;
class panneau_boucle;

/// Top-level window "Entree de la fonction de transfert".
class fenetre_systeme : public QWidget {
    Q_OBJECT
  public:
    /// Builds the window in the state of an empty system.
    explicit fenetre_systeme(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// The entry dialog the commands open (it is created after this window).
    void relier_dialogue(dialogue_saisie& d);
    /// The window side of emptying the system: "1" over "1", "sur 1", only "Nouvelle" and the
    /// variable letter offered.
    void reinitialiser();
    /// Its part of enabling the commands once the system holds functions; the variable letter
    /// can no longer be changed.
    void activer_commandes();
    /// Shows the number of the current function, the count and the current texts.
    void afficher_courante();
    /// After a file was read: function 1 shown, browsing and the editing commands enabled.
    void systeme_lu();
    /// P was set from the root locus: the loop panel shows it.
    void montrer_gain_lieu(const reglage_gain_lieu& r);
    /// After "Annuler" or "Rétablir": the letter, the function shown and the commands as the
    /// history left them (an empty system as after emptying), then the refresh it asks for.
    void apres_historique(const resultat_historique& r);

  private:
    void construire_barre();
    QWidget* construire_parcours();
    void activer_parcours(bool actif);
    void au_clic_nouvelle();
    void au_clic_modifier();
    void au_clic_supprimer();
    void au_clic_copier();
    void au_clic_lettre();
    void au_clic_parcours(bool vers_le_haut);
    void au_clic_bouclage();
    void au_clic_parametres();
    void choisir_gabarit(gabarit_filtre gabarit);
    void construire_menu_gabarits();
    // The loop or template controls: the fraction boxes and the editing commands follow.
    /// The loop command's caption and icon for the loop's state.
    void legender_bouclage();
    void fixer_edition(bool active);
    // Runs the entry dialog as the command opens it.
    bool saisir(const ouverture_saisie& o, const validation_saisie& valider);
    // Shows what a command returns and runs the enabling and refresh it asks for.
    void appliquer(const resultat_commande& r);
    void montrer(const affichage_fonction& a);

    contexte_fenetres ctx_;
    dialogue_saisie* dialogue_ = nullptr;
    // Position of the browse control, 1..8: it may run ahead of the current function.
    int position_parcours_ = 1;

    QToolBar* barre_ = nullptr;
    QAction* nouvelle_ = nullptr;
    QAction* modifier_ = nullptr;
    QAction* supprimer_ = nullptr;
    QAction* copier_ = nullptr;
    QAction* parametres_ = nullptr;
    QAction* bouclage_ = nullptr;
    QAction* suivante_ = nullptr;
    QAction* precedente_ = nullptr;
    affichage_fraction* fraction_ = nullptr;
    QMenu* menu_gabarits_ = nullptr;
    panneau_boucle* panneau_ = nullptr;
};

} // namespace varlem
