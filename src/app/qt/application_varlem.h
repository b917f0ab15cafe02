#pragma once
// The application: the one system and the one set of settings, every window created once in
// order, the refresh that reaches every opened study, and the commands of the main window.

#include "document/fichiers_recents.h"
#include "document/historique.h"
#include "studies/qt/contexte_fenetres.h"

#include <vector>

#include <QObject>

#include <memory>

namespace varlem {

class boite_a_propos;
class dialogue_reglages;
class dialogue_saisie;
class fenetre_aide;
class fenetre_attente;
class fenetre_decomposition;
class fenetre_etude;
class fenetre_frequentielle;
class fenetre_lieu_evans;
class fenetre_poles_zeros;
class fenetre_principale;
class fenetre_stabilite;
class fenetre_systeme;
class fenetre_temporelle;

/// Owns the document, the settings and the windows; answers the windows' commands.
class application_varlem final : public QObject, public pilote_etudes {
    Q_OBJECT
  public:
    /// Creates every window in order and empties the system; nothing is shown yet.
    explicit application_varlem(plateforme& plat);
    ~application_varlem() override;
    application_varlem(const application_varlem&) = delete;
    application_varlem& operator=(const application_varlem&) = delete;

    void rafraichir_etudes(bool reprendre_echelles, bool recalculer) override;
    void activer_commandes() override;
    void
    calculer_avec_attente(const std::function<void(const rapport_progression&)>& calcul) override;
    void changer_mode() override;
    /// The save question: false when the command must stop.
    bool demander_enregistrement() override;
    std::optional<int> largeur_fenetre_temps() const override;
    void montrer_gain_lieu(const reglage_gain_lieu& r) override;
    void changer_systeme(const std::function<void()>& changement) override;
    void placer_fenetre_etude(QWidget& fenetre) override;

    /// Reads a system file; a refused file leaves every window as it was, after an error box.
    void ouvrir_fichier(const QString& chemin);
    /// Asks to save a changed system first, then reads the file.
    void ouvrir_fichier_depose(const QString& chemin);
    /// The save command: picker, then the file; true when the system was written.
    bool enregistrer();
    /// The open command: picker, then the file.
    void ouvrir();
    /// "Entree ou modif fdt": the system window, the save question, then an empty system.
    void entree();
    /// Whether the program may end: asks to save a system changed since last saved or read.
    bool peut_quitter();
    /// "Annuler" and "Rétablir" of the "&Edition" menu.
    void annuler();
    void retablir();
    /// A file of "Fichiers récents": the save question, then the file.
    void ouvrir_recent(const QString& chemin);
    /// The main window shown where it was left, or maximised.
    void montrer();

    /// The document and the settings.
    systeme& document() { return sys_; }
    reglages& reglages_etudes() { return reg_; }
    /// The windows, as the user finds them.
    fenetre_principale& principale() { return *principale_; }
    fenetre_systeme& fenetre_fonctions() { return *systeme_; }
    dialogue_saisie& saisie() { return *saisie_; }
    fenetre_frequentielle& frequentielle() { return *frequentielle_; }
    fenetre_temporelle& temporelle() { return *temporelle_; }
    fenetre_poles_zeros& poles_zeros() { return *poles_zeros_; }
    fenetre_decomposition& decomposition() { return *decomposition_; }
    fenetre_lieu_evans& lieu_evans() { return *lieu_evans_; }
    fenetre_stabilite& stabilite() { return *stabilite_; }
    fenetre_aide& aide() { return *aide_; }
    boite_a_propos& a_propos() { return *a_propos_; }
    dialogue_reglages& parametres() { return *reglages_; }
    fenetre_attente& attente() { return *attente_; }
    /// The study windows, in the order the refresh reaches them.
    const std::vector<fenetre_etude*>& etudes() const { return etudes_; }
    /// The steps "Annuler" and "Rétablir" go through.
    const historique& historique_systeme() const { return historique_; }
    /// The systems last read or written.
    const fichiers_recents& recents() const { return recents_; }

  private:
    void inscrire_etudes();
    void connecter_commandes();
    void vider_systeme();
    void activer_etudes(bool actif);
    /// The save question when the user's functions changed since last saved or read: false
    /// when the command must stop.
    bool peut_remplacer();
    void ouvrir_reglages();
    // application_bureau.cpp: owned windows, their places, the history and the recent files.
    void preparer_bureau();
    void actualiser_edition();
    void remplir_recents();
    /// "Fichiers récents" enabled when it lists a file and a file may be opened.
    void activer_recents();
    void noter_recent(const std::filesystem::path& chemin, erreur_fichier e);
    void appliquer_historique(const resultat_historique& r);
    void memoriser_bureau();

    systeme sys_;
    reglages reg_;
    plateforme& plat_;
    contexte_fenetres ctx_;
    // The main window owns every other window (they are its top-level children).
    std::unique_ptr<fenetre_principale> principale_;
    boite_a_propos* a_propos_;
    fenetre_frequentielle* frequentielle_;
    dialogue_reglages* reglages_;
    fenetre_poles_zeros* poles_zeros_;
    fenetre_temporelle* temporelle_;
    fenetre_decomposition* decomposition_;
    fenetre_lieu_evans* lieu_evans_;
    fenetre_stabilite* stabilite_;
    fenetre_systeme* systeme_;
    dialogue_saisie* saisie_;
    fenetre_aide* aide_;
    fenetre_attente* attente_;
    std::vector<fenetre_etude*> etudes_;
    historique historique_;
    fichiers_recents recents_;
};

} // namespace varlem
