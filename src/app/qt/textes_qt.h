#pragma once
// The core's texts as the text boxes show them.

#include <QString>

#include <string>

namespace varlem {

/// A text of the core (CR LF line ends) with one line feed per line, as a text box wants it.
inline QString lignes_affichees(const std::string& texte) {
    return QString::fromStdString(texte).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace varlem
