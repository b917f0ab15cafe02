#pragma once
// What the desktop keeps of Varlem between runs, in the settings store of the organisation and
// application names (QSettings): the recent files, the frames of the windows and the main
// window's state. The study settings are not kept: they last one run.

#include "document/fichiers_recents.h"
#include "studies/placement_fenetres.h"

#include <QString>

#include <optional>

class QMainWindow;
class QWidget;

namespace varlem {

/// The recent files as last kept (empty the first time).
fichiers_recents lire_fichiers_recents();
/// Keeps the recent files for the next runs.
void ecrire_fichiers_recents(const fichiers_recents& f);

/// The key a window is remembered under: its class name without the namespace.
QString cle_fenetre(const QWidget& fenetre);
/// The frame a window had when the program last ended, if it was shown then.
std::optional<rectangle_ecran> cadre_memorise(const QString& cle);
/// Keeps the frame of a window shown in this run, and the place of its content.
void memoriser_cadre(const QString& cle, const QWidget& fenetre);
/// Puts a window's content back where it was; false when nothing was remembered of it.
bool restaurer_cadre(const QString& cle, QWidget& fenetre);

/// Keeps the main window's frame, whether it was maximised, and its tool bars' state.
void memoriser_principale(const QMainWindow& principale);
/// Shows the main window as it was left when its frame fits the screens now, else maximised
/// over the primary screen.
void montrer_principale(QMainWindow& principale);

} // namespace varlem
