// The help window and the about box, as the user sees them.
#include "app/qt/boite_a_propos.h"
#include "app/qt/fenetre_aide.h"
#include "app/qt/icone.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>

#include <cstdlib>

namespace varlem {
namespace {

QStringList lignes(const QPlainTextEdit& zone) {
    QStringList l;
    for (QTextBlock b = zone.document()->begin(); b.isValid(); b = b.next()) l << b.text();
    return l;
}

QStringList textes_des_etiquettes(const QWidget& w) {
    QStringList t;
    for (const QLabel* l : w.findChildren<QLabel*>())
        if (!l->text().isEmpty()) t << l->text();
    return t;
}

TEST(FenetreAideTest, CreeeCacheeALaTailleVoulue) {
    fenetre_aide aide;
    EXPECT_FALSE(aide.isVisible());
    EXPECT_EQ(aide.windowTitle(), QStringLiteral("Quelques règles de syntaxe"));
    EXPECT_TRUE(aide.isWindow());
    EXPECT_EQ(aide.width(), 480);
    EXPECT_GE(aide.height(), 245);
}

TEST(FenetreAideTest, SyntaxeSurDixHuitLignes) {
    fenetre_aide aide;
    aide.montrer_syntaxe();
    EXPECT_TRUE(aide.isVisible());
    EXPECT_FALSE(aide.isModal());
    EXPECT_EQ(aide.windowTitle(), QStringLiteral("Syntaxe à utiliser"));
    // The text box fills the whole client area and shows the text whole, without scrolling.
    QApplication::processEvents();
    EXPECT_EQ(aide.zone_texte()->geometry(), aide.rect());
    EXPECT_EQ(aide.zone_texte()->verticalScrollBar()->maximum(), 0);
    const QStringList l = lignes(*aide.zone_texte());
    ASSERT_EQ(l.size(), 18);
    EXPECT_EQ(l.front(), QStringLiteral("Entrée des fractions rationnelles"));
    EXPECT_EQ(l[4], QStringLiteral("1+2*p+3*p^3"));
    EXPECT_EQ(l[16], QStringLiteral("Le degré maximum est de 15."));
    EXPECT_EQ(l.back(), QStringLiteral("Le nombre maximum de fonctions est de 8"));
    // No carriage return survives to show as a stray character or a second break.
    EXPECT_FALSE(aide.zone_texte()->toPlainText().contains(QLatin1Char('\r')));
}

TEST(FenetreAideTest, SyntaxePuisCorrecteurUneSeuleFenetre) {
    QWidget principale;
    auto* aide = new fenetre_aide(&principale);
    aide->montrer_syntaxe();
    aide->montrer_correcteur();
    EXPECT_TRUE(aide->isVisible());
    EXPECT_EQ(aide->windowTitle(), QStringLiteral("Fonction de transfert du correcteur:"));
    const QStringList l = lignes(*aide->zone_texte());
    ASSERT_EQ(l.size(), 5); // four lines, the last line end opening an empty fifth
    EXPECT_EQ(l[0], QStringLiteral("La fonction de transfert du correcteur est du type:"));
    EXPECT_EQ(l[1], QString());
    EXPECT_EQ(l[2], QStringLiteral("    k .( (1/ti p)+ td p +1)"));
    EXPECT_FALSE(aide->zone_texte()->toPlainText().contains(QStringLiteral("syntaxe")));
    // A window of its own even with a parent, and still the only help window.
    EXPECT_TRUE(aide->isWindow());
    EXPECT_EQ(principale.findChildren<fenetre_aide*>().size(), 1);
    EXPECT_EQ(principale.findChildren<QPlainTextEdit*>().size(), 1);
    // Back to the syntax: the corrector text is gone.
    aide->montrer_syntaxe();
    EXPECT_EQ(lignes(*aide->zone_texte()).size(), 18);
}

TEST(FenetreAideTest, TexteLisibleEtSelectionnable) {
    fenetre_aide aide;
    aide.montrer_syntaxe();
    QPlainTextEdit& zone = *aide.zone_texte();
    EXPECT_TRUE(zone.isReadOnly());
    EXPECT_TRUE(zone.isEnabled());
    EXPECT_FALSE(zone.accessibleName().isEmpty());
    EXPECT_NE(zone.focusPolicy(), Qt::NoFocus);
    // The keyboard selects all the text even though it cannot change it.
    zone.setFocus();
    QKeyEvent tout(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QApplication::sendEvent(&zone, &tout);
    EXPECT_TRUE(zone.textCursor().selectedText().startsWith(QStringLiteral("Entrée")));
    QKeyEvent x(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(&zone, &x);
    EXPECT_EQ(lignes(zone).size(), 18);
    // Escape hides the window.
    QKeyEvent echap(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&aide, &echap);
    EXPECT_FALSE(aide.isVisible());
}

// Sets a larger application font for one test and restores the old one.
class GrandePolice : public ::testing::Test {
  protected:
    void SetUp() override {
        ancienne_ = QApplication::font();
        QFont f = ancienne_;
        f.setPointSizeF(ancienne_.pointSizeF() * 1.8);
        QApplication::setFont(f);
    }
    void TearDown() override { QApplication::setFont(ancienne_); }

    QFont ancienne_;
};

TEST_F(GrandePolice, AideGrandiePourToutMontrer) {
    fenetre_aide aide;
    aide.montrer_syntaxe();
    QApplication::processEvents();
    EXPECT_EQ(aide.width(), 480);
    EXPECT_GT(aide.height(), 245);
    if (aide.height() < aide.screen()->availableGeometry().height() * 4 / 5) {
        EXPECT_EQ(aide.zone_texte()->verticalScrollBar()->maximum(), 0);
    }
}

TEST_F(GrandePolice, AProposGrandiSansRienCouper) {
    boite_a_propos boite;
    boite.show();
    QApplication::processEvents();
    EXPECT_TRUE(boite.width() > 298 || boite.height() > 218);
    for (const QLabel* l : boite.findChildren<QLabel*>()) {
        const int besoin =
            l->hasHeightForWidth() ? l->heightForWidth(l->width()) : l->sizeHint().height();
        EXPECT_GE(l->height(), besoin) << l->text().toStdString();
        if (!l->wordWrap()) {
            EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString();
        }
    }
    // The button stays below the panel, inside the box.
    EXPECT_LE(boite.bouton_ok()->geometry().bottom(), boite.rect().bottom());
    boite.hide();
}

TEST(IconeTest, DessinDisponible) {
    const QIcon icone = icone_programme();
    ASSERT_FALSE(icone.isNull());
    const QImage image = icone.pixmap(64, 64).toImage();
    ASSERT_FALSE(image.isNull());
    // Transparent corners around an opaque rounded square.
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(32, 32)), 255);
}

TEST(BoiteAProposTest, ContenuEtTaille) {
    boite_a_propos boite;
    EXPECT_EQ(boite.windowTitle(), QStringLiteral("A propos"));
    EXPECT_GE(boite.width(), 298);
    EXPECT_GE(boite.height(), 218);
    const QStringList t = textes_des_etiquettes(boite);
    EXPECT_TRUE(t.contains(QStringLiteral("Varlem")));
    EXPECT_TRUE(t.contains(QStringLiteral("Version 1.1")));
    EXPECT_TRUE(t.contains(
        QStringLiteral("Étude des systèmes linéaires par leurs fonctions de transfert")));
    // The texts sit in the sunken panel, the button below it.
    const auto panneaux = boite.findChildren<QFrame*>(Qt::FindDirectChildrenOnly);
    const QFrame* panneau = nullptr;
    for (const QFrame* f : panneaux)
        if (f->frameShadow() == QFrame::Sunken && !qobject_cast<const QLabel*>(f)) panneau = f;
    ASSERT_NE(panneau, nullptr);
    EXPECT_EQ(textes_des_etiquettes(*panneau).size(), 3);
    EXPECT_EQ(boite.bouton_ok()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(boite.bouton_ok()->isDefault());
}

TEST(BoiteAProposTest, ChaqueElementANomAccessible) {
    boite_a_propos boite;
    QStringList noms;
    for (QWidget* w : boite.findChildren<QWidget*>()) {
        if (!qobject_cast<QLabel*>(w) && !qobject_cast<QPushButton*>(w)) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(a, nullptr);
        EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << w->metaObject()->className();
        noms << a->text(QAccessible::Name);
    }
    // Screen readers read the version itself, and the picture by what it shows.
    EXPECT_TRUE(noms.contains(QStringLiteral("Version 1.1")));
    EXPECT_TRUE(noms.contains(QStringLiteral("Icône de Varlem")));
    EXPECT_TRUE(noms.contains(QStringLiteral("OK")));
}

TEST(BoiteAProposTest, EntreeFermeLaBoiteModale) {
    boite_a_propos boite;
    bool vue = false;
    bool modale = false;
    QPoint centre;
    QTimer::singleShot(0, &boite, [&] {
        vue = boite.isVisible();
        modale = boite.isModal();
        centre = boite.frameGeometry().center();
        QWidget* cible = QApplication::focusWidget() ? QApplication::focusWidget() : &boite;
        QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(cible, &entree);
        // If Enter did not close it, close it anyway so the test cannot hang.
        if (boite.isVisible()) QTimer::singleShot(0, &boite, [&] { boite.reject(); });
    });
    boite.montrer();
    EXPECT_TRUE(vue);
    EXPECT_TRUE(modale);
    // Centred on the screen (to a title bar's height).
    const QPoint milieu = boite.screen()->availableGeometry().center();
    EXPECT_LE(std::abs(centre.x() - milieu.x()), 2);
    EXPECT_LE(std::abs(centre.y() - milieu.y()), 40);
    EXPECT_FALSE(boite.isVisible());
    EXPECT_EQ(boite.result(), QDialog::Accepted);
}

TEST(BoiteAProposTest, BoutonOkFerme) {
    boite_a_propos boite;
    QTimer::singleShot(0, &boite, [&] { boite.bouton_ok()->click(); });
    boite.montrer();
    EXPECT_EQ(boite.result(), QDialog::Accepted);
    // Shown again on demand, the same box.
    QTimer::singleShot(0, &boite, [&] { boite.bouton_ok()->click(); });
    boite.montrer();
    EXPECT_EQ(boite.result(), QDialog::Accepted);
}

} // namespace
} // namespace varlem
