// Every value the windows show reaches assistive technology: what a screen reader hears of a
// value label is its caption followed by the number shown, at each change; the help window is
// heard as its caption.
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_aide.h"
#include "app/qt/fenetre_principale.h"
#include "document/qt/banc_saisie.h"
#include "settings/qt/elements_reglages.h"
#include "studies/qt/dialogue_lecture_frequentielle.h"
#include "studies/qt/dialogue_lecture_temporelle.h"
#include "studies/qt/etiquette_valeur.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_temporelle.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace varlem {
namespace {

using test::cliquer;
using test::controle;

// What a screen reader announces for the widget.
QString entendu(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

// The text a value control shows: a label's, or a clickable label's.
QString montre(QWidget* w) {
    if (auto* e = qobject_cast<etiquette_cliquable*>(w)) return e->texte();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    return {};
}

class Accessibilite : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dossier.isValid());
        app = std::make_unique<application_varlem>(plat);
        app->principale().show();
        app->principale().actions().entree->trigger();
        fenetre = &app->fenetre_fonctions();
    }

    void ouvrir(const QByteArray& contenu) {
        const QString chemin = dossier.filePath(QStringLiteral("s.fdt"));
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenu);
        f.close();
        app->ouvrir_fichier(chemin);
        ASSERT_TRUE(plat.erreurs.isEmpty());
    }

    // The value control named `legende` under `w` is heard as its caption, then what it shows;
    // what it shows is returned.
    QString verifier(QWidget* w, const QString& legende) {
        QWidget* c = controle<QWidget>(w, legende);
        if (!c) {
            ADD_FAILURE() << "no control " << legende.toStdString();
            return {};
        }
        const QString vu = montre(c);
        // A label may be found by a name of its own and heard under its caption.
        const auto* e = qobject_cast<etiquette_valeur*>(c);
        const QString titre = e ? e->legende() : legende;
        EXPECT_FALSE(vu.trimmed().isEmpty()) << legende.toStdString();
        EXPECT_EQ(entendu(c).toStdString(), nom_avec_valeur(titre, vu).toStdString());
        EXPECT_TRUE(entendu(c).startsWith(titre + QLatin1Char(' ')));
        // The number itself, not only the caption, is heard.
        for (const QString& ligne : vu.split(QLatin1Char('\n')))
            EXPECT_TRUE(entendu(c).contains(ligne.trimmed()))
                << entendu(c).toStdString() << " / " << ligne.toStdString();
        return vu;
    }

    test::plateforme_scriptee plat;
    std::unique_ptr<application_varlem> app;
    QWidget* fenetre = nullptr;
    QTemporaryDir dossier;
};

TEST(NomAvecValeur, LegendeEspaceValeur) {
    const std::pair<QStringList, QString> table[] = {
        {{"Valeur du gain", "-3.0103"}, "Valeur du gain -3.0103"},
        {{"Marges", "Marge de gain : infinie\nMarge de phase : aucune"},
         "Marges Marge de gain : infinie, Marge de phase : aucune"},
        {{"Valeur du temps", "  "}, "Valeur du temps"},
        {{"", "12"}, "12"},
        {{"Fonction n°", " 3 "}, "Fonction n° 3"},
    };
    for (const auto& [entree, attendu] : table)
        EXPECT_EQ(nom_avec_valeur(entree[0], entree[1]), attendu);
}

TEST_F(Accessibilite, LecturesFrequentielleEtTemporelle) {
    ouvrir("1\r\n1\r\n(1+p)(1+0.5p)(1+0.2p)\r\n");
    app->frequentielle().commande()->trigger();
    ASSERT_TRUE(cliquer(&app->frequentielle(), QStringLiteral("Bode")));
    ASSERT_TRUE(cliquer(&app->frequentielle(), QStringLiteral("Valeurs")));
    QWidget* lf = &app->frequentielle().lecture();
    ASSERT_TRUE(lf->isVisible());
    const char* valeurs[] = {"Valeur de la pulsation", "Valeur du gain", "Valeur de la phase"};
    QStringList avant;
    for (const char* v : valeurs) avant << verifier(lf, QString::fromUtf8(v));
    for (const char* m : {"Marge de gain", "Marge de phase"}) verifier(lf, QString::fromUtf8(m));
    // The response and the function are heard as they read.
    for (const char* nom : {"reponse", "fonction"}) {
        QLabel* l = controle<QLabel>(lf, QString::fromLatin1(nom));
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(entendu(l), l->text());
    }
    EXPECT_TRUE(entendu(controle<QLabel>(lf, QStringLiteral("fonction"))).contains('1'));
    // Moved, the readout is heard at its new values.
    ASSERT_TRUE(cliquer(lf, QStringLiteral("Pulsation suivante")));
    const QString apres = verifier(lf, QStringLiteral("Valeur de la pulsation"));
    EXPECT_NE(apres, avant[0]);

    app->temporelle().commande()->trigger();
    ASSERT_TRUE(cliquer(&app->temporelle(), QStringLiteral("Échelon")));
    ASSERT_TRUE(cliquer(&app->temporelle(), QStringLiteral("Valeurs")));
    QWidget* lt = &app->temporelle().lecture();
    ASSERT_TRUE(lt->isVisible());
    verifier(lt, QStringLiteral("Valeur du temps"));
    verifier(lt, QStringLiteral("Valeur de la réponse"));
    for (const char* c : {"Dépassement", "Temps de réponse à 5 %"})
        verifier(lt, QString::fromUtf8(c));
    ASSERT_TRUE(cliquer(lt, QStringLiteral("Instant suivant")));
    verifier(lt, QStringLiteral("Valeur du temps"));
}

TEST_F(Accessibilite, BoucleFermeeEtSystemeEtGabarit) {
    ouvrir("2\r\n1\r\n(1+p)(1+0.5p)(1+0.2p)\r\n1\r\n1+p\r\n");
    EXPECT_EQ(verifier(fenetre, QStringLiteral("numero")), QStringLiteral("1"));
    EXPECT_EQ(entendu(controle<QLabel>(fenetre, QStringLiteral("numero"))).toStdString(),
              "Fonction n° 1");
    EXPECT_EQ(entendu(controle<QLabel>(fenetre, QStringLiteral("compte"))),
              QStringLiteral("Nombre de fonctions : sur 2"));
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Fonction suivante")));
    EXPECT_EQ(entendu(controle<QLabel>(fenetre, QStringLiteral("numero"))),
              QStringLiteral("Fonction n° 2"));
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Fonction précédente")));

    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Bouclage")));
    for (const char* c : {"Gain P", "Temps intégral τi", "Temps dérivé τd"})
        for (const char* place : {"Valeur de %1", "Maximum de %1", "Minimum de %1"})
            verifier(fenetre, QString::fromUtf8(place).arg(QString::fromUtf8(c)));
    EXPECT_EQ(entendu(controle<QWidget>(fenetre, QStringLiteral("Valeur de Gain P"))),
              QStringLiteral("Valeur de Gain P 1"));
    EXPECT_EQ(verifier(fenetre, QStringLiteral("Stabilité de la boucle fermée")),
              QStringLiteral("Boucle fermée stable"));
    verifier(fenetre, QStringLiteral("Marges de la boucle ouverte"));
    // The verdict heard changes with the gain.
    QSlider* p = controle<QSlider>(fenetre, QStringLiteral("Gain P"));
    p->setFocus();
    while (p->value() > 0) QTest::keyClick(p, Qt::Key_PageUp);
    EXPECT_EQ(entendu(controle<QWidget>(fenetre, QStringLiteral("Stabilité de la boucle fermée"))),
              QStringLiteral("Stabilité de la boucle fermée Boucle fermée instable"));
    EXPECT_EQ(entendu(controle<QWidget>(fenetre, QStringLiteral("Valeur de Gain P"))),
              QStringLiteral("Valeur de Gain P 20.1"));
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Fdt seule")));

    plat.reponses = {reponse::non};
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Parametres")));
    if (QWidget* m = QApplication::activePopupWidget()) m->close();
    for (QMenu* m : fenetre->findChildren<QMenu*>())
        if (m->title() == QStringLiteral("Ordre2"))
            for (QAction* a : m->actions())
                if (a->text() == QStringLiteral("Passe-bas")) a->trigger();
    ASSERT_TRUE(app->document().etudes.mode_filtre);
    for (const char* place : {"Valeur de %1", "Maximum de %1", "Minimum de %1"})
        verifier(fenetre, QString::fromUtf8(place).arg(QStringLiteral("Paramètre du gabarit")));
    EXPECT_EQ(entendu(controle<QWidget>(fenetre, QStringLiteral("Valeur de Paramètre du gabarit"))),
              QStringLiteral("Valeur de Paramètre du gabarit m= .71"));
}

TEST_F(Accessibilite, AideEntendueSousSonTitre) {
    app->principale().actions().syntaxe->trigger();
    EXPECT_EQ(entendu(&app->aide()), QStringLiteral("Syntaxe à utiliser"));
    app->principale().actions().correcteur->trigger();
    EXPECT_EQ(entendu(&app->aide()), QStringLiteral("Fonction de transfert du correcteur:"));
    EXPECT_EQ(entendu(&app->aide()), app->aide().windowTitle());
}

} // namespace
} // namespace varlem
