// The application on the desktop: the windows the main window owns, its "Fe&nêtre" menu, where
// a study window first opens, what is remembered from one run to the next, the recent files,
// "Annuler" and "Rétablir", the settings in closed loop and printing.
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_aide.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/marche_outils.h"
#include "app/qt/memoire_bureau.h"
#include "document/qt/banc_saisie.h"
#include "studies/qt/dialogue_lecture_frequentielle.h"
#include "studies/qt/fenetre_decomposition.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_poles_zeros.h"
#include "studies/qt/fenetre_temporelle.h"
#include "studies/qt/fenetres_possedees.h"
#include "studies/qt/image_trace.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>

namespace varlem {
namespace {

using test::cliquer;
using test::controle;

class Bureau : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dossier.isValid());
        demarrer();
    }

    void demarrer() {
        app.reset();
        app = std::make_unique<application_varlem>(plat);
        app->principale().show();
    }

    // Quits through the main window's close box, answering "Non" to a save question.
    void quitter() {
        plat.reponses = {reponse::non};
        ASSERT_TRUE(app->principale().close());
    }

    QString fichier(const QString& nom, const QByteArray& contenu) {
        const QString chemin = dossier.filePath(nom);
        QFile f(chemin);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenu);
        return chemin;
    }

    // Opens through the "&Systeme" menu, answering `r` to a save question.
    void ouvrir(const QString& chemin, reponse r = reponse::non) {
        plat.reponses = {r};
        plat.ouvertures = {chemin};
        actions().menu_ouvrir->trigger();
    }

    const actions_principales& actions() { return app->principale().actions(); }
    fenetre_systeme& systeme_w() { return app->fenetre_fonctions(); }

    // The entries of a menu once the user opens it, without separators.
    static QList<QAction*> entrees(QMenu* m) {
        emit m->aboutToShow();
        QList<QAction*> v;
        for (QAction* a : m->actions())
            if (!a->isSeparator()) v << a;
        return v;
    }
    QMenu* menu(const QString& titre) {
        for (QAction* a : app->principale().menuBar()->actions())
            if (a->text() == titre) return a->menu();
        return nullptr;
    }

    // "Nouvelle" with num over den typed and accepted.
    void taper(const QString& num, const QString& den) {
        EXPECT_TRUE(test::avec_dialogue([&] { cliquer(&systeme_w(), QStringLiteral("Nouvelle")); },
                                        [&](dialogue_saisie& d) { test::entrer(&d, num, den); }));
    }
    // "Modifier" with num over den.
    void modifier(const QString& num, const QString& den) {
        EXPECT_TRUE(test::avec_dialogue([&] { cliquer(&systeme_w(), QStringLiteral("Modifier")); },
                                        [&](dialogue_saisie& d) { test::entrer(&d, num, den); }));
    }
    // The user's denominators, in order.
    QStringList denominateurs() {
        QStringList v;
        const systeme& s = app->document();
        for (int k = 1; k <= s.nb_fonctions; ++k)
            v << QString::fromStdString(
                s.fonctions[static_cast<std::size_t>(k)].fonction.texte_den);
        return v;
    }

    test::plateforme_scriptee plat;
    std::unique_ptr<application_varlem> app;
    QTemporaryDir dossier;
};

const QByteArray deux_fonctions = "2\r\n1\r\n1+p\r\n2\r\n1+3p+p^2\r\n";

TEST_F(Bureau, LesReglagesDuBureauNeSontPasCeuxDeLUtilisateur) {
    const QString lieu = QSettings().fileName();
    EXPECT_TRUE(lieu.startsWith(QDir::tempPath())) << lieu.toStdString();
    EXPECT_FALSE(lieu.contains(QStringLiteral("/.config/"))) << lieu.toStdString();
}

TEST_F(Bureau, UneIconeEtSonTexteSurChaqueCommande) {
    std::vector<QToolBar*> barres = {app->principale().barre()};
    std::vector<QWidget*> fenetres = {&systeme_w()};
    for (fenetre_etude* f : app->etudes()) fenetres.push_back(f);
    for (QWidget* w : fenetres)
        for (QToolBar* b : w->findChildren<QToolBar*>()) barres.push_back(b);
    int vues = 0;
    for (QToolBar* b : barres) {
        SCOPED_TRACE(b->accessibleName().toStdString());
        // The caption stays under the icon.
        EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        for (QAction* a : b->actions()) {
            if (a->isSeparator()) continue;
            ++vues;
            EXPECT_FALSE(a->icon().isNull()) << a->text().toStdString();
            EXPECT_FALSE(a->text().isEmpty());
            // The hints stay the tooltips and the status texts.
            EXPECT_FALSE(a->toolTip().isEmpty()) << a->text().toStdString();
            EXPECT_FALSE(a->statusTip().isEmpty()) << a->text().toStdString();
        }
    }
    EXPECT_GT(vues, 40);
}

TEST_F(Bureau, FenetresPossedeesParLaPrincipale) {
    app->ouvrir_fichier(fichier(QStringLiteral("s.fdt"), deux_fonctions));
    // Each shown as the user shows it.
    actions().entree->trigger();
    plat.reponses.clear();
    app->ouvrir_fichier(fichier(QStringLiteral("s.fdt"), deux_fonctions));
    for (fenetre_etude* f : app->etudes()) f->commande()->trigger();
    actions().syntaxe->trigger();
    const QWindow* principale = app->principale().windowHandle();
    ASSERT_NE(principale, nullptr);
    std::vector<QWidget*> possedees = {&systeme_w(), &app->aide()};
    for (fenetre_etude* f : app->etudes()) possedees.push_back(f);
    for (QWidget* w : possedees) {
        SCOPED_TRACE(w->windowTitle().toStdString());
        ASSERT_NE(w->windowHandle(), nullptr);
        EXPECT_EQ(w->windowHandle()->transientParent(), principale);
        // A dialog to the window manager, which keeps it above its owner, yet with the buttons
        // of an ordinary window.
        EXPECT_EQ(w->windowType(), Qt::Dialog);
        if (w != &app->aide()) {
            EXPECT_TRUE(w->windowFlags().testFlags(Qt::WindowMinMaxButtonsHint |
                                                   Qt::WindowCloseButtonHint));
        }
    }
    // A readout stays above its study window, itself above the main window.
    app->frequentielle().commande()->trigger();
    ASSERT_TRUE(cliquer(&app->frequentielle(), QStringLiteral("Gain")));
    ASSERT_TRUE(cliquer(&app->frequentielle(), QStringLiteral("Valeurs")));
    QWindow* lecture = app->frequentielle().lecture().windowHandle();
    ASSERT_NE(lecture, nullptr);
    EXPECT_EQ(lecture->transientParent(), app->frequentielle().windowHandle());
    // Maximising the main window again, as "Parametres" does, leaves them shown.
    app->principale().showMaximized();
    EXPECT_TRUE(app->frequentielle().isVisible());
    EXPECT_TRUE(app->frequentielle().lecture().isVisible());
}

TEST_F(Bureau, MenuFenetreListeEtAmeneDevant) {
    app->ouvrir_fichier(fichier(QStringLiteral("s.fdt"), deux_fonctions));
    actions().entree->trigger();
    plat.reponses.clear();
    app->ouvrir_fichier(fichier(QStringLiteral("s.fdt"), deux_fonctions));
    app->frequentielle().commande()->trigger();
    app->frequentielle().showMinimized();
    QMenu* m = menu(QStringLiteral("Fe&nêtre"));
    ASSERT_NE(m, nullptr);
    QStringList titres;
    QAction* frequentielle = nullptr;
    for (QAction* a : entrees(m)) {
        titres << a->text();
        if (a->text() == app->frequentielle().windowTitle()) frequentielle = a;
    }
    EXPECT_TRUE(titres.contains(QStringLiteral("Entree de la fonction de transfert")));
    EXPECT_TRUE(titres.contains(QStringLiteral("&Cascade")));
    // Only the windows the user can see: the time study was never opened.
    EXPECT_FALSE(titres.contains(app->temporelle().windowTitle()));
    ASSERT_NE(frequentielle, nullptr);
    frequentielle->trigger();
    EXPECT_TRUE(app->frequentielle().isVisible());
    EXPECT_FALSE(app->frequentielle().isMinimized());
}

TEST_F(Bureau, PremiereOuvertureACoteDuSystemeEnsuiteOuLUtilisateurLaMise) {
    app->ouvrir_fichier(fichier(QStringLiteral("s.fdt"), deux_fonctions));
    actions().entree->trigger();
    plat.reponses.clear();
    app->ouvrir_fichier(fichier(QStringLiteral("s.fdt"), deux_fonctions));
    const QRect ecran = QGuiApplication::primaryScreen()->availableGeometry();
    systeme_w().resize(ecran.width() / 3, ecran.height() / 3);
    systeme_w().move(ecran.topLeft());
    fenetre_decomposition& d = app->decomposition();
    d.resize(ecran.width() / 2, ecran.height() / 2);
    d.commande()->trigger();
    const QRect place = d.frameGeometry();
    // On the screen, beside the system window, which it leaves uncovered.
    EXPECT_TRUE(ecran.contains(place)) << place.x() << "," << place.y();
    EXPECT_FALSE(place.intersects(systeme_w().frameGeometry()));
    EXPECT_EQ(d.size(), QSize(ecran.width() / 2, ecran.height() / 2));
    // A second study goes where the first one is not.
    fenetre_poles_zeros& pz = app->poles_zeros();
    pz.resize(ecran.width() / 3, ecran.height() / 3);
    pz.commande()->trigger();
    EXPECT_TRUE(ecran.contains(pz.frameGeometry()));
    EXPECT_FALSE(pz.frameGeometry().intersects(place));
    EXPECT_FALSE(pz.frameGeometry().intersects(systeme_w().frameGeometry()));
    // Moved by the user, closed and opened again: it stays where the user put it.
    d.move(ecran.topLeft() + QPoint(40, 30));
    d.close();
    d.commande()->trigger();
    EXPECT_EQ(d.pos(), ecran.topLeft() + QPoint(40, 30));
}

TEST_F(Bureau, PlacesRetrouveesAuLancementSuivantSiEllesTiennent) {
    app->ouvrir_fichier(fichier(QStringLiteral("s.fdt"), deux_fonctions));
    app->decomposition().commande()->trigger();
    const QRect ecran = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect place(ecran.topLeft() + QPoint(30, 20), QSize(300, 200));
    app->decomposition().setGeometry(place);
    const QRect cadre = app->decomposition().frameGeometry();
    app->principale().showNormal();
    app->principale().setGeometry(QRect(ecran.topLeft() + QPoint(10, 10), QSize(500, 400)));
    quitter();

    demarrer();
    app->ouvrir_fichier(fichier(QStringLiteral("s.fdt"), deux_fonctions));
    app->decomposition().commande()->trigger();
    EXPECT_EQ(app->decomposition().frameGeometry(), cadre);
    app->montrer();
    EXPECT_FALSE(app->principale().isMaximized());
    EXPECT_EQ(app->principale().geometry().size(), QSize(500, 400));

    // A place off every screen (a screen since unplugged) is not restored.
    QSettings().setValue(QStringLiteral("fenetres/fenetre_decomposition/cadre"),
                         QRect(ecran.right() + 2000, 0, 300, 200));
    QSettings().setValue(QStringLiteral("principale/cadre"), QRect(-5000, 0, 500, 400));
    QSettings().setValue(QStringLiteral("principale/agrandie"), false);
    demarrer();
    app->ouvrir_fichier(fichier(QStringLiteral("s.fdt"), deux_fonctions));
    app->decomposition().commande()->trigger();
    EXPECT_TRUE(ecran.contains(app->decomposition().frameGeometry()));
    app->montrer();
    EXPECT_TRUE(app->principale().isMaximized());
    EXPECT_TRUE(ecran.contains(app->principale().geometry()));
}

TEST_F(Bureau, FichiersRecents) {
    const QString a = fichier(QStringLiteral("a.fdt"), "1\r\n1\r\n1+p\r\n");
    const QString b = fichier(QStringLiteral("b.fdt"), "1\r\n1\r\n1+2p\r\n");
    QMenu* recents = actions().recents;
    EXPECT_FALSE(recents->isEnabled()) << "nothing read yet";
    ouvrir(a);
    ouvrir(b);
    plat.enregistrements = {dossier.filePath(QStringLiteral("c"))};
    actions().menu_enregistrer->trigger();
    ASSERT_TRUE(plat.erreurs.isEmpty());
    EXPECT_TRUE(recents->isEnabled());
    QStringList vus;
    for (QAction* x : entrees(recents)) vus << x->text();
    EXPECT_EQ(vus, (QStringList{"&1 c.fdt", "&2 b.fdt", "&3 a.fdt"}));

    // Chosen, a recent file goes through the save question as "Ouvrir" does.
    taper(QStringLiteral("1"), QStringLiteral("1+5p"));
    plat.reponses = {reponse::annuler};
    entrees(recents).at(2)->trigger();
    EXPECT_EQ(plat.questions.size(), 1);
    EXPECT_EQ(denominateurs().back(), QStringLiteral("1+5p"));
    plat.reponses = {reponse::non};
    entrees(recents).at(2)->trigger();
    EXPECT_EQ(denominateurs(), QStringList{QStringLiteral("1+p")});
    EXPECT_EQ(entrees(recents).at(0)->text(), QStringLiteral("&1 a.fdt"));
    // Not over a closed loop, as "Ouvrir".
    ASSERT_TRUE(cliquer(&systeme_w(), QStringLiteral("Bouclage")));
    EXPECT_FALSE(recents->isEnabled());
    ASSERT_TRUE(cliquer(&systeme_w(), QStringLiteral("Fdt seule")));
    EXPECT_TRUE(recents->isEnabled());

    // Kept for the next run; a file gone gives the error box and leaves the list.
    quitter();
    ASSERT_TRUE(QFile::remove(b));
    demarrer();
    plat.erreurs.clear();
    QList<QAction*> liste = entrees(actions().recents);
    ASSERT_EQ(liste.size(), 3);
    EXPECT_EQ(liste.at(2)->text(), QStringLiteral("&3 b.fdt"));
    liste.at(2)->trigger();
    EXPECT_EQ(plat.erreurs.size(), 1);
    vus.clear();
    for (QAction* x : entrees(actions().recents)) vus << x->text();
    EXPECT_EQ(vus, (QStringList{"&1 a.fdt", "&2 c.fdt"}));
}

TEST_F(Bureau, AnnulerEtRetablirLesChangementsDuSysteme) {
    actions().entree->trigger();
    EXPECT_FALSE(actions().annuler->isEnabled());
    EXPECT_FALSE(actions().retablir->isEnabled());
    EXPECT_EQ(actions().annuler->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(actions().retablir->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    taper(QStringLiteral("1"), QStringLiteral("1+p"));
    taper(QStringLiteral("1"), QStringLiteral("1+2p"));
    modifier(QStringLiteral("3"), QStringLiteral("1+4p"));
    ASSERT_TRUE(cliquer(&systeme_w(), QStringLiteral("Supprimer")));
    EXPECT_EQ(denominateurs(), QStringList{QStringLiteral("1+p")});
    const std::vector<QStringList> etats = {{"1+p", "1+4p"}, {"1+p", "1+2p"}, {"1+p"}, {}};
    for (const QStringList& e : etats) {
        ASSERT_TRUE(actions().annuler->isEnabled());
        actions().annuler->trigger();
        EXPECT_EQ(denominateurs(), e);
        EXPECT_EQ(test::texte_boite(&systeme_w(), QStringLiteral("Dénominateur")),
                  e.isEmpty() ? QStringLiteral("1") : e.at(app->document().fonction_courante - 1));
    }
    EXPECT_FALSE(actions().annuler->isEnabled());
    // Back to nothing: as after emptying, only "Nouvelle" and the letter offered.
    EXPECT_TRUE(test::actif(&systeme_w(), QStringLiteral("Nouvelle")));
    EXPECT_FALSE(test::actif(&systeme_w(), QStringLiteral("Supprimer")));
    EXPECT_FALSE(app->frequentielle().commande()->isEnabled());
    for (auto it = etats.rbegin() + 1; it != etats.rend(); ++it) {
        actions().retablir->trigger();
        EXPECT_EQ(denominateurs(), *it);
    }
    actions().retablir->trigger();
    EXPECT_EQ(denominateurs(), QStringList{QStringLiteral("1+p")});
    EXPECT_FALSE(actions().retablir->isEnabled());
    EXPECT_TRUE(app->frequentielle().commande()->isEnabled());
    EXPECT_TRUE(test::actif(&systeme_w(), QStringLiteral("Supprimer")));

    // A new change forgets what could be redone.
    actions().annuler->trigger();
    taper(QStringLiteral("1"), QStringLiteral("1+9p"));
    EXPECT_FALSE(actions().retablir->isEnabled());
}

TEST_F(Bureau, AnnulerUnFichierLuUnSystemeVideEtLEtatEnregistre) {
    const QString f = fichier(QStringLiteral("s.fdt"), deux_fonctions);
    actions().entree->trigger();
    taper(QStringLiteral("1"), QStringLiteral("1+7p"));
    ouvrir(f);
    EXPECT_EQ(denominateurs(), (QStringList{"1+p", "1+3p+p^2"}));
    EXPECT_FALSE(app->document().modifie);
    taper(QStringLiteral("1"), QStringLiteral("1+8p"));
    EXPECT_TRUE(app->document().modifie);
    // Back to the file's texts: nothing to save.
    actions().annuler->trigger();
    EXPECT_FALSE(app->document().modifie);
    // "Entree" empties the system; undoing brings it back.
    plat.reponses = {reponse::non};
    actions().entree->trigger();
    EXPECT_TRUE(denominateurs().isEmpty());
    actions().annuler->trigger();
    EXPECT_EQ(denominateurs(), (QStringList{"1+p", "1+3p+p^2"}));
    EXPECT_FALSE(app->document().modifie);
    // Undoing the read gives back the typed function, which no file holds.
    actions().annuler->trigger();
    EXPECT_EQ(denominateurs(), QStringList{QStringLiteral("1+7p")});
    EXPECT_TRUE(app->document().modifie);
    // The short-cut, from the system window.
    systeme_w().activateWindow();
    systeme_w().setFocus();
    QTest::keyClick(&systeme_w(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(denominateurs(), (QStringList{"1+p", "1+3p+p^2"}));
}

TEST_F(Bureau, NiAnnulerNiRetablirEnBoucleFermeeOuSurUnGabarit) {
    actions().entree->trigger();
    taper(QStringLiteral("1"), QStringLiteral("1+p"));
    taper(QStringLiteral("1"), QStringLiteral("1+2p"));
    actions().annuler->trigger();
    ASSERT_TRUE(actions().annuler->isEnabled());
    ASSERT_TRUE(actions().retablir->isEnabled());
    ASSERT_TRUE(cliquer(&systeme_w(), QStringLiteral("Bouclage")));
    EXPECT_FALSE(actions().annuler->isEnabled());
    EXPECT_FALSE(actions().retablir->isEnabled());
    actions().annuler->trigger();
    EXPECT_TRUE(app->document().etudes.boucle_fermee);
    ASSERT_TRUE(cliquer(&systeme_w(), QStringLiteral("Fdt seule")));
    EXPECT_TRUE(actions().annuler->isEnabled());
    EXPECT_TRUE(actions().retablir->isEnabled());
}

TEST_F(Bureau, ReglagesEnBoucleFermee) {
    app->ouvrir_fichier(fichier(QStringLiteral("s.fdt"), "1\r\n1\r\n(1+p)(1+0.5p)\r\n"));
    actions().entree->trigger();
    plat.reponses.clear();
    app->ouvrir_fichier(fichier(QStringLiteral("s.fdt"), "1\r\n1\r\n(1+p)(1+0.5p)\r\n"));
    app->frequentielle().commande()->trigger();
    ASSERT_TRUE(cliquer(&app->frequentielle(), QStringLiteral("Bode")));
    app->temporelle().commande()->trigger();
    ASSERT_TRUE(cliquer(&app->temporelle(), QStringLiteral("Échelon")));
    ASSERT_TRUE(cliquer(&systeme_w(), QStringLiteral("Bouclage")));
    ASSERT_TRUE(actions().parametres->isEnabled());
    EXPECT_FALSE(actions().ouvrir->isEnabled());
    EXPECT_FALSE(actions().enregistrer->isEnabled());
    const auto image = [](QWidget* w) { return w->findChildren<image_trace*>().at(0)->image(); };
    const QImage bode = image(&app->frequentielle()), echelon = image(&app->temporelle());
    bool ouvert = false;
    test::avec_modal<QDialog>(
        [&] { actions().parametres->trigger(); },
        [&](QDialog& d) {
            ouvert = true;
            // The pictures of the closed loop, none of the open one.
            int fermees = 0;
            for (QLabel* l : d.findChildren<QLabel*>()) {
                if (l->accessibleName() == QStringLiteral("Boucle ouverte")) {
                    EXPECT_FALSE(l->isVisibleTo(&d));
                }
                if (l->accessibleName() == QStringLiteral("Boucle fermée") && l->isVisibleTo(&d))
                    ++fermees;
            }
            EXPECT_GE(fermees, 1);
            // The uncorrected responses come at once, behind the dialog.
            auto* c =
                controle<QCheckBox>(&d, QStringLiteral("Afficher rép syst non corr qd bouclage"));
            ASSERT_NE(c, nullptr);
            QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, c->height() / 2));
            EXPECT_TRUE(app->document().etudes.afficher_non_corrige);
            EXPECT_NE(image(&app->frequentielle()), bode);
            EXPECT_NE(image(&app->temporelle()), echelon);
            d.accept();
        });
    EXPECT_TRUE(ouvert);
}

TEST_F(Bureau, ImprimerDansChaqueFenetreDEtude) {
    app->ouvrir_fichier(fichier(QStringLiteral("s.fdt"), deux_fonctions));
    for (fenetre_etude* f : app->etudes()) {
        SCOPED_TRACE(f->windowTitle().toStdString());
        f->commande()->trigger();
        QAction* imprimer = test::commande_de(f, QStringLiteral("Imprimer…"));
        ASSERT_NE(imprimer, nullptr);
        EXPECT_EQ(imprimer->shortcut(), QKeySequence(QKeySequence::Print));
        int fois = 0;
        for (QToolBar* b : f->findChildren<QToolBar*>())
            for (QAction* a : b->actions()) fois += a->text() == QStringLiteral("Imprimer…");
        EXPECT_EQ(fois, 1);
        // Cancelled: nothing printed.
        const int avant = plat.dialogues_impression;
        imprimer->trigger();
        EXPECT_EQ(plat.dialogues_impression, avant + 1);
        const QString pdf = dossier.filePath(cle_fenetre(*f) + QStringLiteral(".pdf"));
        plat.impressions = {pdf};
        imprimer->trigger();
        QFile sortie(pdf);
        ASSERT_TRUE(sortie.open(QIODevice::ReadOnly));
        const QByteArray octets = sortie.readAll();
        EXPECT_TRUE(octets.startsWith("%PDF-"));
        EXPECT_EQ(octets.count("/Type /Page\n") + octets.count("/Type /Page\r"), 1);
        EXPECT_GT(octets.size(), 2000);
    }
}

} // namespace
} // namespace varlem
