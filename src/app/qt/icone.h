#pragma once
// The program's icon, drawn as SVG and embedded in the application's resources.

#include <QIcon>

namespace varlem {

/// Resource path of the program's icon.
inline constexpr const char* chemin_icone_programme = ":/varlem/varlem.svg";

/// The program's icon, usable at any size (the resources are registered on first call).
QIcon icone_programme();

} // namespace varlem
