#include "studies/qt/commandes_qt.h"

#include "studies/qt/icones_commandes.h"

namespace varlem {

QAction* nouvelle_commande(QObject* proprietaire, const QString& texte, const QString& infobulle,
                           const QString& statut, const QString& icone) {
    auto* a = new QAction(texte, proprietaire);
    a->setToolTip(infobulle);
    a->setStatusTip(statut.isEmpty() ? infobulle : statut);
    if (!icone.isEmpty()) a->setIcon(icone_commande(icone));
    return a;
}

} // namespace varlem
