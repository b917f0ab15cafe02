// The time study window as a user drives it: the periodic input dialog, the values readout,
// the progress window of long computations, the status line and the export.
#include "analysis/periodique.h"
#include "studies/qt/banc_etudes.h"
#include "studies/qt/dialogue_lecture_temporelle.h"
#include "studies/qt/dialogue_periodique.h"
#include "studies/qt/fenetre_attente.h"
#include "studies/qt/fenetre_temporelle.h"
#include "support/genres.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <functional>

namespace varlem {
namespace {

using test::cliquer;
using test::nombre_de;
using test::taper;

class FenetreTemporelle : public test::banc_etudes {
  protected:
    void SetUp() override {
        banc_etudes::SetUp();
        f = std::make_unique<fenetre_temporelle>(*ctx);
        f->resize(800, 600);
        f->ouvrir();
        QApplication::processEvents();
    }

    /// Presses `bouton`, which opens the periodic dialog, and runs `action` on it once open.
    bool avec_periodique(const QString& bouton, const std::function<void(QDialog&)>& action) {
        return test::avec_modal<dialogue_periodique>([&] { EXPECT_TRUE(cliquer(f.get(), bouton)); },
                                                     [&](QDialog& d) { action(d); });
    }

    dialogue_lecture_temporelle& lecture() { return f->lecture(); }

    std::unique_ptr<fenetre_temporelle> f;
};

TEST_F(FenetreTemporelle, DialoguePeriodiqueRefuseSansMessageEtGardeCeQuIlAAccepte) {
    QString titre;
    ASSERT_TRUE(avec_periodique(QStringLiteral("Carré"), [&](QDialog& d) {
        titre = d.windowTitle();
        struct cas {
            const char* periodes;
            const char* rapport;
            bool ferme;
        };
        for (const cas& c : {cas{"10.5", "0.5", false}, cas{"0", "0.5", false},
                             cas{"10", "1.2", false}, cas{"10", "1", true}}) {
            taper(&d, QStringLiteral("Nb périodes vues"), QString::fromLatin1(c.periodes));
            taper(&d, QStringLiteral("Rapport cycl/dissym"), QString::fromLatin1(c.rapport));
            cliquer(&d, QStringLiteral("OK"));
            EXPECT_EQ(!d.isVisible(), c.ferme) << c.periodes << " " << c.rapport;
            if (!c.ferme && std::string(c.rapport) == "1.2") {
                EXPECT_EQ(reg.temps.nb_periodes, 10.0) << "stored before the ratio was refused";
            }
        }
    }));
    EXPECT_EQ(titre, QStringLiteral("Entrée parametres signal carré"));
    EXPECT_EQ(sys->etudes.etude_temps_choisie, entree_temps::carre);
    EXPECT_EQ(reg.temps.rapport_cyclique, 1.0);
    EXPECT_EQ(static_cast<int>(sys->periodique.echantillons_entree.size()),
              nb_echantillons_periodiques(reg.temps));

    // The dialog keeps what was typed; its close box still runs the computation.
    ASSERT_TRUE(avec_periodique(QStringLiteral("Triangle"), [&](QDialog& d) {
        titre = d.windowTitle();
        EXPECT_EQ(test::texte_boite(&d, QStringLiteral("Nb périodes vues")), QStringLiteral("10"));
        taper(&d, QStringLiteral("Fréquence (Hz)"), QStringLiteral("5"));
        d.reject();
    }));
    EXPECT_EQ(titre, QStringLiteral("Entrée parametres signal triangle"));
    EXPECT_EQ(sys->etudes.etude_temps_choisie, entree_temps::triangle);
    EXPECT_EQ(reg.temps.frequence_periodique, 1.0) << "nothing stored without OK";
    EXPECT_FALSE(sys->periodique.echantillons_reponse[1].empty());
}

TEST_F(FenetreTemporelle, LectureDeLaReponseIndicielle) {
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Échelon")));
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Valeurs")));
    ASSERT_TRUE(lecture().isVisible());
    EXPECT_EQ(test::controle<QLabel>(&lecture(), QStringLiteral("reponse"))->text(),
              QStringLiteral("Réponse indicielle"));
    EXPECT_EQ(nombre_de(&lecture(), QStringLiteral("Valeur du temps")), 0.0);
    ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("-")));
    EXPECT_EQ(sys->lecture.t_lecture, 0.0) << "never before the start";
    // The step response's characteristics: 1/((1+p)(1+0.5p)) settles at 1 without overshoot.
    EXPECT_EQ(nombre_de(&lecture(), QStringLiteral("Valeur finale")), 1.0);
    EXPECT_EQ(test::controle<QLabel>(&lecture(), QStringLiteral("Dépassement"))->text(),
              QStringLiteral("0 %"));
    const QString montee =
        test::controle<QLabel>(&lecture(), QStringLiteral("Temps de montée"))->text();
    EXPECT_TRUE(montee.endsWith(QStringLiteral(" s"))) << montee.toStdString();
    EXPECT_GT(montee.chopped(2).toDouble(), 0.0);

    const double pas = reg.temps.t_pas / 10;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("+")));
    const double t = nombre_de(&lecture(), QStringLiteral("Valeur du temps"));
    EXPECT_NEAR(t, 10 * pas, 1e-3 * t);
    // Step response of 1/((1+p)(1+0.5p)).
    EXPECT_NEAR(nombre_de(&lecture(), QStringLiteral("Valeur de la réponse")),
                1 - 2 * std::exp(-t) + std::exp(-2 * t), 1e-3);

    ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("Détaillé")));
    EXPECT_TRUE(test::controle<QPushButton>(&lecture(), QStringLiteral("Rapide")));
    ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("+")));
    EXPECT_NEAR(sys->lecture.t_lecture, 10 * pas + pas / 10, 1e-9 * pas);

    // Reopened: back at 0 with the coarse step.
    ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("Fin")));
    EXPECT_FALSE(sys->lecture.lecture_tps_active);
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Valeurs")));
    EXPECT_EQ(sys->lecture.t_lecture, 0.0);
    EXPECT_TRUE(test::controle<QPushButton>(&lecture(), QStringLiteral("Détaillé")));
    ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("+")));
    EXPECT_NEAR(sys->lecture.t_lecture, pas, 1e-9 * pas);

    // A click on the plot moves the cursor there.
    const QSize taille = image_de(f.get());
    QTest::mouseClick(image(f.get()), Qt::LeftButton, {}, QPoint(taille.width() / 2, 50));
    EXPECT_NEAR(sys->lecture.t_lecture, (reg.temps.t_min + reg.temps.t_max) / 2,
                (reg.temps.t_max - reg.temps.t_min) / 100);
    ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("Fin")));
}

TEST_F(FenetreTemporelle, LectureDUnCarreArreteeAuDernierEchantillon) {
    ASSERT_TRUE(avec_periodique(QStringLiteral("Carré"),
                                [&](QDialog& d) { cliquer(&d, QStringLiteral("OK")); }));
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Valeurs")));
    const double dernier =
        reg.temps.t_min + (nb_echantillons_periodiques(reg.temps) - 1) * pas_periodique(reg.temps);
    const int appuis = static_cast<int>(dernier / sys->lecture.pas_lecture_tps) + 5;
    for (int i = 0; i < appuis; ++i) ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("+")));
    EXPECT_LE(sys->lecture.t_lecture, dernier + 1e-12);
    EXPECT_GT(sys->lecture.t_lecture, dernier - sys->lecture.pas_lecture_tps - 1e-12);
    ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("Fin")));
}

TEST_F(FenetreTemporelle, CarreDeHuitFonctionsDansUneFenetreTresLarge) {
    // The slowest periodic study: eight functions of degree 15 at the finest precision, in a
    // window as wide as a large screen, is held to 1000 points (its time is benchmarked).
    std::vector<std::pair<std::string, std::string>> fonctions;
    for (int k = 1; k <= 8; ++k) {
        std::string den;
        for (int i = 1; i <= 15; ++i) den += "(1+" + std::to_string(0.05 * i + 0.01 * k) + "p)";
        fonctions.emplace_back("1", den);
    }
    const etat_etudes etudes = sys->etudes;
    *sys = *test::systeme_tape(fonctions);
    sys->etudes = etudes;
    reg.precision_periodique = 11;
    f->resize(4000, 1000);
    QApplication::processEvents();
    ASSERT_TRUE(avec_periodique(QStringLiteral("Carré"), [&](QDialog& d) {
        taper(&d, QStringLiteral("Nb périodes vues"), QStringLiteral("10"));
        cliquer(&d, QStringLiteral("OK"));
    }));
    EXPECT_EQ(sys->periodique.echantillons_reponse[8].size(), 501u) << "1000 points at most";
}

TEST_F(FenetreTemporelle, LigneDEtatEtExport) {
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Échelon")));
    test::survoler(image(f.get()), QPoint(200, 100));
    EXPECT_TRUE(f->ligne_etat()->currentMessage().contains(QStringLiteral(" s")));

    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("echelon.csv"));
    plat.enregistrements.push_back(chemin);
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Exporter…")));
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    const QList<QByteArray> lignes = fichier.readAll().trimmed().split('\n');
    ASSERT_GT(lignes.size(), 10);
    EXPECT_EQ(lignes[0].split(',').size(), 2 + 2) << "t, the input, then both functions";
    for (qsizetype i = 1; i < lignes.size(); i += 17) {
        const QList<QByteArray> champs = lignes[i].split(',');
        const double t = champs[0].toDouble();
        EXPECT_NEAR(champs[2].toDouble(), 1 - 2 * std::exp(-t) + std::exp(-2 * t), 1e-9);
    }
}

TEST(FenetreAttente, ParaitSeulementQuandLeCalculDure) {
    fenetre_attente attente;
    EXPECT_EQ(attente.windowTitle(), QStringLiteral("Patientez SVP"));
    bool vue = false;
    int valeur = -1;
    // A quick computation never shows it.
    attente.executer([&](const rapport_progression& progression) {
        progression(50);
        vue = attente.isVisible();
    });
    EXPECT_FALSE(vue);

    attente.regler_delai(0);
    attente.executer([&](const rapport_progression& progression) {
        progression(40);
        vue = attente.isVisible();
        valeur = attente.progression();
    });
    EXPECT_TRUE(vue);
    EXPECT_EQ(valeur, 40);
    EXPECT_FALSE(attente.isVisible()) << "hidden when the computation ends";
}

} // namespace
} // namespace varlem
