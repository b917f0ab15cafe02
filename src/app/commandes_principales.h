#pragma once
// What the main window's commands allow in each state of the system: a closed loop or a
// template is not a system of its own to open over or to save; the settings apply to both.

#include "document/systeme.h"

namespace varlem {

/// The main window's commands that follow the loop's and the template's state.
struct etat_commandes {
    /// "Ouvrir": no loop closed and no template studied.
    bool ouvrir = true;
    /// "Enregistrer": as "Ouvrir", and a system exists.
    bool enregistrer = false;
    /// "Parametres": a system exists (the loop open or closed, a template studied or not).
    bool parametres = false;
    /// The study commands are enabled by the template study (otherwise they stay as they are).
    bool activer_etudes = false;
};

/// The commands allowed after the loop was closed or opened, or a template chosen.
etat_commandes commandes_du_mode(const systeme& s);

} // namespace varlem
