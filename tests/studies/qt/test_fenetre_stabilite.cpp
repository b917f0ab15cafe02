// The Stabilite window as a user reads it: the Routh table in aligned columns, the counts, the
// stable gains and the Nyquist verdict of the core, its caption in open and closed loop, its copy;
// and the stability commands enabled as the other studies are.
#include "app/qt/application_varlem.h"
#include "app/qt/outils_fenetres.h"
#include "app/qt/plateforme_scriptee.h"
#include "document/boucle.h"
#include "document/outils_document.h"
#include "document/qt/fenetre_systeme.h"
#include "plot/qt/textes_qt.h"
#include "studies/etude_stabilite.h"
#include "studies/qt/fenetre_lieu_evans.h"
#include "studies/qt/fenetre_stabilite.h"

#include <QApplication>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include <memory>

namespace varlem {
namespace {

using test::cliquer;

class FenetreStabilite : public ::testing::Test {
  protected:
    void ouvrir(const char* num, const char* den) {
        sys = test::systeme_tape({{num, den}});
        ctx = std::make_unique<contexte_fenetres>(contexte_fenetres{*sys, reg, plat, pilote});
        f = std::make_unique<fenetre_stabilite>(*ctx);
        f->ouvrir();
    }
    QString attendu() const { return lignes_affichees(texte_etude_stabilite(*sys)); }

    std::unique_ptr<systeme> sys;
    reglages reg;
    test::plateforme_scriptee plat;
    test::pilote_enregistre pilote;
    std::unique_ptr<contexte_fenetres> ctx;
    std::unique_ptr<fenetre_stabilite> f;
};

TEST_F(FenetreStabilite, RouthEnColonnesAlignees) {
    ouvrir("1", "p^5+2p^4+3p^3+6p^2+5p+3");
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->windowTitle(),
              QStringLiteral("Stabilité de la fonction courante en retour unitaire"));
    EXPECT_EQ(f->texte(), attendu());
    auto* boite = test::controle<QPlainTextEdit>(
        f.get(), QStringLiteral("Critères de stabilité de la boucle"));
    ASSERT_NE(boite, nullptr);
    EXPECT_TRUE(boite->isReadOnly());
    EXPECT_TRUE(QFontInfo(boite->font()).fixedPitch());
    // The six rows of the table, their bars and their last digits in the same columns.
    QStringList lignes;
    for (const QString& l : f->texte().split(QLatin1Char('\n')))
        if (l.contains(QStringLiteral(" |"))) lignes << l;
    ASSERT_EQ(lignes.size(), 6);
    for (const QString& l : lignes) EXPECT_EQ(l.indexOf(QLatin1Char('|')), lignes[0].indexOf('|'));
    EXPECT_TRUE(lignes[2].startsWith(QStringLiteral("p³")));
    EXPECT_TRUE(lignes[2].contains(QStringLiteral("ε")));
    EXPECT_EQ(lignes[0].size(), lignes[1].size());
    EXPECT_TRUE(f->texte().contains(QStringLiteral("Racines à partie réelle positive : 2")));
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Copier le texte")));
    EXPECT_EQ(plat.texte_copie, f->texte());
}

TEST_F(FenetreStabilite, BoucleFermeeSuivieAuRafraichissement) {
    ouvrir("1", "(p)(1+p)(2+p)");
    EXPECT_TRUE(f->texte().contains(QStringLiteral("Gains stables : 0 < K < 6.")));
    ASSERT_TRUE(fermer_boucle(*sys, reg).effectue);
    f->changer_mode();
    f->rafraichir(true, true);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Stabilité de la boucle fermée"));
    EXPECT_EQ(f->texte(), attendu());
    EXPECT_TRUE(f->texte().contains(QStringLiteral("K = P = 1.")));
    for (const double kp : {4.5, 9.0}) {
        ASSERT_TRUE(regler_correcteur(*sys, kp, 10, 0, false));
        f->rafraichir(true, true);
        EXPECT_EQ(f->texte(), attendu()) << kp;
    }
    EXPECT_TRUE(f->texte().contains(QStringLiteral("hors des gains stables")));
    // The integral action changes the loop and its stable gains.
    ASSERT_TRUE(regler_correcteur(*sys, 0.5, 2, 0, true));
    f->rafraichir(false, true);
    EXPECT_EQ(f->texte(), attendu());
    EXPECT_FALSE(f->texte().contains(QStringLiteral("0 < K < 6.")));
}

// Like the other studies, the stability commands wait for a system.
TEST(CommandesStabilite, ActivesAvecUnSysteme) {
    test::plateforme_scriptee plat;
    application_varlem app(plat);
    for (QAction* a : {app.lieu_evans().commande(), app.stabilite().commande()})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    systeme& s = app.document();
    bool syntaxe = false, degre = false;
    analyser_fonction(s.calcul, 'p', "1", "(1+p)(2+p)", s.fonctions[1], syntaxe, degre);
    s.nb_fonctions = 1;
    s.systeme_saisi = true;
    app.fenetre_fonctions().systeme_lu();
    app.activer_commandes();
    for (QAction* a : {app.lieu_evans().commande(), app.stabilite().commande()})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    app.stabilite().commande()->trigger();
    EXPECT_TRUE(app.stabilite().isVisible());
    app.fenetre_fonctions().show();
    ASSERT_TRUE(cliquer(&app.fenetre_fonctions(), QStringLiteral("Bouclage")));
    for (QAction* a : {app.lieu_evans().commande(), app.stabilite().commande()})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_EQ(app.stabilite().windowTitle(), QStringLiteral("Stabilité de la boucle fermée"));
    EXPECT_EQ(app.stabilite().texte(), lignes_affichees(texte_etude_stabilite(s)));
}

} // namespace
} // namespace varlem
