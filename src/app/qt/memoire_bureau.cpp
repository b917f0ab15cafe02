#include "app/qt/memoire_bureau.h"

#include "studies/qt/fenetres_possedees.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QStringList>

#include <string>
#include <vector>

namespace varlem {

namespace {

const QString cle_recents = QStringLiteral("fichiers_recents");
const QString groupe_fenetres = QStringLiteral("fenetres/");
const QString cle_principale = QStringLiteral("principale");

} // namespace

fichiers_recents lire_fichiers_recents() {
    std::vector<std::string> textes;
    for (const QString& t : QSettings().value(cle_recents).toStringList())
        textes.push_back(t.toStdString());
    return fichiers_recents::depuis_textes(textes);
}

void ecrire_fichiers_recents(const fichiers_recents& f) {
    QStringList textes;
    for (const std::string& t : f.en_textes()) textes << QString::fromStdString(t);
    QSettings().setValue(cle_recents, textes);
}

QString cle_fenetre(const QWidget& fenetre) {
    return QString::fromLatin1(fenetre.metaObject()->className()).section(QStringLiteral("::"), -1);
}

std::optional<rectangle_ecran> cadre_memorise(const QString& cle) {
    const QVariant v = QSettings().value(groupe_fenetres + cle + QStringLiteral("/cadre"));
    if (!v.isValid()) return std::nullopt;
    const QRect r = v.toRect();
    if (!r.isValid()) return std::nullopt;
    return rectangle_de(r);
}

void memoriser_cadre(const QString& cle, const QWidget& fenetre) {
    // A minimised window keeps the frame it will come back to.
    const bool normale = !fenetre.isMinimized() && !fenetre.isMaximized();
    const QRect contenu = normale ? fenetre.geometry() : fenetre.normalGeometry();
    const QRect cadre =
        normale ? fenetre.frameGeometry() : contenu.marginsAdded(bords_cadre(fenetre));
    if (!cadre.isValid()) return;
    QSettings s;
    s.setValue(groupe_fenetres + cle + QStringLiteral("/cadre"), cadre);
    s.setValue(groupe_fenetres + cle + QStringLiteral("/contenu"), contenu);
}

bool restaurer_cadre(const QString& cle, QWidget& fenetre) {
    const std::optional<rectangle_ecran> cadre = cadre_memorise(cle);
    const QRect contenu =
        QSettings().value(groupe_fenetres + cle + QStringLiteral("/contenu")).toRect();
    if (!cadre || !contenu.isValid()) return false;
    // The content's place, which Qt keeps whether the native window exists yet or not.
    fenetre.setGeometry(contenu);
    return true;
}

void memoriser_principale(const QMainWindow& principale) {
    QSettings s;
    s.beginGroup(cle_principale);
    const bool agrandie = principale.isMaximized();
    const QRect contenu = agrandie ? principale.normalGeometry() : principale.geometry();
    s.setValue(QStringLiteral("agrandie"), agrandie);
    s.setValue(QStringLiteral("cadre"), agrandie ? contenu.marginsAdded(bords_cadre(principale))
                                                 : principale.frameGeometry());
    s.setValue(QStringLiteral("contenu"), contenu);
    s.setValue(QStringLiteral("etat"), principale.saveState());
}

void montrer_principale(QMainWindow& principale) {
    QSettings s;
    s.beginGroup(cle_principale);
    const QRect cadre = s.value(QStringLiteral("cadre")).toRect();
    const QRect contenu = s.value(QStringLiteral("contenu")).toRect();
    const bool agrandie = s.value(QStringLiteral("agrandie"), true).toBool();
    principale.restoreState(s.value(QStringLiteral("etat")).toByteArray());
    if (cadre.isValid() && contenu.isValid() &&
        geometrie_restaurable(rectangle_de(cadre), ecrans_disponibles())) {
        principale.setGeometry(contenu);
        if (agrandie)
            principale.showMaximized();
        else
            principale.show();
        return;
    }
    // The whole screen even where no window manager maximises the frame.
    if (const QScreen* ecran = QGuiApplication::primaryScreen())
        principale.setGeometry(ecran->availableGeometry());
    principale.showMaximized();
}

} // namespace varlem
