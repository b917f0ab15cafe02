// The course's drawings as a user sets them: the "Etude freq" tab's boxes and choices, by click
// and by their letters, change the frequency window's picture; the readout adds its rows, each
// value read aloud with its caption.
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/outils_fenetres.h"
#include "app/qt/plateforme_scriptee.h"
#include "settings/qt/dialogue_reglages.h"
#include "studies/qt/dialogue_lecture_frequentielle.h"
#include "studies/qt/etiquette_valeur.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/image_trace.h"

#include <QFile>
#include <QGroupBox>
#include <QKeySequence>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace varlem {
namespace {

using test::cliquer;
using test::controle;

class CoursFenetres : public ::testing::Test {
  protected:
    void SetUp() override {
        app = std::make_unique<application_varlem>(plat);
        ASSERT_TRUE(dossier.isValid());
        const QString chemin = dossier.filePath(QStringLiteral("cours.fdt"));
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("1\r\n(1+10p)\r\n(p)(1+p)(1+0.1p+0.01p^2)\r\n");
        f.close();
        app->ouvrir_fichier(chemin);
        ASSERT_TRUE(plat.erreurs.isEmpty());
        app->frequentielle().commande()->trigger();
        frq().resize(900, 640);
        QApplication::processEvents();
    }

    fenetre_frequentielle& frq() { return app->frequentielle(); }
    QImage picture(const QString& nom = QStringLiteral("Diagramme fréquentiel")) {
        for (image_trace* i : frq().findChildren<image_trace*>())
            if (i->accessibleName() == nom) return i->image();
        ADD_FAILURE() << "no picture " << nom.toStdString();
        return {};
    }

    /// Opens the settings on the "Etude freq" tab, does `faire` there, then "OK".
    void regler(const std::function<void(dialogue_reglages&)>& faire) {
        EXPECT_TRUE(test::avec_modal<dialogue_reglages>(
            [this] { app->principale().actions().parametres->trigger(); },
            [&](dialogue_reglages& d) {
                QTabBar* barre = d.onglets().tabBar();
                for (int k = 0; k < barre->count(); ++k)
                    if (barre->tabText(k) == QStringLiteral("Etude freq"))
                        QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(k).center());
                faire(d);
                EXPECT_TRUE(cliquer(&d, QStringLiteral("OK")));
            }));
    }

    /// Alt + `lettre` in the dialog; a mnemonic presses its button a moment before the click,
    /// which `fait` sees done.
    static void lettre(dialogue_reglages& d, Qt::Key lettre, const std::function<bool()>& fait) {
        d.activateWindow();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == d.windowHandle(); }));
        QTest::keyClick(&d, lettre, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor(fait))
            << "Alt+" << QKeySequence(lettre).toString().toStdString();
    }

    static void cocher(dialogue_reglages& d, const QString& nom) {
        QAbstractButton* b = controle<QAbstractButton>(&d, nom);
        ASSERT_NE(b, nullptr) << nom.toStdString();
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }

    test::plateforme_scriptee plat;
    std::unique_ptr<application_varlem> app;
    QTemporaryDir dossier;
};

TEST_F(CoursFenetres, AsymptotesParLeDialogue) {
    ASSERT_TRUE(cliquer(&frq(), QStringLiteral("Gain")));
    const QImage sans = picture();
    ASSERT_FALSE(sans.isNull());
    // The choices wait for the asymptotes; Alt+S checks them and the picture changes.
    regler([this](dialogue_reglages& d) {
        EXPECT_FALSE(controle<QRadioButton>(&d, QStringLiteral("Rampes"))->isEnabled());
        lettre(d, Qt::Key_S, [this] { return app->reglages_etudes().frequence.cours.asymptotes; });
        EXPECT_TRUE(controle<QRadioButton>(&d, QStringLiteral("Rampes"))->isEnabled());
    });
    EXPECT_TRUE(app->reglages_etudes().frequence.cours.asymptotes);
    const QImage decibels = picture();
    EXPECT_NE(decibels, sans);
    // The slopes in whole steps: another picture; unchecked, the first one again.
    regler([](dialogue_reglages& d) { cocher(d, QStringLiteral("Pentes entières")); });
    EXPECT_EQ(app->reglages_etudes().frequence.cours.pente, ecriture_pente::entiere);
    EXPECT_NE(picture(), decibels);
    regler([](dialogue_reglages& d) { cocher(d, QStringLiteral("Asymptotes")); });
    EXPECT_EQ(picture(), sans);
}

TEST_F(CoursFenetres, ConventionSurLesDeuxMoitiesDeBode) {
    ASSERT_TRUE(cliquer(&frq(), QStringLiteral("Bode")));
    const QImage gain = picture(), phase = picture(QStringLiteral("Diagramme de la phase"));
    regler([](dialogue_reglages& d) { cocher(d, QStringLiteral("Asymptotes")); });
    const QImage gain_paliers = picture();
    const QImage paliers = picture(QStringLiteral("Diagramme de la phase"));
    EXPECT_NE(gain_paliers, gain);
    EXPECT_NE(paliers, phase);
    // Ramps by their letter: the phase half changes, the gain half stays.
    regler([this](dialogue_reglages& d) {
        lettre(d, Qt::Key_E, [this] {
            return app->reglages_etudes().frequence.cours.convention == convention_phase::rampes;
        });
    });
    EXPECT_EQ(app->reglages_etudes().frequence.cours.convention, convention_phase::rampes);
    EXPECT_NE(picture(QStringLiteral("Diagramme de la phase")), paliers);
    EXPECT_EQ(picture(), gain_paliers);
}

TEST_F(CoursFenetres, AbaqueEtLectureSurLeDiagrammeDeBlack) {
    ASSERT_TRUE(cliquer(&frq(), QStringLiteral("Black")));
    const QImage sans = picture();
    regler([this](dialogue_reglages& d) {
        lettre(d, Qt::Key_B, [this] { return app->reglages_etudes().frequence.cours.abaque; });
    });
    EXPECT_TRUE(app->reglages_etudes().frequence.cours.abaque);
    EXPECT_NE(picture(), sans);

    ASSERT_TRUE(cliquer(&frq(), QStringLiteral("Valeurs")));
    dialogue_lecture_frequentielle& l = frq().lecture();
    ASSERT_TRUE(l.isVisible());
    EXPECT_TRUE(controle<QGroupBox>(&l, QStringLiteral("Boucle fermée"))->isVisible());
    EXPECT_FALSE(controle<QGroupBox>(&l, QStringLiteral("Asymptotes"))->isVisible());
    for (int pas = 0; pas < 3; ++pas) {
        ASSERT_TRUE(cliquer(&l, QStringLiteral("Pulsation suivante")));
        for (const char* nom : {"Module en boucle fermée", "Phase en boucle fermée"}) {
            const QLabel* v = controle<QLabel>(&l, QString::fromUtf8(nom));
            ASSERT_NE(v, nullptr) << nom;
            EXPECT_FALSE(v->text().isEmpty());
            EXPECT_EQ(v->accessibleName(), nom_avec_valeur(QString::fromUtf8(nom), v->text()));
        }
        const QLabel* gain = controle<QLabel>(&l, QStringLiteral("Valeur du gain"));
        EXPECT_EQ(gain->accessibleName(),
                  QStringLiteral("Valeur du gain ") + gain->text().trimmed());
    }
    // The gain diagram with the asymptotes: the closed loop goes, the asymptotic gain comes.
    regler([](dialogue_reglages& d) { cocher(d, QStringLiteral("Asymptotes")); });
    ASSERT_TRUE(cliquer(&frq(), QStringLiteral("Gain")));
    EXPECT_FALSE(controle<QGroupBox>(&l, QStringLiteral("Boucle fermée"))->isVisible());
    EXPECT_TRUE(controle<QGroupBox>(&l, QStringLiteral("Asymptotes"))->isVisible());
    const QLabel* ecart = controle<QLabel>(&l, QStringLiteral("Écart au gain réel"));
    ASSERT_NE(ecart, nullptr);
    EXPECT_TRUE(ecart->text().endsWith(QStringLiteral(" dB")));
    ASSERT_TRUE(cliquer(&l, QStringLiteral("Fin")));
}

} // namespace
} // namespace varlem
