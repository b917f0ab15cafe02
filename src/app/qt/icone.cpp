#include "app/qt/icone.h"

// The resources live in a static library: nothing would pull them into the program unless
// registered by name, and the registration macro must stand outside any namespace.
static void enregistrer_ressources() {
    Q_INIT_RESOURCE(varlem);
}

namespace varlem {

QIcon icone_programme() {
    static const bool enregistrees = (enregistrer_ressources(), true);
    (void)enregistrees;
    return QIcon(QString::fromLatin1(chemin_icone_programme));
}

} // namespace varlem
