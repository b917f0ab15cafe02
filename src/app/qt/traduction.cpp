#include "app/qt/traduction.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace varlem {

namespace {

// Marks the translators this module puts into the application, to find them again.
const char* const nom_traducteur = "varlem_traduction_qt";

} // namespace

bool installer_traduction_francaise(QCoreApplication& app) {
    retirer_traduction_francaise(app);
    const QLocale francais(QLocale::French, QLocale::France);
    QLocale::setDefault(francais);
    const QString dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool trouve = false;
    for (const char* catalogue : {"qtbase", "qt"}) {
        auto* t = new QTranslator(&app);
        t->setObjectName(QString::fromLatin1(nom_traducteur));
        if (t->load(francais, QString::fromLatin1(catalogue), QStringLiteral("_"), dossier) &&
            QCoreApplication::installTranslator(t)) {
            trouve = true;
        } else {
            delete t;
        }
    }
    return trouve;
}

void retirer_traduction_francaise(QCoreApplication& app) {
    const auto traducteurs = app.findChildren<QTranslator*>(QString::fromLatin1(nom_traducteur),
                                                            Qt::FindDirectChildrenOnly);
    for (QTranslator* t : traducteurs) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

} // namespace varlem
