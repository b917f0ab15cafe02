#pragma once
// The one way the windows build a command: a QAction with its caption, its hint as tooltip and
// status text, and its icon when the command has one.

#include <QAction>
#include <QString>

namespace varlem {

/// A command owned by `proprietaire`: caption `texte`, tooltip `infobulle`, status text
/// `statut` (the tooltip when empty) and the command icon named `icone` (none when empty).
QAction* nouvelle_commande(QObject* proprietaire, const QString& texte, const QString& infobulle,
                           const QString& statut = {}, const QString& icone = {});

} // namespace varlem
