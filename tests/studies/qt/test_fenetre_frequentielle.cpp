// The frequency study window as a user drives it: the values readout, the mouse zoom, the
// status line under the pointer and the export of the plot and of its values.
#include "plot/echelles.h"
#include "studies/qt/banc_etudes.h"
#include "studies/qt/dialogue_lecture_frequentielle.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/zoom_frequentiel.h"

#include <QFile>
#include <QImage>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cmath>

namespace varlem {
namespace {

using test::cliquer;
using test::nombre_de;

class FenetreFrequentielle : public test::banc_etudes {
  protected:
    void SetUp() override {
        banc_etudes::SetUp();
        f = std::make_unique<fenetre_frequentielle>(*ctx);
        f->resize(800, 600);
        f->ouvrir();
        QApplication::processEvents();
    }

    /// Drags with the left button from a to b over the main picture.
    void glisser(QPoint a, QPoint b) {
        image_trace* i = image(f.get());
        QTest::mousePress(i, Qt::LeftButton, {}, a);
        QTest::mouseMove(i, (a + b) / 2);
        QTest::mouseMove(i, b);
        QTest::mouseRelease(i, Qt::LeftButton, {}, b);
    }

    dialogue_lecture_frequentielle& lecture() { return f->lecture(); }

    // Gain in dB of 1/((1+p)(1+0.5p)) at w.
    static double gain_attendu(double w) {
        return -10 * std::log10(1 + w * w) - 10 * std::log10(1 + 0.25 * w * w);
    }

    std::unique_ptr<fenetre_frequentielle> f;
};

TEST_F(FenetreFrequentielle, LectureAvanceParPasLineairesDepuisLeBasDeLAxe) {
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Gain")));
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Valeurs")));
    ASSERT_TRUE(lecture().isVisible());
    EXPECT_EQ(lecture().windowTitle(), QStringLiteral("Valeurs fréquentielles"));
    EXPECT_TRUE(sys->lecture.lecture_frq_active);
    EXPECT_EQ(test::controle<QLabel>(&lecture(), QStringLiteral("reponse"))->text(),
              QStringLiteral("Gain"));
    EXPECT_EQ(test::controle<QLabel>(&lecture(), QStringLiteral("fonction"))->text(),
              QStringLiteral("Pour la fonction n°1"));
    const double w_min = reg.frequence.w_min;
    for (int pas = 1; pas <= 3; ++pas) {
        const double w = nombre_de(&lecture(), QStringLiteral("Valeur de la pulsation"));
        // Four significant digits shown.
        EXPECT_NEAR(w, pas * w_min, 1e-3 * w) << pas;
        const double exact = sys->lecture.w_lecture;
        EXPECT_NEAR(nombre_de(&lecture(), QStringLiteral("Valeur du gain")), gain_attendu(exact),
                    1e-3 * std::abs(gain_attendu(exact)) + 1e-12);
        EXPECT_NEAR(nombre_de(&lecture(), QStringLiteral("Valeur de la phase")),
                    -std::atan(exact) - std::atan(0.5 * exact), 1e-3 * exact * 1.5);
        ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("+")));
    }
    // Down past the bottom: the pulsation stays positive.
    for (int pas = 0; pas < 5; ++pas) ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("-")));
    EXPECT_EQ(sys->lecture.w_lecture, 1e-30);
    EXPECT_GT(nombre_de(&lecture(), QStringLiteral("Valeur de la pulsation")), 0.0);

    // 1/((1+p)(1+0.5p)) never crosses 0 dB nor -180°.
    EXPECT_EQ(test::controle<QLabel>(&lecture(), QStringLiteral("Marge de gain"))->text(),
              QStringLiteral("infinie"));
    EXPECT_EQ(test::controle<QLabel>(&lecture(), QStringLiteral("Marge de phase"))->text(),
              QStringLiteral("aucune"));

    ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("Fin")));
    EXPECT_FALSE(lecture().isVisible());
    EXPECT_FALSE(sys->lecture.lecture_frq_active);
    ASSERT_FALSE(pilote.rafraichissements.empty());
    EXPECT_FALSE(pilote.rafraichissements.back().recalculer);
}

TEST_F(FenetreFrequentielle, LectureDUnGainQueLesPolynomesNeDonnentPlus) {
    // At the cursor's floor den(jω) = (jω)^15 vanishes in the doubles; the gain does not.
    const etat_etudes etudes = sys->etudes;
    *sys = *test::systeme_tape({{"(3p)(1+2p+1.5p^3)", "p^15"}});
    sys->etudes = etudes;
    preparer_frequences(reg.frequence, true, *sys);
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Gain")));
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Valeurs")));
    ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("-")));
    EXPECT_EQ(nombre_de(&lecture(), QStringLiteral("Valeur de la pulsation")), 1e-30);
    // |T| = 3 ω^-14 there, shown to the readout's digits.
    EXPECT_NEAR(nombre_de(&lecture(), QStringLiteral("Valeur du gain")),
                20 * std::log10(3.0) + 280 * 30, 1.0);
}

TEST_F(FenetreFrequentielle, PasDeLectureDUnSystemeSansFonction) {
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Gain")));
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Valeurs")));
    ASSERT_TRUE(lecture().isVisible());
    // A file of no function read, and the studies redrawn.
    sys->nb_fonctions = 0;
    f->rafraichir(false, false);
    EXPECT_FALSE(lecture().isVisible());
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Valeurs")));
    EXPECT_FALSE(lecture().isVisible()) << "nothing to read";
}

TEST_F(FenetreFrequentielle, LecturePasRapideBorneEtVueDeBode) {
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Bode")));
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Valeurs")));
    EXPECT_EQ(test::controle<QLabel>(&lecture(), QStringLiteral("reponse"))->text(),
              QStringLiteral("Diagramme de Bode"));
    for (int i = 0; i < 400; ++i) ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("+ rapide")));
    EXPECT_EQ(sys->lecture.pas_lecture_frq, 1e30);
    ASSERT_TRUE(cliquer(&lecture(), QStringLiteral("- rapide")));
    EXPECT_EQ(sys->lecture.pas_lecture_frq, 5e29);
    // Escape is the "Fin" of a window without a close box.
    QTest::keyClick(&lecture(), Qt::Key_Escape);
    EXPECT_FALSE(sys->lecture.lecture_frq_active);
}

TEST_F(FenetreFrequentielle, UnClicSurLeGainPlaceLeCurseurDeLecture) {
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Gain")));
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Valeurs")));
    const QSize t = image_de(f.get());
    const etude_frequence& r = reg.frequence;
    const int x =
        log_vers_pixel(r.decade_min, r.decade_max, cadre_gauche(), cadre_droite(t.width()), 1.0);
    QTest::mouseClick(image(f.get()), Qt::LeftButton, {}, QPoint(x, t.height() / 2));
    const double w = nombre_de(&lecture(), QStringLiteral("Valeur de la pulsation"));
    // The axis is graduated in hertz: 1 Hz is 2π rad/s; one pixel of a few decades over some
    // 700 pixels.
    ASSERT_TRUE(r.en_hertz);
    EXPECT_NEAR(std::log10(w), std::log10(2 * M_PI), 0.01);
    EXPECT_NEAR(nombre_de(&lecture(), QStringLiteral("Valeur du gain")),
                gain_attendu(sys->lecture.w_lecture), 1e-3 * std::abs(gain_attendu(w)));
}

TEST_F(FenetreFrequentielle, ZoomALaSourisDansLesDeuxSens) {
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Nyquist")));
    const etude_frequence avant = reg.frequence;
    const QSize t = image_de(f.get());
    const QPoint a(t.width() / 4, t.height() / 4), b(t.width() / 2, t.height() / 2);

    etude_frequence attendu = avant;
    bool zero_attendu = true;
    ASSERT_TRUE(zoom_souris(attendu, diagramme::nyquist, t.width(), t.height(),
                            {a.x(), a.y(), b.x(), b.y()}, zero_attendu));

    struct cas {
        QPoint depart, arrivee;
    };
    for (const cas& c : {cas{a, b}, cas{b, a}, cas{QPoint(a.x(), b.y()), QPoint(b.x(), a.y())}}) {
        reg.frequence = avant;
        ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Zoom avant")));
        image_trace* i = image(f.get());
        QTest::mousePress(i, Qt::LeftButton, {}, c.depart);
        QTest::mouseMove(i, c.arrivee);
        EXPECT_TRUE(i->rectangle().has_value()) << "the rubber band follows the drag";
        QTest::mouseRelease(i, Qt::LeftButton, {}, c.arrivee);
        EXPECT_FALSE(i->rectangle().has_value());
        EXPECT_EQ(reg.frequence.re_min, attendu.re_min);
        EXPECT_EQ(reg.frequence.re_max, attendu.re_max);
        EXPECT_EQ(reg.frequence.im_min, attendu.im_min);
        EXPECT_EQ(reg.frequence.im_max, attendu.im_max);
        EXPECT_EQ(reg.graphe.inclure_zero, zero_attendu);
    }
    // The zoom served one drag: the next one changes nothing.
    const etude_frequence apres = reg.frequence;
    glisser(a, b);
    EXPECT_EQ(reg.frequence.re_min, apres.re_min);
}

TEST_F(FenetreFrequentielle, ZoomRefuseSurUnClicUnTraitOuLaVueDeBode) {
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Gain")));
    const etude_frequence avant = reg.frequence;
    const QPoint a(100, 100);
    for (const QPoint b : {a, QPoint(a.x(), 300), QPoint(400, a.y())}) {
        ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Zoom avant")));
        glisser(a, b);
        EXPECT_EQ(reg.frequence.gain_min, avant.gain_min);
        EXPECT_EQ(reg.frequence.decade_min, avant.decade_min);
        // Disarmed all the same.
        glisser(QPoint(50, 50), QPoint(300, 300));
        EXPECT_EQ(reg.frequence.gain_min, avant.gain_min);
    }
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Bode")));
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Zoom avant")));
    glisser(QPoint(50, 50), QPoint(300, 200));
    EXPECT_EQ(reg.frequence.gain_min, avant.gain_min);
    EXPECT_EQ(reg.frequence.phase_min, avant.phase_min);
}

TEST_F(FenetreFrequentielle, LigneDEtatSousLePointeur) {
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Gain")));
    test::survoler(image(f.get()), QPoint(200, 150));
    const QString texte = f->ligne_etat()->currentMessage();
    EXPECT_TRUE(texte.contains(QStringLiteral("dB"))) << texte.toStdString();
    EXPECT_TRUE(texte.contains(QStringLiteral("Hz")) || texte.contains(QStringLiteral("rad/s")));
    // Outside the frame nothing is shown.
    test::survoler(image(f.get()), QPoint(2, 2));
    EXPECT_TRUE(f->ligne_etat()->currentMessage().isEmpty());
}

TEST_F(FenetreFrequentielle, ExportDuTraceEtDesValeurs) {
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Gain")));
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const auto exporter = [&](const QString& nom) {
        const QString chemin = dossier.filePath(nom);
        plat.enregistrements.push_back(chemin);
        EXPECT_TRUE(cliquer(f.get(), QStringLiteral("Exporter…")));
        QFile fichier(chemin);
        return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
    };
    const QImage png = QImage::fromData(exporter(QStringLiteral("gain.png")), "PNG");
    EXPECT_EQ(png.size(), QSize(reg.largeur_copie, reg.hauteur_copie));

    QXmlStreamReader svg(exporter(QStringLiteral("gain.svg")));
    int elements = 0;
    while (!svg.atEnd())
        if (svg.readNext() == QXmlStreamReader::StartElement) ++elements;
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_GT(elements, 10);

    const QByteArray pdf = exporter(QStringLiteral("gain.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));

    const QList<QByteArray> lignes = exporter(QStringLiteral("gain.csv")).trimmed().split('\n');
    ASSERT_GT(lignes.size(), 2);
    EXPECT_EQ(lignes[0].split(',').size(), 1 + 2 * 2) << "w, then gain and phase of both";
    for (qsizetype i = 1; i < lignes.size(); i += 37) {
        const QList<QByteArray> champs = lignes[i].split(',');
        const double w = champs[0].toDouble();
        EXPECT_NEAR(champs[1].toDouble(), gain_attendu(w), 1e-9) << lignes[i].toStdString();
    }
    EXPECT_TRUE(plat.erreurs.isEmpty());

    exporter(QStringLiteral("gain.txt"));
    EXPECT_EQ(plat.erreurs.size(), 1) << "an unknown format is refused with a message";
    EXPECT_FALSE(QFile::exists(dossier.filePath(QStringLiteral("gain.txt"))));
}

} // namespace
} // namespace varlem
