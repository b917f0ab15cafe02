#pragma once
// The icons of the commands of the tool bars, drawn as SVG in the application's resources: one
// file a name, in one style (neutral strokes with one accent colour).

#include <QIcon>
#include <QString>
#include <QStringList>

namespace varlem {

/// Resource folder of the command icons.
inline constexpr const char* dossier_icones_commandes = ":/varlem/icones";

/// The icon of a command by its name ("ouvrir", "bode", "annuler"...); a null icon for a name
/// that has none. The resources are registered on first call.
QIcon icone_commande(const QString& nom);
/// Names of every command icon, in alphabetical order.
QStringList noms_icones_commandes();

} // namespace varlem
