#pragma once
// French texts for Qt's own dialogs and buttons ("Annuler", "Oui", "Non"...).

class QCoreApplication;

namespace varlem {

/// Loads Qt's French catalogues (qtbase_fr, then qt_fr when present) into the application and
/// makes French the default locale. Returns false when no catalogue was found. The program
/// writes its numbers itself, always with ".", so the locale's decimal comma reaches none.
bool installer_traduction_francaise(QCoreApplication& app);

/// Takes out of the application the catalogues that installer_traduction_francaise put in.
void retirer_traduction_francaise(QCoreApplication& app);

} // namespace varlem
