#pragma once
// What every window of the application is handed: the one system, the one set of settings,
// the desktop's services and the commands that reach all studies.

#include "analysis/periodique.h"
#include "document/gain_lieu.h"
#include "document/systeme.h"
#include "settings/rafraichissement.h"
#include "settings/reglages.h"
#include "studies/qt/plateforme.h"

#include <functional>
#include <optional>

class QWidget;

namespace varlem {

/// The application-wide commands a window may run after a document operation.
class pilote_etudes {
  public:
    virtual ~pilote_etudes() = default;

    /// Redraws every opened study, deriving scales again and recomputing the curves as asked.
    virtual void rafraichir_etudes(bool reprendre_echelles, bool recalculer) = 0;
    /// Enables the study commands of every window once the system holds functions.
    virtual void activer_commandes() = 0;
    /// Runs a long computation, which reports its progress to the callback it is given; the
    /// application shows it in its progress window.
    /// The loop was closed or opened, or a template chosen: the main window's file and
    /// settings commands and the studies' captions follow.
    virtual void changer_mode() {}
    /// The save question before the system is replaced: false when the command must stop.
    virtual bool demander_enregistrement() { return true; }
    /// The time window's outer width while it is visible.
    virtual std::optional<int> largeur_fenetre_temps() const { return std::nullopt; }
    /// P was set from the root locus: the P slider shows its new position and labels (its
    /// handler is not run) and the closed-loop text follows; the refresh is the caller's.
    virtual void montrer_gain_lieu(const reglage_gain_lieu&) {}
    virtual void
    calculer_avec_attente(const std::function<void(const rapport_progression&)>& calcul) {
        calcul({});
    }

    /// Runs a change of the user's functions or of the variable letter so that "Annuler" can
    /// undo it (the change itself runs as it would alone).
    virtual void changer_systeme(const std::function<void()>& changement) { changement(); }
    /// A study window about to be shown for the first time in this run: where it goes.
    virtual void placer_fenetre_etude(QWidget& fenetre) { (void)fenetre; }

    /// Runs the refresh an operation asks for (nothing when it asks for none).
    void executer(const rafraichissement& r) {
        if (r.a_faire) rafraichir_etudes(r.reprendre_echelles, r.recalculer);
    }
};

/// The state and services shared by the windows, owned by the application.
struct contexte_fenetres {
    systeme& sys;
    reglages& reg;
    plateforme& plat;
    pilote_etudes& pilote;
};

} // namespace varlem
