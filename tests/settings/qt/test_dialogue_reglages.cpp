// The settings dialog as a user drives it: tabs, clickable labels answered by the scripted
// choosers and input boxes, boxes, groups, the slider, the precision arrows and "OK".
#include "settings/qt/dialogue_reglages.h"
#include "settings/qt/elements_reglages.h"
#include "studies/qt/banc_etudes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <functional>
#include <utility>

namespace varlem {
namespace {

using test::cliquer;
using test::controle;

class DialogueReglages : public test::banc_etudes {
  protected:
    void SetUp() override {
        banc_etudes::SetUp();
        sys->etudes.temps_ouverte = true;
        sys->etudes.etude_temps_choisie = entree_temps::sinus;
        d = std::make_unique<dialogue_reglages>(*ctx);
    }

    /// Opens the dialog as the application does (without waiting on it), on tab `titre`.
    void ouvrir(const QString& titre = QStringLiteral("Etude temps")) {
        d->remplir_dialogue();
        d->show();
        QApplication::processEvents();
        onglet(titre);
    }
    /// Clicks the tab captioned `titre`.
    void onglet(const QString& titre) {
        QTabBar* barre = d->onglets().tabBar();
        for (int i = 0; i < barre->count(); ++i)
            if (barre->tabText(i) == titre)
                QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(i).center());
        ASSERT_EQ(d->onglets().tabText(d->onglets().currentIndex()), titre);
    }
    /// Clicks a label, the input box answering `reponse` (nullopt: cancelled).
    void repondre(const QString& nom, std::optional<QString> reponse) {
        plat.saisies.push_back(std::move(reponse));
        EXPECT_TRUE(cliquer(d.get(), nom)) << nom.toStdString();
    }
    /// Clicks a check box or a radio button on its box, as the user does.
    void cocher_case(const QString& nom) {
        QAbstractButton* b = controle<QAbstractButton>(d.get(), nom);
        ASSERT_NE(b, nullptr) << nom.toStdString();
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }
    etiquette_cliquable* etiquette(const QString& nom) {
        return controle<etiquette_cliquable>(d.get(), nom);
    }
    QString texte(const QString& nom) {
        etiquette_cliquable* e = etiquette(nom);
        return e ? e->texte() : QStringLiteral("<absente>");
    }
    /// The refreshes asked for since the last call.
    std::vector<rafraichissement> refreshes() {
        std::vector<rafraichissement> r;
        for (const auto& a : std::exchange(pilote.rafraichissements, {}))
            r.push_back(rafraichir(a.reprendre_echelles, a.recalculer));
        return r;
    }

    std::unique_ptr<dialogue_reglages> d;
};

const std::vector<rafraichissement> aucun;
const std::vector<rafraichissement> simple{rafraichir(false, false)};
const std::vector<rafraichissement> avec_calcul{rafraichir(false, true)};

TEST_F(DialogueReglages, SixOngletsEtOuvertureSurEtudeTemps) {
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Parametres de l'étude en cours"));
    QStringList titres;
    for (int i = 0; i < d->onglets().count(); ++i) titres << d->onglets().tabText(i);
    EXPECT_EQ(titres, (QStringList{"Graphique", "Etude freq", "Etude temps", "Poles et zéros",
                                   "Decomposition", "Taille "}));
    d->onglets().setCurrentIndex(0);
    QString montre;
    QTimer::singleShot(0, d.get(), [&] {
        montre = d->onglets().tabText(d->onglets().currentIndex());
        cliquer(d.get(), QStringLiteral("OK"));
    });
    d->montrer();
    EXPECT_EQ(montre, QStringLiteral("Etude temps"));
    EXPECT_FALSE(d->isVisible());
    // Every tab is in sight: none is hidden behind scroll arrows.
    const QTabBar* barre = d->onglets().tabBar();
    EXPECT_LE(barre->tabRect(barre->count() - 1).right(), barre->width());
}

TEST_F(DialogueReglages, RemplissageDepuisLesReglages) {
    reg.frequence.en_hertz = false;
    reg.frequence.en_radians = false;
    reg.largeur_copie = 1131;
    reg.temps.precision_modifiee = true;
    sys->etudes.boucle_fermee = true;
    struct cas {
        diagramme freq;
        bool bode;
        entree_temps temps;
        const char* texte_freq;
        const char* texte_temps;
    };
    for (const cas& c : {cas{diagramme::aucun, false, entree_temps::impulsion, "Non choisie",
                             "Etude en cours:Rep impulsionnelle"},
                         cas{diagramme::nyquist, false, entree_temps::echelon, "Nyquist",
                             "Etude en cours:Rep indicielle"},
                         cas{diagramme::phase, true, entree_temps::rampe, "Bode",
                             "Etude en cours:Rep en accélération"},
                         cas{diagramme::black, false, entree_temps::aucune, "Black",
                             "Etude en cours:Rep en accélération"}}) {
        sys->etudes.etude_freq_choisie = c.freq;
        sys->etudes.bode_double = c.bode;
        sys->etudes.etude_temps_choisie = c.temps;
        d->remplir_dialogue();
        EXPECT_EQ(controle<QLabel>(d.get(), "etude_frequence")->text(), c.texte_freq);
        EXPECT_EQ(controle<QLabel>(d.get(), "etude_temps")->text(), c.texte_temps);
    }
    ouvrir();
    EXPECT_FALSE(reg.temps.precision_modifiee);
    EXPECT_TRUE(controle<QRadioButton>(d.get(), "Rad/s")->isChecked());
    EXPECT_TRUE(controle<QRadioButton>(d.get(), "Degré")->isChecked());
    QWidget* page = d->onglets().currentWidget();
    EXPECT_TRUE(controle<QLabel>(page, "Boucle fermée")->isVisible());
    EXPECT_FALSE(controle<QLabel>(page, "Boucle ouverte")->isVisible());
    onglet(QStringLiteral("Taille "));
    EXPECT_EQ(texte("Largeur en cm"), "29.9 cm");
    EXPECT_EQ(texte("Hauteur en cm"), "11 cm");
    EXPECT_TRUE(refreshes().empty());
}

TEST_F(DialogueReglages, OuvertureMontreLesReglagesEnregistres) {
    reg.graphe.quadrillage = true;
    reg.graphe.pointilles = false;
    reg.graphe.couleurs[3] = 0x00FF00;
    reg.pz.precision = 5;
    reg.pz.valeurs_poles = false;
    reg.temps.pulsation = 5.5;
    reg.temps.amplitude = 4;
    reg.precision_periodique = 8;
    reg.temps.afficher_entree = false;
    ouvrir();
    EXPECT_EQ(texte("pulsation"), "w = 5.5rad/s");
    EXPECT_EQ(texte("wmin"), "wmin = 1rad/s");
    EXPECT_EQ(texte("wmax"), "wmax = 10rad/s");
    EXPECT_EQ(controle<QSlider>(d.get(), "Curseur de pulsation")->value(), 9);
    EXPECT_EQ(reg.temps.pulsation, 5.5) << "placing the slider does not round the pulsation";
    EXPECT_EQ(texte("amplitude"), "Amplitude = 4");
    EXPECT_EQ(texte("phase"), "Phase à l'origine = 0");
    EXPECT_FALSE(controle<QCheckBox>(d.get(), "Afficher courbes signal entrée")->isChecked());
    EXPECT_EQ(controle<QSpinBox>(d.get(), "Précision des calculs signaux périodiques")->value(), 8);
    EXPECT_EQ(controle<QProgressBar>(d.get(), "Jauge de précision")->value(), 8);
    EXPECT_TRUE(controle<QCheckBox>(d.get(), "Quadrillage")->isChecked());
    EXPECT_TRUE(controle<QRadioButton>(d.get(), "Plein")->isChecked());
    EXPECT_EQ(etiquette("Couleur courbe 3")->couleur_texte(), QColor(0, 255, 0));
    EXPECT_EQ(controle<QComboBox>(d.get(), "Précision affichage")->currentText(), "5");
    EXPECT_FALSE(controle<QCheckBox>(d.get(), "Valeurs des pôles")->isChecked());
    EXPECT_TRUE(refreshes().empty()) << "showing the settings changes none of them";
    EXPECT_EQ(reg.pz.precision, 5);
}

TEST_F(DialogueReglages, EtiquettesDeCouleurChoisiesOuAnnulees) {
    struct cas {
        const char* onglet;
        const char* nom;
        couleur* reglage;
    };
    for (const cas& c : {cas{"Graphique", "Couleur axes", &reg.graphe.couleur_axes},
                         cas{"Graphique", "Couleur courbe 1", &reg.graphe.couleurs[1]},
                         cas{"Graphique", "Couleur courbe 8", &reg.graphe.couleurs[8]},
                         cas{"Graphique", "Couleur entrée temps", &reg.graphe.couleur_entree},
                         cas{"Poles et zéros", "Couleur des zéros", &reg.pz.couleur_zeros},
                         cas{"Poles et zéros", "Couleur des pôles", &reg.pz.couleur_poles}}) {
        ouvrir(c.onglet);
        const couleur avant = *c.reglage;
        plat.couleurs.push_back(std::nullopt);
        ASSERT_TRUE(cliquer(d.get(), c.nom)) << c.nom;
        EXPECT_EQ(*c.reglage, avant) << c.nom << ": cancelled";
        EXPECT_EQ(refreshes(), aucun) << c.nom;
        plat.couleurs.push_back(0xFF0000);
        cliquer(d.get(), c.nom);
        EXPECT_EQ(*c.reglage, 0xFF0000u) << c.nom;
        EXPECT_EQ(etiquette(c.nom)->couleur_texte(), QColor(0, 0, 255)) << c.nom;
        EXPECT_EQ(refreshes(), simple) << c.nom;
    }
    EXPECT_EQ(etiquette("Couleur axes")->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_NE(etiquette("Couleur entrée temps")->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(etiquette("Couleur axes")->toolTip(), "Cliquer pour changer");
}

TEST_F(DialogueReglages, LongueurDesGraduations) {
    ouvrir(QStringLiteral("Graphique"));
    const QString nom = QStringLiteral("Longueur graduations:  3");
    repondre(nom, QStringLiteral("12"));
    ASSERT_EQ(plat.invites.size(), 1u);
    EXPECT_EQ(plat.invites[0], (QStringList{"Longueur des graduations",
                                            "Entrer la longueur des graduations < 30", "3"}));
    EXPECT_EQ(reg.graphe.longueur_graduations, 12);
    EXPECT_EQ(refreshes(), simple);
    const QString nouveau = QStringLiteral("Longueur graduations:  12");
    repondre(nouveau, QStringLiteral("40"));
    EXPECT_EQ(reg.graphe.longueur_graduations, 12);
    EXPECT_EQ(refreshes(), simple) << "an integer out of bounds still refreshes";
    repondre(nouveau, QStringLiteral("douze"));
    EXPECT_EQ(plat.erreurs, QStringList{"'douze' n'est pas une valeur entière correcte."});
    EXPECT_EQ(refreshes(), aucun);
    EXPECT_EQ(reg.graphe.longueur_graduations, 12);
}

TEST_F(DialogueReglages, CasesEtGroupesDuGraphique) {
    ouvrir(QStringLiteral("Graphique"));
    struct cas {
        const char* nom;
        std::function<bool()> reglage;
        bool attendu;
        std::vector<rafraichissement> rafraichi;
    };
    const std::vector<cas> tous = {
        {"Inclure zero", [&] { return reg.graphe.inclure_zero; }, false, simple},
        {"Inclure zero", [&] { return reg.graphe.inclure_zero; }, true, avec_calcul},
        {"Quadrillage", [&] { return reg.graphe.quadrillage; }, true, simple},
        {"Plein", [&] { return reg.graphe.pointilles; }, false, simple},
        {"Pointillés", [&] { return reg.graphe.pointilles; }, true, simple},
        {"Fonction courante", [&] { return sys->etudes.toutes_fonctions; }, false, simple},
        {"Toutes les fonctions", [&] { return sys->etudes.toutes_fonctions; }, true, simple}};
    for (const cas& c : tous) {
        cocher_case(c.nom);
        EXPECT_EQ(c.reglage(), c.attendu) << c.nom;
        EXPECT_EQ(refreshes(), c.rafraichi) << c.nom;
    }
    cocher_case("Toutes les fonctions");
    EXPECT_EQ(refreshes(), aucun) << "the choice already made changes nothing";
}

TEST_F(DialogueReglages, PoliceChoisieOuAnnulee) {
    ouvrir(QStringLiteral("Graphique"));
    const QString bouton = QStringLiteral("Police et taille des graduations");
    plat.polices.push_back(std::nullopt);
    cliquer(d.get(), bouton);
    EXPECT_EQ(reg.graphe.police, "Arial");
    EXPECT_EQ(refreshes(), aucun);
    plat.polices.push_back(QFont(QStringLiteral("DejaVu Serif"), 11));
    cliquer(d.get(), bouton);
    EXPECT_EQ(reg.graphe.police, "DejaVu Serif");
    EXPECT_EQ(reg.graphe.taille_police, 11);
    EXPECT_EQ(refreshes(), simple);
}

TEST_F(DialogueReglages, UnitesDeFrequenceReprennentLaGamme) {
    ouvrir(QStringLiteral("Etude freq"));
    reg.temps.precision_modifiee = true;
    reg.frequence.decade_min = -60;
    cocher_case("Rad/s");
    EXPECT_FALSE(reg.frequence.en_hertz);
    EXPECT_GT(reg.frequence.decade_min, -60);
    EXPECT_EQ(refreshes(), simple);
    reg.frequence.decade_min = -60;
    cocher_case("Degré");
    EXPECT_FALSE(reg.frequence.en_radians);
    EXPECT_GT(reg.frequence.decade_min, -60);
    EXPECT_EQ(refreshes(), simple);
    EXPECT_TRUE(reg.temps.precision_modifiee) << "a pending precision change is kept";
}

TEST_F(DialogueReglages, SinusoideRecalculeLaReponseTemporelle) {
    ouvrir();
    EXPECT_EQ(texte("amplitude"), "Amplitude =  1");
    struct cas {
        const char* nom;
        const char* reponse;
        QStringList invite;
        const char* etiquette;
    };
    for (const cas& c : {cas{"amplitude",
                             "2.5",
                             {"Entrée donnée", "Entrer la valeur de l amplitude", "1"},
                             "Amplitude = 2.5"},
                         cas{"amplitude",
                             "-1",
                             {"Entrée donnée", "Entrer la valeur de l amplitude", "2.5"},
                             "Amplitude = 2.5"},
                         cas{"phase",
                             "0.5",
                             {"Entrée donnée", "Entrer la valeur de phase à l origine en rad", "0"},
                             "Phase à l origine = .5rad"}}) {
        reg.temps.t_max = 0;
        plat.invites.clear();
        repondre(c.nom, QString::fromUtf8(c.reponse));
        EXPECT_EQ(plat.invites.at(0), c.invite) << c.nom;
        EXPECT_EQ(texte(c.nom), QString::fromUtf8(c.etiquette));
        const bool accepte = std::string(c.reponse) != "-1";
        EXPECT_EQ(reg.temps.t_max > 0, accepte) << c.nom << ": computed again";
        EXPECT_EQ(refreshes(), accepte ? simple : aucun) << c.nom;
    }
    EXPECT_EQ(reg.temps.amplitude, 2.5);
}

TEST_F(DialogueReglages, PulsationTapeeEtCurseur) {
    ouvrir();
    QSlider* curseur = controle<QSlider>(d.get(), "Curseur de pulsation");
    ASSERT_EQ(curseur->value(), 18);
    repondre("pulsation", QStringLiteral("2.3"));
    EXPECT_EQ(reg.temps.pulsation, 2.3) << "the slider follows without rounding the value";
    EXPECT_EQ(curseur->value(), 15);
    EXPECT_EQ(texte("pulsation"), "Pulsation = 2.3rad/s");
    repondre("pulsation", QStringLiteral("50"));
    EXPECT_EQ(reg.temps.pulsation, 50);
    EXPECT_EQ(curseur->value(), 15) << "outside its ends the slider stays";
    refreshes();

    curseur->setFocus();
    QTest::keyClick(curseur, Qt::Key_Home);
    EXPECT_EQ(curseur->value(), 0);
    EXPECT_EQ(reg.temps.pulsation, 10) << "top end";
    EXPECT_EQ(refreshes(), simple) << "the sine is studied";
    QTest::keyClick(curseur, Qt::Key_Down);
    EXPECT_EQ(curseur->value(), 1) << "Down moves the thumb down, to a lower pulsation";
    EXPECT_LT(reg.temps.pulsation, 10);
    refreshes();
    sys->etudes.etude_temps_choisie = entree_temps::echelon;
    QTest::keyClick(curseur, Qt::Key_End);
    EXPECT_EQ(reg.temps.pulsation, 1) << "bottom end";
    EXPECT_EQ(refreshes(), aucun) << "no sine studied: nothing computed";

    repondre("wmin", QStringLiteral("2"));
    repondre("wmax", QStringLiteral("0"));
    EXPECT_EQ(texte("wmin"), "wmin = 2rad/s");
    EXPECT_EQ(texte("wmax"), "wmax = 10rad/s") << "refused: the label stays";
    EXPECT_EQ(reg.temps.pulsation_min, 2);
    EXPECT_EQ(reg.temps.pulsation_max, 10);
    EXPECT_EQ(refreshes(), aucun);
}

TEST_F(DialogueReglages, PrecisionPeriodiqueCalculeeAuOK) {
    sys->etudes.etude_temps_choisie = entree_temps::carre;
    ouvrir();
    sys->periodique.echantillons_entree.clear();
    QSpinBox* fleches = controle<QSpinBox>(d.get(), "Précision des calculs signaux périodiques");
    fleches->setFocus();
    QTest::keyClick(fleches, Qt::Key_Up);
    EXPECT_EQ(reg.precision_periodique, 6);
    EXPECT_EQ(controle<QProgressBar>(d.get(), "Jauge de précision")->value(), 6);
    EXPECT_TRUE(reg.temps.precision_modifiee);
    EXPECT_EQ(refreshes(), aucun);
    EXPECT_TRUE(sys->periodique.echantillons_entree.empty()) << "nothing computed before OK";
    cliquer(d.get(), "OK");
    EXPECT_FALSE(sys->periodique.echantillons_entree.empty());
    EXPECT_EQ(refreshes(), simple);
    EXPECT_FALSE(reg.temps.precision_modifiee);
    EXPECT_FALSE(d->isVisible());
}

TEST_F(DialogueReglages, CaseSignalEntreeSuitSonEtat) {
    ouvrir();
    QCheckBox* entree = controle<QCheckBox>(d.get(), "Afficher courbes signal entrée");
    for (bool attendu : {false, true, false}) {
        cocher_case("Afficher courbes signal entrée");
        EXPECT_EQ(reg.temps.afficher_entree, attendu);
        EXPECT_EQ(entree->isChecked(), attendu);
        EXPECT_EQ(refreshes(), simple);
    }
    // Changed behind the dialog's back, the setting follows the box, not its own inverse.
    reg.temps.afficher_entree = true;
    cocher_case("Afficher courbes signal entrée");
    EXPECT_TRUE(entree->isChecked());
    EXPECT_TRUE(reg.temps.afficher_entree);
    refreshes();
    cocher_case("Afficher rép syst non corr qd bouclage");
    EXPECT_TRUE(sys->etudes.afficher_non_corrige);
    EXPECT_EQ(refreshes(), aucun) << "loop open";
}

TEST_F(DialogueReglages, TailleDesSymboles) {
    ouvrir(QStringLiteral("Poles et zéros"));
    for (const auto& [reponse, taille] :
         {std::pair{"0", 10}, {"-3", 10}, {"21", 10}, {"15.7", 15}, {"1", 1}}) {
        repondre("Taille", QString::fromLatin1(reponse));
        EXPECT_EQ(reg.pz.taille_symboles, taille) << reponse;
        EXPECT_EQ(refreshes(), std::string(reponse) == "15.7" || taille == 1 ? simple : aucun);
    }
    EXPECT_EQ(plat.invites.at(0),
              (QStringList{"Entrée de la taille", "taille des o et * : ", "10"}));
    repondre("Taille", QStringLiteral("18"));
    EXPECT_EQ(etiquette("Taille")->font().pointSize(), 18);
}

TEST_F(DialogueReglages, DecompositionEtPrecisionAffichee) {
    ouvrir(QStringLiteral("Decomposition"));
    for (const char* nom :
         {"Decomposition de la fonction courante", "Valeurs des pôles", "Valeurs des zéros"})
        cocher_case(nom);
    EXPECT_FALSE(reg.pz.decomposer_courante || reg.pz.valeurs_poles || reg.pz.valeurs_zeros);
    EXPECT_EQ(refreshes().size(), 3u);
    QComboBox* liste = controle<QComboBox>(d.get(), "Précision affichage");
    liste->setFocus();
    QTest::keyClick(liste, Qt::Key_Down);
    QTest::keyClick(liste, Qt::Key_Down);
    EXPECT_EQ(reg.pz.precision, 5);
    EXPECT_EQ(refreshes().size(), 2u);
    d->hide();
    ouvrir(QStringLiteral("Decomposition"));
    EXPECT_EQ(liste->currentText(), "5");
}

TEST_F(DialogueReglages, TailleDeCopieEnCentimetres) {
    ouvrir(QStringLiteral("Taille "));
    struct cas {
        const char* reponse;
        int pixels;
        const char* etiquette;
    };
    for (const cas& c :
         {cas{"1", 567, "15 cm"}, cas{"29.9", 1131, "29.9 cm"}, cas{"30", 1131, "29.9 cm"}}) {
        repondre("Largeur en cm", QString::fromLatin1(c.reponse));
        EXPECT_EQ(reg.largeur_copie, c.pixels) << c.reponse;
        EXPECT_EQ(texte("Largeur en cm"), c.etiquette) << c.reponse;
    }
    repondre("Hauteur en cm", std::nullopt);
    EXPECT_EQ(reg.hauteur_copie, 416) << "cancelled: the default 11 cm comes back";
    EXPECT_EQ(plat.invites.back(), (QStringList{"Entrer la hauteur", "hauteur en cm < 30", "11"}));
    EXPECT_EQ(refreshes(), aucun);
}

TEST_F(DialogueReglages, ClavierEtNomsAccessibles) {
    ouvrir(QStringLiteral("Graphique"));
    d->activateWindow();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == d->windowHandle(); }));
    plat.couleurs.push_back(0x0000FF);
    QTest::keyClick(d.get(), Qt::Key_A, Qt::AltModifier);
    // A mnemonic presses its button for a moment before the click.
    EXPECT_TRUE(QTest::qWaitFor([&] { return reg.graphe.couleur_axes == 0x0000FFu; }))
        << "Alt+A: Couleur axes";
    QTest::keyClick(d.get(), Qt::Key_Q, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return reg.graphe.quadrillage; })) << "Alt+Q: Quadrillage";
    plat.couleurs.push_back(0x00FF00);
    etiquette("Couleur courbe 2")->setFocus();
    QTest::keyClick(etiquette("Couleur courbe 2"), Qt::Key_Space);
    EXPECT_EQ(reg.graphe.couleurs[2], 0x00FF00u) << "Space on the focused label";

    for (int i = 0; i < d->onglets().count(); ++i) {
        for (QWidget* w : d->onglets().widget(i)->findChildren<QWidget*>()) {
            const bool controle_saisi =
                qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSlider*>(w) ||
                qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w);
            if (!controle_saisi) continue;
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
            EXPECT_TRUE(w->focusPolicy() & Qt::TabFocus) << w->accessibleName().toStdString();
        }
    }
}

} // namespace
} // namespace varlem
