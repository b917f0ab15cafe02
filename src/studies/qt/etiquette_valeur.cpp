#include "studies/qt/etiquette_valeur.h"

namespace varlem {

QString nom_avec_valeur(const QString& legende, const QString& valeur) {
    QString v = valeur.trimmed();
    v.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    v.replace(QLatin1Char('\n'), QStringLiteral(", "));
    if (v.isEmpty()) return legende;
    if (legende.isEmpty()) return v;
    return legende + QLatin1Char(' ') + v;
}

void nommer_valeur(QWidget* w, const QString& legende, const QString& valeur) {
    w->setAccessibleName(nom_avec_valeur(legende, valeur));
}

etiquette_valeur::etiquette_valeur(const QString& legende, QWidget* parent)
    : QLabel(parent), legende_(legende) {
    setObjectName(legende_);
    nommer_valeur(this, legende_, QString());
}

void etiquette_valeur::setText(const QString& valeur) {
    QLabel::setText(valeur);
    nommer_valeur(this, legende_, valeur);
}

void etiquette_valeur::changer_legende(const QString& legende) {
    legende_ = legende;
    nommer_valeur(this, legende_, text());
}

} // namespace varlem
