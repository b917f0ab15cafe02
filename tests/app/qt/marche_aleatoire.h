#pragma once
// A seeded random walk through the whole application as a user goes through it: every command
// of every window, random answers to every box, good and broken files, windows of any size.
// After each action the walk checks what the windows show against the document, that nothing
// the user accepted was lost unasked and that the open studies show the current document; it
// times every action. One seed gives one walk: a failing seed replays exactly.

#include "app/qt/application_varlem.h"
#include "app/qt/plateforme_scriptee.h"
#include "document/textes_construits.h"
#include "studies/placement_fenetres.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

class QWidget;

namespace varlem {
class dialogue_saisie;
class fenetre_etude;
} // namespace varlem

namespace varlem::test {

/// The walk's random source: one seed, one sequence of draws.
class hasard {
  public:
    explicit hasard(std::uint64_t graine) : g_(graine) {}
    /// Uniform integer in a..b.
    int entier(int a, int b) { return std::uniform_int_distribution<int>(a, b)(g_); }
    /// True with probability p.
    bool pile(double p) { return std::uniform_real_distribution<double>(0, 1)(g_) < p; }
    /// One element of a non-empty list.
    template <typename T> const T& parmi(const std::vector<T>& v) {
        return v[static_cast<std::size_t>(entier(0, static_cast<int>(v.size()) - 1))];
    }
    /// A raw draw, to seed another generator.
    std::uint64_t brut() { return g_(); }

  private:
    std::mt19937_64 g_;
};

/// One timed action.
struct duree_action {
    double ms = 0;
    long rang = 0;
    std::string nom;
};

/// Times the actions. An action's time leaves out the actions nested in it (the steps taken in
/// a dialog it opened) and the user's typing, which are timed on their own or not at all.
class chronometrage {
  public:
    /// Starts timing an action; `compte` false times a step that is left out of every figure.
    void commencer(std::string nom, long rang, bool compte = true);
    /// Ends the innermost action started, named by what it turned out to do.
    void finir(const std::string& nom = {});
    /// The five slowest actions, slowest first.
    const std::vector<duree_action>& plus_lentes() const { return lentes_; }
    /// Every action over the budget.
    const std::vector<duree_action>& hors_budget() const { return hors_budget_; }
    /// The longest an action may take, in milliseconds.
    double budget_ms = 250;

  private:
    using horloge = std::chrono::steady_clock;
    struct en_cours {
        horloge::time_point debut;
        horloge::duration exclu{};
        std::string nom;
        long rang;
        bool compte;
    };
    std::vector<en_cours> pile_;
    std::vector<duree_action> lentes_;
    std::vector<duree_action> hors_budget_;
};

/// A system file offered to the open picker, and whether it must read without error.
struct fichier_offert {
    QString chemin;
    /// True: it must be read; false: it must be refused; nothing: either.
    std::optional<bool> lisible;
    /// Letter its functions were typed with (a file reads with the current letter).
    char lettre = 'p';
};

/// The user's system as "Annuler" brings it back: its functions' texts and its letter.
struct textes_systeme {
    std::vector<textes_fdt> fonctions;
    char lettre = 'p';
};

/// The walk over one application, recreated when the user quits.
class marche_aleatoire {
  public:
    /// A walk drawn from `graine`, its files in `dossier` (an empty folder).
    marche_aleatoire(std::uint64_t graine, const QString& dossier);
    ~marche_aleatoire();
    marche_aleatoire(const marche_aleatoire&) = delete;
    marche_aleatoire& operator=(const marche_aleatoire&) = delete;

    /// Runs actions until `n` were done, nested ones included, or until a check fails.
    void marcher(long n);
    /// Actions done so far.
    long actions_faites() const { return rang_; }
    /// The timing of every action.
    const chronometrage& temps() const { return chrono_; }
    /// A digest of every action and of the document after it: one seed, one digest.
    std::uint64_t empreinte() const { return empreinte_; }
    /// The last actions, oldest first, for the report of a failure.
    std::string derniers_pas() const;
    /// Every action is printed as it is done.
    bool bavard = false;

  private:
    struct action {
        const char* nom;
        int poids;
        std::function<bool()> possible;
        std::function<void()> faire;
    };

    // marche_aleatoire.cpp: the engine, the answers, the files, the model of the user's work.
    void demarrer_application();
    void preparer_fichiers();
    void preparer_reponses();
    void pas();
    void executer(const std::string& nom, const std::function<void()>& faire);
    /// A step taken inside a dialog that an action opened: timed and counted on its own.
    void etape(const std::string& nom, const std::function<void()>& faire, bool verifier = false);
    void noter(const std::string& detail);
    void fin_de_pas();
    void declarer_actions();
    void declarer_actions_principales();
    void declarer_actions_fenetres();
    void suivre_fichiers();
    bool perte_permise(const std::vector<textes_fdt>& actuel) const;
    /// Checks the user's functions `actuel` after an action against what it allowed.
    void suivre_modele(const std::vector<textes_fdt>& actuel);
    void quitter(bool par_menu);

    // marche_systeme.cpp: the system window, the entry dialog, the loop and the templates.
    void declarer_actions_systeme();
    /// Drives the open entry dialog: texts typed, "OK" until accepted or given up; the texts
    /// accepted.
    std::optional<textes_fdt> saisir_fonction(dialogue_saisie& d);
    void taper_texte(QWidget* boite, const std::string& texte);
    std::string texte_fonction();
    /// A delay as a user types it: good, zero, negative or unreadable.
    std::string texte_retard_tape();
    void deplacer_curseur(const QString& nom);
    void choisir_gabarit_menu();

    // marche_etudes.cpp: the study windows, their readouts, the periodic dialog and settings.
    void declarer_actions_etudes();
    void regler_dans_dialogue();
    void saisir_periodique();
    void glisser_sur(const QString& fenetre, bool bouton_gauche);
    std::optional<QString> valeur_aleatoire();

    // marche_cours.cpp: the course's settings driven in the dialog, and their readout rows.
    void declarer_actions_cours();
    void regler_cours();
    void verifier_lecture_cours();

    // marche_bureau.cpp: undo and redo, the recent files, printing, the "Fe&nêtre" menu, and
    // the history and the windows' places checked.
    void declarer_actions_bureau();
    /// The user's system as texts; nothing while a template is studied.
    std::optional<textes_systeme> textes_utilisateur() const;
    /// After an action: the step it left to undo, if it changed the user's system.
    void suivre_historique(const std::optional<textes_systeme>& avant);
    /// A new session: nothing to undo, nothing saved, no window shown yet.
    void oublier_historique();
    void deplacer_historique(bool en_arriere);
    void choisir_recent();
    void imprimer(fenetre_etude& f);
    void choisir_fenetre();
    void verifier_historique();
    void verifier_places();
    /// The places the windows were left at when the last session ended.
    void retenir_places();

    // marche_invariants.cpp: what must hold after every action.
    void verifier();
    void verifier_compteurs();
    void verifier_etiquettes();
    void verifier_boucle();
    void verifier_etudes();
    void verifier_traces();
    void verifier_nombres_montres();
    void verifier_copies();
    void constater(bool vrai, const std::string& quoi);

    hasard h_;
    QString dossier_;
    std::unique_ptr<plateforme_scriptee> plat_;
    std::unique_ptr<application_varlem> app_;
    std::vector<action> actions_;
    std::vector<fichier_offert> fichiers_;
    std::vector<QString> cibles_;
    chronometrage chrono_;

    long rang_ = 0;
    long limite_ = 0;
    bool en_echec_ = false;
    // The user quit: the walk starts a new session once the action is checked.
    bool session_finie_ = false;
    std::uint64_t empreinte_ = 1469598103934665603ull;
    std::string detail_;
    std::deque<std::string> journal_;

    // The user's work as the walk knows it: the functions accepted, and whether they are in a
    // file (saved or read since last changed).
    std::vector<textes_fdt> modele_;
    bool modele_enregistre_ = true;
    // What the action under way expects of the user's functions, when it changes them.
    std::optional<std::vector<textes_fdt>> attendu_;
    // The answers and files the action under way was given.
    std::vector<reponse> reponses_donnees_;
    std::optional<QString> cible_donnee_;
    std::optional<fichier_offert> fichier_donne_;
    std::optional<QString> fichier_depose_;
    // The last drawing and text copied, checked once after each action.
    int copies_dessin_vues_ = 0;

    // The steps "Annuler" and "Rétablir" go through, as the walk expects them.
    std::vector<textes_systeme> a_annuler_;
    std::vector<textes_systeme> a_retablir_;
    // The texts last saved or read: undoing back to them leaves nothing to save.
    std::vector<textes_fdt> textes_enregistres_;
    // The action under way moved the history itself, and what it left to save.
    bool historique_deplace_ = false;
    std::optional<bool> enregistre_apres_;
    // The windows shown in this session, and where the last one had left them.
    std::vector<QWidget*> deja_montrees_;
    std::map<QWidget*, std::optional<rectangle_ecran>> memoire_de_session_;
};

} // namespace varlem::test
