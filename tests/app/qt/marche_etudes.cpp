// The walk's actions in the study windows: every tool-bar command, the periodic input dialog,
// the readouts, the mouse on the plots; and every control of the settings dialog.
#include "app/qt/marche_aleatoire.h"
#include "app/qt/marche_outils.h"
#include "settings/qt/dialogue_reglages.h"
#include "studies/qt/dialogue_lecture_frequentielle.h"
#include "studies/qt/dialogue_lecture_temporelle.h"
#include "studies/qt/dialogue_periodique.h"
#include "studies/qt/fenetre_decomposition.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_lieu_evans.h"
#include "studies/qt/fenetre_poles_zeros.h"
#include "studies/qt/fenetre_stabilite.h"
#include "studies/qt/fenetre_temporelle.h"
#include "studies/qt/image_trace.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>

namespace varlem::test {

std::optional<QString> marche_aleatoire::valeur_aleatoire() {
    static const std::vector<const char*> valeurs = {"0",
                                                     "-1",
                                                     "-5",
                                                     "1",
                                                     "2",
                                                     "3",
                                                     "5",
                                                     "10",
                                                     "15",
                                                     "29",
                                                     "30",
                                                     "31",
                                                     "50",
                                                     "100",
                                                     "1e6",
                                                     "1e9",
                                                     "1e10",
                                                     "1e308",
                                                     "1e309",
                                                     "-1e308",
                                                     "0.001",
                                                     "1e-300",
                                                     "1,5",
                                                     "2.5",
                                                     "abc",
                                                     "",
                                                     " ",
                                                     "nan",
                                                     "inf",
                                                     "-inf",
                                                     "99999999999999999999",
                                                     "0x10",
                                                     "1e",
                                                     "٣",
                                                     "0.5",
                                                     "20.1"};
    if (h_.pile(0.15)) return std::nullopt;
    if (h_.pile(0.01)) return QString(10'000, QLatin1Char('9'));
    return QString::fromUtf8(h_.parmi(valeurs));
}

void marche_aleatoire::glisser_sur(const QString& nom, bool bouton_gauche) {
    image_trace* image = nullptr;
    for (QWidget* f :
         {static_cast<QWidget*>(&app_->frequentielle()), static_cast<QWidget*>(&app_->temporelle()),
          static_cast<QWidget*>(&app_->lieu_evans())})
        for (image_trace* i : f->findChildren<image_trace*>())
            if (i->accessibleName() == nom) image = i;
    if (!a_l_ecran(image) || image->width() <= 0 || image->height() <= 0) return;
    const auto point = [&] {
        return QPoint(h_.entier(-40, image->width() + 40), h_.entier(-40, image->height() + 40));
    };
    const QPoint a = point(), b = h_.pile(0.2) ? a : point();
    const Qt::MouseButton bouton = bouton_gauche ? Qt::LeftButton : Qt::RightButton;
    noter("(" + std::to_string(a.x()) + "," + std::to_string(a.y()) + ")→(" +
          std::to_string(b.x()) + "," + std::to_string(b.y()) + ")");
    QTest::mousePress(image, bouton, {}, a);
    QTest::mouseMove(image, (a + b) / 2);
    QTest::mouseMove(image, b);
    QTest::mouseRelease(image, bouton, {}, b);
}

void marche_aleatoire::saisir_periodique() {
    auto* d = qobject_cast<dialogue_periodique*>(QApplication::activeModalWidget());
    if (!d) return;
    static const std::vector<std::vector<const char*>> valeurs = {
        {"1", "0.1", "10", "1000", "1e6", "0", "-1", "abc", "", "1e308", "0.001", "50"},
        {"1", "3", "10", "11", "0", "0.5", "-2", "abc", "2"},
        {"1", "0", "-1", "5", "1e10", "abc", "-1e300", "2"},
        {"0", "1", "-1", "0.5", "-5", "abc", "1e10"},
        {"0.5", "0", "1", "1.5", "-0.1", "abc", "0.9"}};
    const QString champs[] = {QStringLiteral("Fréquence (Hz)"), QStringLiteral("Nb périodes vues"),
                              QStringLiteral("Amplitude max"), QStringLiteral("Amplitude min"),
                              QStringLiteral("Rapport cycl/dissym")};
    auto* boutons = d->findChild<QDialogButtonBox*>();
    for (int essai = 0; essai < 3; ++essai) {
        for (std::size_t i = 0; i < 5; ++i) {
            QLineEdit* e = controle<QLineEdit>(d, champs[i]);
            if (!e || !h_.pile(0.4)) continue;
            const std::string v = h_.parmi(valeurs[i]);
            noter(std_(champs[i]) + "=" + v);
            taper_texte(e, v);
        }
        for (const char* depart : {"Maxi au départ", "Mini au départ"})
            if (auto* r = controle<QRadioButton>(d, QString::fromUtf8(depart)); r && h_.pile(0.15))
                QTest::mouseClick(r, Qt::LeftButton);
        if (h_.pile(0.15)) {
            etape("Echap", [&] { QTest::keyClick(d, Qt::Key_Escape); });
            return;
        }
        etape("OK", [&] {
            if (QPushButton* ok = boutons ? boutons->button(QDialogButtonBox::Ok) : nullptr)
                QTest::mouseClick(ok, Qt::LeftButton);
        });
        if (!d->isVisible()) return;
    }
    etape("Echap", [&] { QTest::keyClick(d, Qt::Key_Escape); });
}

void marche_aleatoire::regler_dans_dialogue() {
    dialogue_reglages& d = app_->parametres();
    if (!d.isVisible()) return;
    QTabWidget& onglets = d.onglets();
    const int n = h_.entier(1, 6);
    for (int i = 0; i < n && !en_echec_; ++i) {
        if (h_.pile(0.25)) {
            const int k = h_.entier(0, onglets.count() - 1);
            etape("onglet " + std_(onglets.tabText(k)), [&] {
                QTabBar* barre = onglets.tabBar();
                QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(k).center());
            });
            continue;
        }
        std::vector<QWidget*> controles;
        for (QWidget* w : onglets.currentWidget()->findChildren<QWidget*>())
            if (w->isVisible() && w->isEnabled() &&
                (qobject_cast<QAbstractButton*>(w) || qobject_cast<QSlider*>(w) ||
                 qobject_cast<QSpinBox*>(w) || qobject_cast<QComboBox*>(w)))
                controles.push_back(w);
        if (controles.empty()) continue;
        QWidget* c = h_.parmi(controles);
        QString nom = c->accessibleName();
        if (auto* b = qobject_cast<QAbstractButton*>(c); b && nom.isEmpty()) nom = b->text();
        // Each control gets answers of its own for the boxes it opens.
        preparer_reponses();
        etape(
            "réglage " + std_(onglets.tabText(onglets.currentIndex())) + " : " + std_(nom),
            [&] {
                if (auto* b = qobject_cast<QAbstractButton*>(c)) {
                    QTest::mouseClick(b, Qt::LeftButton);
                } else if (auto* s = qobject_cast<QSlider*>(c)) {
                    const Qt::Key k =
                        h_.parmi(std::vector{Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                                             Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End});
                    QTest::keyClick(s, k);
                } else if (auto* e = qobject_cast<QSpinBox*>(c)) {
                    if (h_.pile(0.5)) {
                        QTest::keyClick(e, h_.pile(0.5) ? Qt::Key_Up : Qt::Key_PageDown);
                    } else {
                        e->selectAll();
                        QTest::keyClicks(e, QString::number(h_.entier(-5, 40)));
                        QTest::keyClick(e, Qt::Key_Return);
                    }
                } else if (auto* l = qobject_cast<QComboBox*>(c)) {
                    l->setCurrentIndex(h_.entier(0, l->count() - 1));
                }
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

void marche_aleatoire::declarer_actions_etudes() {
    struct commande_etude {
        const char* fenetre;
        const char* texte;
        int poids;
    };
    const auto fenetre_de = [this](const char* nom) -> QWidget* {
        const std::string n = nom;
        if (n == "temps") return &app_->temporelle();
        if (n == "fréquence") return &app_->frequentielle();
        if (n == "pôles") return &app_->poles_zeros();
        if (n == "lieu") return &app_->lieu_evans();
        if (n == "stabilité") return &app_->stabilite();
        return &app_->decomposition();
    };
    const commande_etude commandes[] = {{"temps", "Impulsion", 3},
                                        {"temps", "Échelon", 3},
                                        {"temps", "Rampe", 2},
                                        {"temps", "Sinusoïde", 2},
                                        {"temps", "Copier", 1},
                                        {"temps", "Exporter…", 1},
                                        {"temps", "Temps ÷ 2", 2},
                                        {"temps", "Temps × 2", 2},
                                        {"temps", "Valeurs", 2},
                                        {"fréquence", "Gain", 3},
                                        {"fréquence", "Phase", 2},
                                        {"fréquence", "Bode", 3},
                                        {"fréquence", "Module", 2},
                                        {"fréquence", "Black", 2},
                                        {"fréquence", "Nyquist", 2},
                                        {"fréquence", "Copier", 1},
                                        {"fréquence", "Exporter…", 1},
                                        {"fréquence", "Zoom avant", 3},
                                        {"fréquence", "Zoom arrière", 2},
                                        {"fréquence", "Décade −", 2},
                                        {"fréquence", "Décade +", 2},
                                        {"fréquence", "Échelle auto", 2},
                                        {"fréquence", "Valeurs", 2},
                                        {"pôles", "Échelle auto", 1},
                                        {"pôles", "Copier", 1},
                                        {"pôles", "Exporter…", 1},
                                        {"décomposition", "Copier le texte", 1},
                                        {"lieu", "Échelle auto", 2},
                                        {"lieu", "Zoom avant", 3},
                                        {"lieu", "Zoom arrière", 2},
                                        {"lieu", "Fixer P", 3},
                                        {"lieu", "Copier", 1},
                                        {"lieu", "Exporter…", 1},
                                        {"stabilité", "Copier le texte", 1}};
    for (const commande_etude& c : commandes)
        actions_.push_back({c.texte, c.poids,
                            [=] {
                                QWidget* f = fenetre_de(c.fenetre);
                                return f->isEnabled() &&
                                       commande_offerte(f, QString::fromUtf8(c.texte));
                            },
                            [=, this] {
                                noter(std::string("(") + c.fenetre + ")");
                                presser(fenetre_de(c.fenetre), QString::fromUtf8(c.texte));
                            }});
    for (const char* entree : {"Carré", "Triangle"})
        actions_.push_back(
            {entree, 3,
             [this, entree] {
                 return app_->temporelle().isEnabled() &&
                        commande_offerte(&app_->temporelle(), QString::fromUtf8(entree));
             },
             [this, entree] {
                 avec_modal<dialogue_periodique>(
                     [&] { presser(&app_->temporelle(), QString::fromUtf8(entree)); },
                     [this](dialogue_periodique&) { saisir_periodique(); });
             }});

    // The readouts' buttons, by the names they give.
    const auto boutons_lecture = [this](std::function<QWidget*()> lecture,
                                        const std::vector<const char*>& noms, const char* prefixe) {
        for (const char* nom : noms)
            actions_.push_back(
                {nom, 2,
                 [lecture, nom] {
                     auto* b = controle<QAbstractButton>(lecture(), QString::fromUtf8(nom));
                     return b && a_l_ecran(b);
                 },
                 [this, lecture, nom, prefixe] {
                     noter(prefixe);
                     QTest::mouseClick(controle<QAbstractButton>(lecture(), QString::fromUtf8(nom)),
                                       Qt::LeftButton);
                 }});
        actions_.push_back({"Echap sur la lecture", 1, [lecture] { return a_l_ecran(lecture()); },
                            [lecture] { QTest::keyClick(lecture(), Qt::Key_Escape); }});
    };
    boutons_lecture(
        [this] { return &app_->frequentielle().lecture(); },
        {"Pulsation précédente", "Pulsation suivante", "Pas divisé par deux", "Pas doublé", "Fin"},
        "(fréquence)");
    boutons_lecture([this] { return &app_->temporelle().lecture(); },
                    {"Instant précédent", "Instant suivant", "Pas fin ou rapide", "Fin"},
                    "(temps)");

    // The mouse on the plots: clicks, drags with random corners, the pointer passing over.
    for (const char* image :
         {"Diagramme fréquentiel", "Diagramme de la phase", "Réponse temporelle", "Lieu d'Evans"}) {
        const auto sur_ecran = [this, image] {
            for (QWidget* f : {static_cast<QWidget*>(&app_->frequentielle()),
                               static_cast<QWidget*>(&app_->temporelle()),
                               static_cast<QWidget*>(&app_->lieu_evans())})
                for (image_trace* i : f->findChildren<image_trace*>())
                    if (i->accessibleName() == QString::fromUtf8(image))
                        return f->isEnabled() && a_l_ecran(i) && i->width() > 0;
            return false;
        };
        actions_.push_back({image, 4, sur_ecran, [this, image] {
                                glisser_sur(QString::fromUtf8(image), !h_.pile(0.1));
                            }});
    }
    // The arrow keys walk along the locus; Escape gives up its armed zoom.
    actions_.push_back(
        {"Touche sur le lieu", 2,
         [this] { return app_->lieu_evans().isEnabled() && a_l_ecran(&app_->lieu_evans()); },
         [this] {
             const Qt::Key k = h_.parmi(std::vector{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
                                                    Qt::Key_Down, Qt::Key_Escape});
             noter(k == Qt::Key_Escape ? "Echap" : "flèche");
             QTest::keyClick(&app_->lieu_evans(), k);
         }});
    actions_.push_back({"Echap sur les fréquences", 1,
                        [this] { return a_l_ecran(&app_->frequentielle()); },
                        [this] { QTest::keyClick(&app_->frequentielle(), Qt::Key_Escape); }});
}

} // namespace varlem::test
