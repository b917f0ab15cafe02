#pragma once
// What every window of the application is handed: the one system, the one set of settings,
// the desktop's services and the commands that reach all studies.

#include "analysis/periodique.h"
#include "app/qt/plateforme.h"
#include "document/rafraichissement.h"
#include "document/systeme.h"
#include "settings/reglages.h"

#include <functional>

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
    virtual void calculer_avec_attente(
        const std::function<void(const rapport_progression&)>& calcul) {
        calcul({});
    }

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
