#include "app/qt/fenetre_principale.h"

#include <QMdiArea>

namespace varlem {

fenetre_principale::fenetre_principale(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Varlem"));
    auto* cadre = new QMdiArea(this);
    setCentralWidget(cadre);
    resize(1024, 700);
}

} // namespace varlem
