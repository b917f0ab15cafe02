// The walk's actions in the system window: the functions typed, modified, deleted, browsed and
// copied, the variable letter, the closed loop with its sliders, maxima and return path, and the
// templates with their slider.
#include "app/qt/marche_aleatoire.h"
#include "app/qt/marche_outils.h"
#include "document/qt/dialogue_saisie.h"
#include "document/qt/fenetre_systeme.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include <cstdio>

namespace varlem::test {

namespace {

// A text shortened for the journal.
std::string court(const std::string& t) {
    std::string r;
    for (const unsigned char c : t.substr(0, 24)) {
        char code[8];
        std::snprintf(code, sizeof code, "\\x%02x", c);
        r += c < 0x20 || c == 0x7f ? std::string(code) : std::string(1, static_cast<char>(c));
    }
    return t.size() > 24 ? r + "…(" + std::to_string(t.size()) + ")" : r;
}

std::string repeter(const std::string& motif, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += motif;
    return r;
}

// The Laplace letter of a text written in p.
std::string en_lettre(std::string t, char x) {
    for (char& c : t)
        if (c == 'p') c = x;
    return t;
}

} // namespace

std::string marche_aleatoire::texte_fonction() {
    const char lettre = app_->document().lettre_variable;
    const char x = h_.pile(0.92) ? lettre : (lettre == 'p' ? 's' : 'p');
    static const std::vector<std::string> bons = {
        "1",       "1+p",           "(1+p)(1+2p)",     "1+3p+p^2", "(3p)(1+2p+1.5p^3)",
        "p",       "2p^2+3",        "1+2*p+3*p^3",     "0.5+p",    "1,5p+1",
        "10",      "1+0.1p",        "(1+p)^2",         "1+p+p^2",  "p^2+0.2p+1",
        "0.001+p", "1000+p",        "(1+p)(1+p)(1+p)", "1+p^2",    "p^2",
        "2+p-p^2", "(0.1+p)(10+p)", "1+1.414p+p^2",    "100",      "p(1+p)",
        "-4",      "(-1+p)(1+2p)"};
    static const std::vector<std::string> mal_formes = {
        "",    " ",      "(",    ")",  "1+",   "p^",    "1++p", "abc",    "1/0",  "p^-1",
        "1e",  "((1+p)", "1+p)", ".",  ",",    "p^1.5", "2p^",  "1+p=2",  "1+-p", "--p",
        "p p", "1..2",   "^2",   "*p", "1+*p", "p^2^3", "()",   "(1+p)(", "e",    "1 +"};
    static const std::vector<std::string> degres = {"p^15+1", "p^16",     "1+p^16",     "(1+p)^16",
                                                    "p^15",   "(1+p)^15", "p^15+p^14+1"};
    switch (h_.entier(0, 19)) {
    case 10:
    case 11:
    case 12:
        return en_lettre(h_.parmi(mal_formes), x);
    case 13: {
        if (h_.pile(0.5)) return en_lettre(h_.parmi(degres), x);
        // A product of factors of degree 15 or 16.
        return en_lettre(repeter("(1+p)", h_.pile(0.5) ? 15 : 16), x);
    }
    case 14: {
        std::string t = "1";
        const int n = h_.pile(0.5) ? 15 : 16;
        for (int k = 1; k <= n; ++k) t += "+p^" + std::to_string(k);
        return en_lettre(t, x);
    }
    case 15: {
        // Deep brackets.
        const int n = h_.parmi(std::vector{20, 100, 1000, 5000});
        return en_lettre(repeter("(", n) + "1+p" + repeter(")", n), x);
    }
    case 16: {
        static const std::vector<std::string> hostiles = {
            "p^99999",
            "p^999999999999999999",
            "1e999p+1",
            "1e-999+p",
            "1e30+p",
            "1e-30+p",
            "1e31+p",
            "1e-31+p",
            "0",
            "0p",
            "p-p",
            "1-1",
            "0.0000000000000000000000000000000000001+p",
            "123456789012345678901234567890+p",
            "1e308p+1",
            "1+p^0",
            "p^00001",
            "1+1e-300p"};
        return en_lettre(h_.parmi(hostiles), x);
    }
    case 17: {
        // Ten thousand characters.
        std::string t = "1";
        while (t.size() < 10'000) t += h_.pile(0.5) ? "+p" : "+1";
        return en_lettre(t, x);
    }
    case 18: {
        static const std::vector<std::string> caracteres = {
            "1+\tp",     "1\x01+p", "\x7f",      "1+p\n",
            "\r",        "1+é",     "π+p",       "p²",
            "１+p",      "😀",       "1+p\u200b", "\u202e1+p",
            "1\u00a0+p", "ｐ",      "1+p\x1b",   std::string(1, '\0')};
        return en_lettre(h_.parmi(caracteres), x);
    }
    case 19: {
        // A random polynomial or product of factors.
        static const std::vector<std::string> coefs = {"0.1", "0.5", "1", "2", "3.7", "10", "100"};
        std::string t;
        const int n = h_.entier(1, 4);
        for (int k = 0; k < n; ++k)
            t += "(" + h_.parmi(coefs) + "+" + h_.parmi(coefs) + "p" +
                 (h_.pile(0.3) ? "+p^2" : "") + ")";
        return en_lettre(t, x);
    }
    default:
        return en_lettre(h_.parmi(bons), x);
    }
}

std::string marche_aleatoire::texte_retard_tape() {
    static const std::vector<std::string> bons = {"1",   "0.5", "2,5",  " 3 ", "0.001", "1e-3",
                                                  "1E2", "10",  "0.25", ".5",  "7.",    "1e-300"};
    static const std::vector<std::string> nuls = {"", "0", "0.0", "-0", " ", "0e5", "0,000"};
    static const std::vector<std::string> negatifs = {"-1", "-0.5", "-1e-9", "-1e300"};
    static const std::vector<std::string> illisibles = {"abc",
                                                        "1..2",
                                                        "1e999",
                                                        "inf",
                                                        "nan",
                                                        ".",
                                                        ",",
                                                        "E5",
                                                        "1/2",
                                                        "1 2",
                                                        "τ",
                                                        "1s",
                                                        "+",
                                                        "--1",
                                                        "1e",
                                                        "0x10",
                                                        "１",
                                                        "1	",
                                                        std::string(70, '9')};
    switch (h_.entier(0, 9)) {
    case 0:
    case 1:
        return h_.parmi(nuls);
    case 2:
        return h_.parmi(negatifs);
    case 3:
    case 4:
        return h_.parmi(illisibles);
    default:
        return h_.parmi(bons);
    }
}

void marche_aleatoire::taper_texte(QWidget* boite, const std::string& texte) {
    auto* b = qobject_cast<QLineEdit*>(boite);
    if (!b) return;
    // Typing is the user's time, not the program's.
    chrono_.commencer("frappe", rang_, false);
    remplacer_texte(b, QString::fromUtf8(texte));
    chrono_.finir();
}

std::optional<textes_fdt> marche_aleatoire::saisir_fonction(dialogue_saisie& d) {
    QLineEdit* num = controle<QLineEdit>(&d, QStringLiteral("Numérateur"));
    QLineEdit* den = controle<QLineEdit>(&d, QStringLiteral("Dénominateur"));
    QAbstractButton* ok = controle<QAbstractButton>(&d, QStringLiteral("OK"));
    QAbstractButton* annuler = controle<QAbstractButton>(&d, QStringLiteral("Annuler"));
    // A function's entry takes a delay; the return path's does not show the box.
    QLineEdit* retard = controle<QLineEdit>(&d, QStringLiteral("Retard τ (s)"));
    if (retard && !retard->isVisibleTo(&d)) retard = nullptr;
    if (!num || !den || !ok || !annuler) {
        constater(false, "the entry dialog lacks a control");
        d.reject();
        return std::nullopt;
    }
    for (int essai = 0; essai < 4; ++essai) {
        switch (h_.entier(0, 11)) {
        case 0:
            etape("Annuler", [&] { QTest::mouseClick(annuler, Qt::LeftButton); });
            return std::nullopt;
        case 1:
            etape("Echap", [&] { QTest::keyClick(&d, Qt::Key_Escape); });
            return std::nullopt;
        case 2:
            // The frame's close box is refused: only the two buttons close the dialog.
            d.close();
            constater(d.isVisible(), "the entry dialog closed from its frame");
            continue;
        default:
            break;
        }
        if (h_.pile(0.7)) taper_texte(num, texte_fonction());
        if (h_.pile(0.85)) taper_texte(den, texte_fonction());
        if (retard && h_.pile(0.5)) taper_texte(retard, texte_retard_tape());
        // What the check is given: the texts, and the delay of the box when it shows.
        const textes_fdt t = avec_retard({std_(num->text()), std_(den->text())},
                                         retard ? lire_retard(std_(retard->text())).retard : 0.0);
        noter("'" + court(t.num) + "'/'" + court(t.den) + "'" +
              (retard ? " τ '" + court(std_(retard->text())) + "'" : std::string()));
        etape(h_.pile(0.8) ? "OK" : "Entrée", [&] {
            if (h_.pile(0.8))
                QTest::mouseClick(ok, Qt::LeftButton);
            else
                QTest::keyClick(den, Qt::Key_Return);
        });
        if (!d.isVisible()) return t;
    }
    etape("Annuler", [&] { QTest::mouseClick(annuler, Qt::LeftButton); });
    return std::nullopt;
}

void marche_aleatoire::deplacer_curseur(const QString& nom) {
    QSlider* c = controle<QSlider>(&app_->fenetre_fonctions(), nom);
    if (!c) return;
    if (h_.pile(0.5)) {
        const int n = h_.entier(1, 4);
        for (int i = 0; i < n; ++i) {
            const Qt::Key k = h_.parmi(std::vector{Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                                                   Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End});
            etape(
                "touche " + std_(QKeySequence(k).toString()),
                [&] {
                    c->setFocus();
                    QTest::keyClick(c, k);
                },
                true);
        }
        return;
    }
    // A drag: the slider pressed, moved through a few positions, released.
    c->setSliderDown(true);
    const int n = h_.entier(1, 5);
    for (int i = 0; i < n; ++i) {
        const int position = h_.entier(c->minimum(), c->maximum());
        etape(
            "position " + std::to_string(position), [&] { c->setSliderPosition(position); }, true);
    }
    c->setSliderDown(false);
}

void marche_aleatoire::choisir_gabarit_menu() {
    QMenu* menu = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(w);
            m && m->isVisible() && m->accessibleName() == QStringLiteral("Gabarits"))
            menu = m;
    if (!menu) return;
    if (h_.pile(0.15)) {
        noter("menu fermé");
        QTest::keyClick(menu, Qt::Key_Escape);
        menu->hide();
        return;
    }
    std::vector<QMenu*> ordres;
    for (QAction* a : menu->actions())
        if (a->menu()) ordres.push_back(a->menu());
    if (ordres.empty()) return;
    QMenu* ordre = h_.parmi(ordres);
    const QList<QAction*> choix = ordre->actions();
    if (choix.isEmpty()) return;
    QAction* gabarit = choix[h_.entier(0, static_cast<int>(choix.size()) - 1)];
    noter(std_(ordre->title()) + " " + std_(gabarit->text()));
    // The item clicked closes the menus, then runs.
    menu->hide();
    gabarit->trigger();
}

void marche_aleatoire::declarer_actions_systeme() {
    const auto fenetre = [this] { return static_cast<QWidget*>(&app_->fenetre_fonctions()); };
    const auto offerte = [fenetre](const char* texte) {
        return [fenetre, texte] {
            return fenetre()->isEnabled() && commande_offerte(fenetre(), QString::fromUtf8(texte));
        };
    };
    const auto courante = [this] { return app_->document().fonction_courante; };

    actions_.push_back({"Nouvelle", 8, offerte("Nouvelle"), [this, fenetre] {
                            std::optional<textes_fdt> acceptee;
                            avec_modal<dialogue_saisie>(
                                [&] { presser(fenetre(), QStringLiteral("Nouvelle")); },
                                [&](dialogue_saisie& d) { acceptee = saisir_fonction(d); });
                            attendu_ = modele_;
                            if (acceptee) attendu_->push_back(*acceptee);
                        }});
    actions_.push_back({"Modifier", 5, offerte("Modifier"), [this, fenetre, courante] {
                            const int k = courante();
                            std::optional<textes_fdt> acceptee;
                            avec_modal<dialogue_saisie>(
                                [&] { presser(fenetre(), QStringLiteral("Modifier")); },
                                [&](dialogue_saisie& d) { acceptee = saisir_fonction(d); });
                            attendu_ = modele_;
                            if (acceptee && k >= 1 && k <= static_cast<int>(modele_.size()))
                                (*attendu_)[static_cast<std::size_t>(k - 1)] = *acceptee;
                        }});
    actions_.push_back({"Supprimer", 3, offerte("Supprimer"), [this, fenetre, courante] {
                            const int k = courante();
                            attendu_ = modele_;
                            if (modele_.size() > 1 && k >= 1 &&
                                k <= static_cast<int>(modele_.size()))
                                attendu_->erase(attendu_->begin() + (k - 1));
                            presser(fenetre(), QStringLiteral("Supprimer"));
                        }});
    actions_.push_back({"Copier le système", 2, offerte("Copier"),
                        [fenetre] { presser(fenetre(), QStringLiteral("Copier")); }});
    actions_.push_back({"Parametres (gabarits)", 4, offerte("Parametres"), [this, fenetre] {
                            presser(fenetre(), QStringLiteral("Parametres"));
                            choisir_gabarit_menu();
                        }});
    actions_.push_back({"Bouclage", 5,
                        [=] { return offerte("Bouclage")() || offerte("Fdt seule")(); },
                        [fenetre] {
                            // One button, whose caption tells which way the loop goes.
                            presser(fenetre(), commande_de(fenetre(), QStringLiteral("Bouclage"))
                                                   ? QStringLiteral("Bouclage")
                                                   : QStringLiteral("Fdt seule"));
                        }});
    for (const char* sens : {"Fonction suivante", "Fonction précédente"})
        actions_.push_back({sens, 5,
                            [fenetre, sens] {
                                auto* b = controle<QToolButton>(fenetre(), QString::fromUtf8(sens));
                                return b && a_l_ecran(b);
                            },
                            [fenetre, sens] {
                                QTest::mouseClick(
                                    controle<QToolButton>(fenetre(), QString::fromUtf8(sens)),
                                    Qt::LeftButton);
                            }});
    actions_.push_back(
        {"Variable", 1,
         [fenetre] {
             for (const char* l : {"Variable en s", "Variable en p"})
                 if (a_l_ecran(controle<QPushButton>(fenetre(), QString::fromUtf8(l)))) return true;
             return false;
         },
         [fenetre] {
             for (const char* l : {"Variable en s", "Variable en p"})
                 if (auto* b = controle<QPushButton>(fenetre(), QString::fromUtf8(l));
                     a_l_ecran(b)) {
                     QTest::mouseClick(b, Qt::LeftButton);
                     return;
                 }
         }});
    for (const char* nom :
         {"Gain P", "Temps intégral τi", "Temps dérivé τd", "Paramètre du gabarit"})
        actions_.push_back({nom, 6,
                            [fenetre, nom] {
                                return a_l_ecran(
                                    controle<QSlider>(fenetre(), QString::fromUtf8(nom)));
                            },
                            [this, nom] { deplacer_curseur(QString::fromUtf8(nom)); }});
    for (const char* nom : {"Maximum de Gain P", "Maximum de Temps intégral τi",
                            "Maximum de Temps dérivé τd", "Maximum de Paramètre du gabarit"})
        actions_.push_back(
            {nom, 2,
             [fenetre, nom] {
                 return a_l_ecran(controle<QAbstractButton>(fenetre(), QString::fromUtf8(nom)));
             },
             [fenetre, nom] {
                 QTest::mouseClick(controle<QAbstractButton>(fenetre(), QString::fromUtf8(nom)),
                                   Qt::LeftButton);
             }});
    actions_.push_back(
        {"Avec I", 3,
         [fenetre] { return a_l_ecran(controle<QCheckBox>(fenetre(), QStringLiteral("Avec I"))); },
         [fenetre] {
             QTest::mouseClick(controle<QCheckBox>(fenetre(), QStringLiteral("Avec I")),
                               Qt::LeftButton);
         }});
    for (const char* nom : {"Numérateur du retour", "Dénominateur du retour"})
        actions_.push_back(
            {nom, 2,
             [fenetre, nom] {
                 return a_l_ecran(controle<QLineEdit>(fenetre(), QString::fromUtf8(nom)));
             },
             [this, fenetre, nom] {
                 avec_modal<dialogue_saisie>(
                     [&] {
                         QTest::mouseClick(controle<QLineEdit>(fenetre(), QString::fromUtf8(nom)),
                                           Qt::LeftButton);
                     },
                     [&](dialogue_saisie& d) { saisir_fonction(d); });
             }});
}

} // namespace varlem::test
