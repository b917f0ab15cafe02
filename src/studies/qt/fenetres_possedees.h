#pragma once
// The windows the main window owns (the system window, the study windows, their readouts, the
// help): their frame, kept above the main window by the window manager, the list of those on
// screen, and their geometry on the desktop as the placement rules see it.

#include "studies/placement_fenetres.h"

#include <QMargins>
#include <QRect>

#include <vector>

class QWidget;

namespace varlem {

/// The flags of a window owned by the main window: a dialog's, which window managers keep
/// above its owner, with the caption and the minimise, maximise and close buttons of an
/// ordinary window. A child of the main window with these flags is transient for it from its
/// first showing: Qt makes it so when it creates the native window, the main window being
/// shown first. (A native window created before it is shown would take a frame's position for
/// its content's: they are left to their first showing.)
Qt::WindowFlags drapeaux_fenetre_possedee();

/// The windows under `proprietaire` that the user sees as windows of their own (shown, not
/// menus, not modal dialogs), in the order they were created, a readout after its study.
std::vector<QWidget*> fenetres_visibles(const QWidget& proprietaire);

/// Brings a window back from minimised, shows it and gives it the focus.
void amener_devant(QWidget& fenetre);

/// A Qt rectangle as the placement rules take it, and back.
rectangle_ecran rectangle_de(const QRect& r);
QRect rect_de(const rectangle_ecran& r);

/// The available rectangles of the screens, the primary one first.
std::vector<rectangle_ecran> ecrans_disponibles();

/// The margins the window manager's frame adds around the window's content (none while the
/// window has not been shown).
QMargins bords_cadre(const QWidget& fenetre);

/// Places a window so that its frame, `bords` around its content, fills `cadre`.
void poser_cadre(QWidget& fenetre, const rectangle_ecran& cadre, const QMargins& bords);

} // namespace varlem
