// The screenshots of the README, taken as a user sees the application: run under a real display
// with a window manager drawing the title bars (scripts/captures.sh), the test opens a system,
// its studies and then its closed loop, and grabs the whole screen each time. Skipped unless
// VARLEM_CAPTURES names the folder the pictures go to.
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/marche_outils.h"
#include "app/qt/plateforme_scriptee.h"
#include "document/qt/fenetre_systeme.h"
#include "studies/qt/fenetre_decomposition.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_poles_zeros.h"
#include "studies/qt/fenetre_temporelle.h"
#include "studies/qt/fenetres_possedees.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSlider>
#include <QTemporaryDir>
#include <QThread>
#include <QWindow>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace varlem {
namespace {

// Lets the window manager map, frame and place the windows.
void attendre(int ms) {
    QDeadlineTimer fin(ms);
    while (!fin.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
}

void capturer(const QString& chemin) {
    attendre(1500);
    const QPixmap ecran = QGuiApplication::primaryScreen()->grabWindow(0);
    ASSERT_FALSE(ecran.isNull());
    ASSERT_TRUE(ecran.save(chemin));
    std::printf("capture %s (%dx%d)\n", chemin.toLocal8Bit().constData(), ecran.width(),
                ecran.height());
}

// The windows, where Qt and the window manager see them, and whom they belong to.
void lister(application_varlem& app) {
    std::vector<QWidget*> fenetres = fenetres_visibles(app.principale());
    fenetres.insert(fenetres.begin(), &app.principale());
    for (QWidget* w : fenetres) {
        const QRect c = w->frameGeometry(), g = w->geometry();
        std::printf("fenetre %s : cadre %d,%d %dx%d, contenu %d,%d %dx%d\n",
                    w->windowTitle().toUtf8().constData(), c.x(), c.y(), c.width(), c.height(),
                    g.x(), g.y(), g.width(), g.height());
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"),
                    {QStringLiteral("-id"), QString::number(w->winId()),
                     QStringLiteral("WM_TRANSIENT_FOR"), QStringLiteral("_NET_WM_WINDOW_TYPE"),
                     QStringLiteral("_NET_FRAME_EXTENTS")});
        if (xprop.waitForFinished(5000))
            std::printf("    %s",
                        xprop.readAllStandardOutput().replace('\n', "\n    ").constData());
        std::printf("\n");
    }
    std::fflush(stdout);
}

TEST(Captures, BureauEtBoucleFermee) {
    const char* dossier = std::getenv("VARLEM_CAPTURES");
    if (!dossier || !*dossier) GTEST_SKIP() << "VARLEM_CAPTURES unset: no screenshot taken";
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString fichier = temp.filePath(QStringLiteral("exemple.fdt"));
    {
        QFile f(fichier);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("2\r\n1\r\n1+0.6p+p^2\r\n1+0.5p\r\n(1+p)(1+2p)(1+0.1p)\r\n");
    }
    test::plateforme_scriptee plat;
    application_varlem app(plat);
    app.montrer();
    attendre(800);
    app.principale().actions().entree->trigger();
    app.ouvrir_fichier(fichier);
    ASSERT_TRUE(plat.erreurs.isEmpty());
    attendre(800);
    // Sizes a user would give them on this screen; the placement rule puts them.
    app.frequentielle().resize(828, 540);
    app.temporelle().resize(760, 400);
    app.poles_zeros().resize(440, 380);
    app.decomposition().resize(386, 380);
    app.frequentielle().commande()->trigger();
    test::presser(&app.frequentielle(), QStringLiteral("Bode"));
    attendre(500);
    app.temporelle().commande()->trigger();
    test::presser(&app.temporelle(), QStringLiteral("Échelon"));
    attendre(500);
    app.poles_zeros().commande()->trigger();
    attendre(500);
    app.decomposition().commande()->trigger();
    lister(app);
    capturer(QString::fromLocal8Bit(dossier) + QStringLiteral("/bureau.png"));

    // The closed loop of the second function, its gain raised a little.
    app.poles_zeros().close();
    app.decomposition().close();
    for (QAction* a : app.fenetre_fonctions().actions())
        if (a->text() == QStringLiteral("Fonction suivante")) a->trigger();
    test::presser(&app.fenetre_fonctions(), QStringLiteral("Bouclage"));
    for (QSlider* c : app.fenetre_fonctions().findChildren<QSlider*>())
        if (c->accessibleName() == QStringLiteral("Gain P")) c->setValue(c->value() - 40);
    attendre(500);
    // The system window grew for the loop: the step response moved to the room it left, as
    // the user would drag it.
    const QRect frequences = app.frequentielle().frameGeometry();
    app.temporelle().move(frequences.left(), frequences.bottom() + 5);
    lister(app);
    capturer(QString::fromLocal8Bit(dossier) + QStringLiteral("/boucle.png"));
    plat.reponses = {reponse::non};
    app.principale().close();
}

} // namespace
} // namespace varlem
