#include "studies/qt/fenetres_possedees.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace varlem {

Qt::WindowFlags drapeaux_fenetre_possedee() {
    // X11 window managers keep a window above its owner only when it says it is a dialog.
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
}

std::vector<QWidget*> fenetres_visibles(const QWidget& proprietaire) {
    std::vector<QWidget*> v;
    for (QWidget* w : proprietaire.findChildren<QWidget*>()) {
        if (!w->isWindow() || !w->isVisible() || w->isModal()) continue;
        const Qt::WindowType genre = w->windowType();
        if (genre == Qt::Window || genre == Qt::Dialog || genre == Qt::Tool) v.push_back(w);
    }
    return v;
}

void amener_devant(QWidget& fenetre) {
    if (fenetre.isMinimized()) fenetre.setWindowState(fenetre.windowState() & ~Qt::WindowMinimized);
    fenetre.show();
    fenetre.raise();
    fenetre.activateWindow();
}

rectangle_ecran rectangle_de(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

QRect rect_de(const rectangle_ecran& r) {
    return {r.x, r.y, r.largeur, r.hauteur};
}

std::vector<rectangle_ecran> ecrans_disponibles() {
    std::vector<rectangle_ecran> v;
    const QScreen* premier = QGuiApplication::primaryScreen();
    if (premier) v.push_back(rectangle_de(premier->availableGeometry()));
    for (const QScreen* e : QGuiApplication::screens())
        if (e != premier) v.push_back(rectangle_de(e->availableGeometry()));
    return v;
}

QMargins bords_cadre(const QWidget& fenetre) {
    const QRect dedans = fenetre.geometry(), dehors = fenetre.frameGeometry();
    const QMargins m(dedans.left() - dehors.left(), dedans.top() - dehors.top(),
                     dehors.right() - dedans.right(), dehors.bottom() - dedans.bottom());
    // A frame the window manager has not drawn yet, or a nonsense one, counts as none.
    if (m.left() < 0 || m.top() < 0 || m.right() < 0 || m.bottom() < 0 || m.top() > 200) return {};
    return m;
}

void poser_cadre(QWidget& fenetre, const rectangle_ecran& cadre, const QMargins& bords) {
    // The content's place, which Qt keeps whether the native window exists yet or not (a
    // frame's position is taken for the content's until the frame is known).
    fenetre.setGeometry(cadre.x + bords.left(), cadre.y + bords.top(),
                        std::max(1, cadre.largeur - bords.left() - bords.right()),
                        std::max(1, cadre.hauteur - bords.top() - bords.bottom()));
}

} // namespace varlem
