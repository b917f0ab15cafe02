#pragma once
// What the system-window and entry-dialog tests do as a user: find the controls by what they
// show, drive the modal entry dialog once it is open, and a system window wired as the
// application wires it, with recording services.

#include "app/qt/outils_fenetres.h"
#include "app/qt/plateforme_scriptee.h"
#include "document/qt/dialogue_saisie.h"
#include "document/qt/fenetre_systeme.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace varlem::test {

/// Types num over den in the open dialog and presses "OK".
inline void entrer(QWidget* d, const QString& num, const QString& den) {
    taper(d, QStringLiteral("Numérateur"), num);
    taper(d, QStringLiteral("Dénominateur"), den);
    cliquer(d, QStringLiteral("OK"));
}

/// Runs `declencheur`, which opens the entry dialog modally, and `action` on the dialog once
/// it is open (see `avec_modal`). True when the dialog opened.
inline bool avec_dialogue(const std::function<void()>& declencheur,
                          const std::function<void(dialogue_saisie&)>& action) {
    return avec_modal<dialogue_saisie>(declencheur, action);
}

/// Enabling that reaches the window, as the application's does, and records every call.
class pilote_relie final : public pilote_etudes {
  public:
    pilote_enregistre enregistre;
    fenetre_systeme* fenetre = nullptr;

    void rafraichir_etudes(bool reprendre_echelles, bool recalculer) override {
        enregistre.rafraichir_etudes(reprendre_echelles, recalculer);
    }
    void activer_commandes() override {
        enregistre.activer_commandes();
        if (fenetre) fenetre->activer_commandes();
    }
};

/// A system window with its entry dialog over a system, as the application builds them.
struct banc_systeme {
    std::unique_ptr<systeme> sys = std::make_unique<systeme>();
    reglages reg;
    plateforme_scriptee plat;
    pilote_relie pilote;
    contexte_fenetres ctx{*sys, reg, plat, pilote};
    fenetre_systeme fenetre{ctx};
    dialogue_saisie dialogue{&fenetre};

    banc_systeme() {
        sys->calcul.graine = 1;
        pilote.fenetre = &fenetre;
        fenetre.relier_dialogue(dialogue);
        fenetre.show();
    }

    /// Clicks the command `nom` of the window with `action` run on the dialog it opens.
    bool commande(const QString& nom, const std::function<void(dialogue_saisie&)>& action) {
        return avec_dialogue([&] { cliquer(&fenetre, nom); }, action);
    }
    /// "Nouvelle" with num over den typed and accepted.
    void ajouter(const QString& num, const QString& den) {
        EXPECT_TRUE(commande(QStringLiteral("Nouvelle"),
                             [&](dialogue_saisie& d) { entrer(&d, num, den); }));
    }
    /// Text of the label named `nom` ("numero", "compte", "fraction").
    QString etiquette(const QString& nom) {
        QLabel* l = controle<QLabel>(&fenetre, nom);
        return l ? l->text() : QStringLiteral("<absente>");
    }
    /// Text of the fraction box named `nom`.
    QString boite(const QString& nom) { return texte_boite(&fenetre, nom); }
    bool actif(const QString& nom) { return test::actif(&fenetre, nom); }
};

} // namespace varlem::test
