// Varlem: study of linear time-invariant systems given by their transfer functions.
#include "app/qt/fenetre_principale.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varlem"));
    varlem::fenetre_principale fenetre;
    fenetre.showMaximized();
    return QApplication::exec();
}
