#include "studies/qt/icones_commandes.h"

#include <QDir>
#include <QFile>

// The resources live in a static library: registered by name, outside any namespace.
static void enregistrer_icones() {
    Q_INIT_RESOURCE(icones);
}

namespace varlem {

namespace {

QString chemin_icone(const QString& nom) {
    return QString::fromLatin1(dossier_icones_commandes) + QLatin1Char('/') + nom +
           QStringLiteral(".svg");
}

void enregistrer_une_fois() {
    static const bool enregistrees = (enregistrer_icones(), true);
    (void)enregistrees;
}

} // namespace

QIcon icone_commande(const QString& nom) {
    enregistrer_une_fois();
    const QString chemin = chemin_icone(nom);
    return !nom.isEmpty() && QFile::exists(chemin) ? QIcon(chemin) : QIcon();
}

QStringList noms_icones_commandes() {
    enregistrer_une_fois();
    QStringList noms;
    const QDir dossier(QString::fromLatin1(dossier_icones_commandes));
    for (const QString& f : dossier.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name))
        noms << f.chopped(4);
    return noms;
}

} // namespace varlem
