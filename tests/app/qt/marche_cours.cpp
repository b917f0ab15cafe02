// The walk's course: the asymptotes and the Black-Nichols chart set in the "Etude freq" tab, by
// click or by their keyboard letters, and the frequency readout's rows for them checked after
// every action (the pictures are checked with the others, drawn with the settings in force).
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/marche_aleatoire.h"
#include "app/qt/marche_outils.h"
#include "settings/qt/dialogue_reglages.h"
#include "studies/lecture_cours.h"
#include "studies/qt/dialogue_lecture_frequentielle.h"
#include "studies/qt/etiquette_valeur.h"
#include "studies/qt/fenetre_frequentielle.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace varlem::test {

void marche_aleatoire::declarer_actions_cours() {
    actions_.push_back({"Tracés du cours (réglages)", 3,
                        [this] {
                            return app_->principale().actions().parametres->isEnabled() &&
                                   a_l_ecran(&app_->principale());
                        },
                        [this] {
                            avec_modal<QDialog>(
                                [this] { app_->principale().actions().parametres->trigger(); },
                                [this](QDialog&) { regler_cours(); });
                        }});
}

void marche_aleatoire::regler_cours() {
    dialogue_reglages& d = app_->parametres();
    if (!d.isVisible()) return;
    QTabBar* barre = d.onglets().tabBar();
    for (int k = 0; k < barre->count(); ++k)
        if (barre->tabText(k) == QStringLiteral("Etude freq"))
            etape("onglet Etude freq", [&] {
                QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(k).center());
            });
    struct controle_cours {
        const char* nom;
        Qt::Key lettre;
    };
    static const std::vector<controle_cours> controles = {
        {"Asymptotes", Qt::Key_S},      {"Paliers", Qt::Key_L},
        {"Rampes", Qt::Key_E},          {"Pentes en dB par décade", Qt::Key_C},
        {"Pentes entières", Qt::Key_N}, {"Abaque de Black-Nichols", Qt::Key_B}};
    const int n = h_.entier(1, 3);
    for (int i = 0; i < n && !en_echec_; ++i) {
        const controle_cours& c = h_.parmi(controles);
        QAbstractButton* b = controle<QAbstractButton>(&d, QString::fromUtf8(c.nom));
        if (!b || !a_l_ecran(b) || !b->isEnabled()) continue;
        const bool clavier = h_.pile(0.5);
        etape(
            std::string("cours : ") + c.nom + (clavier ? " (Alt)" : ""),
            [&] {
                if (clavier) {
                    d.activateWindow();
                    static_cast<void>(QTest::qWaitFor(
                        [&] { return QGuiApplication::focusWindow() == d.windowHandle(); }, 500));
                    QTest::keyClick(&d, c.lettre, Qt::AltModifier);
                    // A mnemonic holds its button down a moment before the click.
                    static_cast<void>(QTest::qWaitFor([&] { return !b->isDown(); }, 1000));
                } else
                    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
            },
            true);
    }
    if (h_.pile(0.2)) {
        etape("Echap", [&] { QTest::keyClick(&d, Qt::Key_Escape); });
        return;
    }
    etape("OK", [&] {
        for (QPushButton* b : d.findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("OK")) QTest::mouseClick(b, Qt::LeftButton);
    });
}

void marche_aleatoire::verifier_lecture_cours() {
    dialogue_lecture_frequentielle& lf = app_->frequentielle().lecture();
    if (!lf.isVisible()) return;
    const systeme& s = app_->document();
    // Every value label reads aloud as its name and its value.
    for (const char* nom : {"Valeur de la pulsation", "Valeur du gain", "Valeur de la phase"}) {
        const QLabel* v = controle<QLabel>(&lf, QString::fromUtf8(nom));
        constater(v && v->accessibleName() == nom_avec_valeur(QString::fromUtf8(nom), v->text()),
                  std::string("the readout's ") + nom + " is read aloud as " +
                      (v ? std_(v->accessibleName()) : "nothing"));
    }
    const std::pair<const char*, std::vector<ligne_caracteristique>> groupes[] = {
        {"Boucle fermée", lignes_boucle_fermee_lecture(s)},
        {"Asymptotes", lignes_asymptotes_lecture(s, app_->reglages_etudes().frequence)}};
    for (const auto& [titre, lignes] : groupes) {
        const QGroupBox* g = controle<QGroupBox>(&lf, QString::fromUtf8(titre));
        constater(g && g->isVisible() == !lignes.empty(),
                  std::string("the readout's group ") + titre +
                      (lignes.empty() ? " is shown without rows" : " is hidden"));
        for (const ligne_caracteristique& l : lignes) {
            const QLabel* v = controle<QLabel>(&lf, qt(l.libelle));
            constater(v && v->text() == qt(l.valeur) &&
                          v->accessibleName() == nom_avec_valeur(qt(l.libelle), qt(l.valeur)),
                      "the readout shows " + (v ? std_(v->text()) : std::string("nothing")) +
                          " for " + l.libelle + " instead of " + l.valeur);
        }
    }
}

} // namespace varlem::test
