#pragma once
// The core's texts as Qt shows them: plain, and with one line feed per line.

#include <QString>

#include <string>

namespace varlem {

/// A text of the core as Qt shows it.
inline QString texte_qt(const std::string& texte) {
    return QString::fromStdString(texte);
}

/// A text of the core (CR LF line ends) with one line feed per line, as a text box wants it.
inline QString lignes_affichees(const std::string& texte) {
    return texte_qt(texte).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace varlem
