#include "plot/axes.h"
#include "plot/echelles.h"
#include "plot/qt/copie_vectorielle.h"
#include "plot/qt/surface_qt.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <memory>

namespace varlem {
namespace {

constexpr QRgb blanc = 0xFFFFFFFF;
constexpr QRgb rouge = 0xFFFF0000;
constexpr QRgb bleu = 0xFF0000FF;
constexpr QRgb gris = 0xFFC0C0C0;

// A 630 × 380 frame: x -2..10 (50 pixels per unit, vertical axis at 115), y -1..8 (40 pixels
// per unit, horizontal axis at 330), axes in red (0x0000FF as 0x00BBGGRR).
param reglages(bool grille, bool pointilles = true) {
    param p;
    p.quadrillage = grille;
    p.pointilles = pointilles;
    p.couleur_axes = 0x0000FF;
    return p;
}

dessin cadre(const param& p) {
    return [p](surface& s) { tracer_axes(s, p, 1, 1, -2, 10, -1, 8); };
}

TEST(SurfaceQtTest, CouleursBgr) {
    const struct {
        couleur c;
        QRgb attendu;
    } cas[] = {{0x0000FF, rouge},
               {0xFF0000, bleu},
               {0x00FF00, 0xFF00FF00},
               {0xC0C0C0, gris},
               {0x123456, 0xFF563412}};
    for (const auto& k : cas) EXPECT_EQ(couleur_qt(k.c).rgba(), k.attendu) << std::hex << k.c;
}

TEST(SurfaceQtTest, AxesDansUneImage) {
    const QImage image = dessiner_image(630, 380, cadre(reglages(false)));
    ASSERT_EQ(image.size(), QSize(630, 380));
    // Axis lines over their whole length, nothing in an empty part of the data area.
    for (int y = 20; y <= 360; y += 17) EXPECT_EQ(image.pixel(115, y), rouge) << y;
    for (int x = 20; x <= 610; x += 23) EXPECT_EQ(image.pixel(x, 330), rouge) << x;
    EXPECT_EQ(image.pixel(300, 200), blanc);
    // A tick of the vertical axis, 3 pixels to its right at the unlabelled row of 6 (90).
    EXPECT_EQ(image.pixel(117, 90), rouge);
    EXPECT_EQ(image.pixel(121, 90), blanc);
}

TEST(SurfaceQtTest, QuadrillagePleinOuPointille) {
    for (const bool pointilles : {false, true}) {
        const QImage image = dessiner_image(630, 380, cadre(reglages(true, pointilles)));
        // The unlabelled row of 6 (90) between two grid columns: grey, or grey and white.
        int grises = 0, blancs = 0;
        for (int x = 120; x < 160; ++x) {
            const QRgb c = image.pixel(x, 90);
            grises += c == gris;
            blancs += c == blanc;
        }
        if (pointilles) {
            EXPECT_GT(grises, 5);
            EXPECT_GT(blancs, 5);
        } else {
            EXPECT_EQ(grises, 40);
        }
        // The horizontal axis is drawn last, over the grid columns.
        EXPECT_EQ(image.pixel(165, 330), rouge);
    }
}

TEST(SurfaceQtTest, LigneBriseeEtChangementDeCrayon) {
    const QImage image = dessiner_image(100, 100, [](surface& s) {
        s.couleur_crayon(0x0000FF);
        s.deplacer(10, 10);
        s.tracer_vers(50, 10);
        s.tracer_vers(50, 40);
        s.couleur_crayon(0xFF0000);
        s.tracer_vers(90, 40);
        s.deplacer(10, 80);
        s.tracer_vers(90, 80);
    });
    EXPECT_EQ(image.pixel(30, 10), rouge);
    EXPECT_EQ(image.pixel(50, 25), rouge);
    // The segment after the colour change starts from where the pen was.
    EXPECT_EQ(image.pixel(70, 40), bleu);
    // A move starts a new line: nothing joins (90, 40) to (10, 80).
    EXPECT_EQ(image.pixel(50, 60), blanc);
    EXPECT_EQ(image.pixel(50, 80), bleu);
}

TEST(SurfaceQtTest, TraitEpaisQuiRevientSurLuiMemeEntier) {
    // A fast sine drawn with the input's thick pen: every point doubles back over the height.
    constexpr int n = 3000;
    const QImage image = dessiner_image(n + 20, 800, [](surface& s) {
        s.couleur_crayon(0xFF0000);
        s.epaisseur_crayon(2);
        s.deplacer(10, 10);
        for (int k = 1; k < n; ++k) s.tracer_vers(10 + k, k % 2 ? 790 : 10);
    });
    // Every stroke is there, those at the joins of the pieces it is drawn in too.
    for (const int k : {1, 63, 64, 65, 128, 129, 1000, n - 1})
        EXPECT_EQ(image.pixel(10 + k, 400), bleu) << k;
}

// Many points in each pixel column (a fine time step) draw the pixels the painter draws for
// the whole line through every point: pens of 1 to 3 pixels, columns of 1 to 40 points.
TEST(SurfaceQtTest, PointsNombreuxParColonneMemesPixels) {
    struct cas {
        int epaisseur;
        int par_colonne;
    };
    for (const cas c : {cas{1, 1}, cas{1, 5}, cas{1, 40}, cas{2, 7}, cas{3, 40}}) {
        QPolygon points;
        unsigned graine = 12345;
        for (int i = 0; i < 60 * c.par_colonne; ++i) {
            graine = graine * 1103515245u + 12345u;
            points << QPoint(10 + i / c.par_colonne, 20 + static_cast<int>((graine >> 16) % 260));
        }
        const QImage image = dessiner_image(100, 300, [&](surface& s) {
            s.couleur_crayon(0xFF0000);
            s.epaisseur_crayon(c.epaisseur);
            s.deplacer(points[0].x(), points[0].y());
            for (qsizetype i = 1; i < points.size(); ++i)
                s.tracer_vers(points[i].x(), points[i].y());
        });
        QImage attendu(image.size(), image.format());
        attendu.fill(Qt::white);
        {
            QPainter peintre(&attendu);
            peintre.setPen(
                QPen(QColor(Qt::blue), c.epaisseur, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
            peintre.drawPolyline(points);
        }
        // A thick pen is stroked in pieces, whose joins differ from the whole line's: a pixel
        // drawn by one and not the other is then next to one both drew.
        const auto trace_par_les_deux = [&](int x, int y) {
            for (int dy = -c.epaisseur; dy <= c.epaisseur; ++dy)
                for (int dx = -c.epaisseur; dx <= c.epaisseur; ++dx)
                    if (attendu.valid(x + dx, y + dy) && image.pixel(x + dx, y + dy) != blanc &&
                        attendu.pixel(x + dx, y + dy) != blanc)
                        return true;
            return false;
        };
        int differents = 0, isoles = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != attendu.pixel(x, y)) {
                    ++differents;
                    isoles += !trace_par_les_deux(x, y);
                }
        if (c.epaisseur == 1) {
            EXPECT_EQ(differents, 0) << c.par_colonne << " points per column";
        }
        EXPECT_EQ(isoles, 0) << "pen " << c.epaisseur << ", " << c.par_colonne << " per column";
    }
}

TEST(SurfaceQtTest, DensiteDePixelsDeLEcran) {
    // The surface speaks in logical pixels whatever the density: its size, its lines.
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        int largeur_vue = 0;
        const QImage image = dessiner_image(
            100, 60,
            [&](surface& s) {
                largeur_vue = s.largeur();
                s.couleur_crayon(0x0000FF);
                s.deplacer(10, 30);
                s.tracer_vers(90, 30);
            },
            ratio);
        EXPECT_EQ(largeur_vue, 100) << ratio;
        EXPECT_EQ(image.devicePixelRatio(), ratio);
        EXPECT_EQ(image.deviceIndependentSize().toSize(), QSize(100, 60)) << ratio;
        EXPECT_EQ(image.size(), QSize(qRound(100 * ratio), qRound(60 * ratio))) << ratio;
        EXPECT_EQ(image.pixel(qRound(50 * ratio), qRound(30 * ratio)), rouge) << ratio;
        EXPECT_EQ(image.pixel(qRound(50 * ratio), qRound(20 * ratio)), blanc) << ratio;
    }
}

TEST(SurfaceQtTest, RectangleSansRemplissage) {
    const QImage image = dessiner_image(100, 100, [](surface& s) {
        s.couleur_crayon(0xFF0000);
        s.rectangle(80, 70, 20, 30);
    });
    EXPECT_EQ(image.pixel(50, 30), bleu);
    EXPECT_EQ(image.pixel(20, 50), bleu);
    EXPECT_EQ(image.pixel(50, 50), blanc);
}

// Bounding box of the non-white pixels of an image.
QRect encre(const QImage& image) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != blanc) r |= QRect(x, y, 1, 1);
    return r;
}

TEST(SurfaceQtTest, TexteEtMetriques) {
    int largeur = 0, hauteur = 0, largeur_w = 0, largeur_ww = 0;
    const QImage image = dessiner_image(200, 100, [&](surface& s) {
        s.police("Arial", 12, 0x0000FF);
        largeur = s.largeur_texte("12.5");
        hauteur = s.hauteur_texte("1");
        largeur_w = s.largeur_texte("W");
        largeur_ww = s.largeur_texte("WW");
        s.texte(40, 30, "12.5");
    });
    // 12 points are 16 pixels: a line of text is a little higher, "W" about as wide.
    EXPECT_GE(hauteur, 16);
    EXPECT_LE(hauteur, 22);
    EXPECT_GE(largeur_w, 10);
    EXPECT_LE(largeur_w, 18);
    EXPECT_EQ(largeur_ww, 2 * largeur_w);
    // The text's ink lies inside the box whose top-left corner was given.
    const QRect r = encre(image);
    ASSERT_FALSE(r.isNull());
    EXPECT_GE(r.left(), 40);
    EXPECT_GE(r.top(), 30);
    EXPECT_LE(r.right(), 40 + largeur);
    EXPECT_LE(r.bottom(), 30 + hauteur);
}

TEST(SurfaceQtTest, SvgValideAvecLignesEtEtiquettes) {
    const QByteArray svg = dessiner_svg(630, 380, cadre(reglages(true)));
    ASSERT_FALSE(svg.isEmpty());
    QXmlStreamReader xml(svg);
    int lignes = 0;
    QSet<QString> textes;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QString nom = xml.name().toString();
        if (nom == "polyline" || nom == "path" || nom == "line") ++lignes;
        if (nom == "text") textes.insert(xml.readElementText().trimmed());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    // 23 grid lines and the axes.
    EXPECT_GE(lignes, 25);
    for (const char* t : {"-1", "1", "3", "5", "7", "9"}) EXPECT_TRUE(textes.contains(t)) << t;
}

TEST(SurfaceQtTest, PdfUnePage) {
    const QByteArray pdf = dessiner_pdf(630, 380, cadre(reglages(false)));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
}

TEST(SurfaceQtTest, DonneesDuPressePapiers) {
    std::unique_ptr<QMimeData> donnees(preparer_copie(300, 200, cadre(reglages(false))));
    ASSERT_TRUE(donnees);
    EXPECT_TRUE(donnees->hasFormat("image/svg+xml"));
    EXPECT_TRUE(donnees->hasFormat("application/pdf"));
    EXPECT_TRUE(donnees->hasFormat("image/png"));
    EXPECT_TRUE(donnees->hasImage());
    EXPECT_TRUE(donnees->data("application/pdf").startsWith("%PDF"));
    EXPECT_TRUE(donnees->data("image/png").startsWith("\x89PNG"));
    EXPECT_TRUE(donnees->data("image/svg+xml").contains("<svg"));
    const QImage image = qvariant_cast<QImage>(donnees->imageData());
    EXPECT_EQ(image.size(), QSize(300, 200));
}

TEST(SurfaceQtTest, EnregistrementSelonExtension) {
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const dessin d = cadre(reglages(false));
    const struct {
        const char* nom;
        resultat_export attendu;
        const char* debut;
    } cas[] = {{"a.png", resultat_export::reussi, "\x89PNG"},
               {"b.SVG", resultat_export::reussi, "<?xml"},
               {"c.pdf", resultat_export::reussi, "%PDF"},
               {"d.txt", resultat_export::extension_inconnue, nullptr},
               {"sans_extension", resultat_export::extension_inconnue, nullptr},
               {"absent/e.png", resultat_export::erreur_ecriture, nullptr}};
    for (const auto& k : cas) {
        const QString chemin = dossier.filePath(k.nom);
        EXPECT_EQ(enregistrer_dessin(chemin, 300, 200, d), k.attendu) << k.nom;
        if (!k.debut) continue;
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << k.nom;
        EXPECT_TRUE(f.readAll().startsWith(k.debut)) << k.nom;
    }
    EXPECT_EQ(enregistrer_dessin(dossier.filePath("f.png"), 0, 200, d),
              resultat_export::taille_invalide);
}

TEST(SurfaceQtTest, TaillesNulles) {
    const dessin d = cadre(reglages(false));
    EXPECT_TRUE(dessiner_image(0, 10, d).isNull());
    EXPECT_TRUE(dessiner_svg(10, -1, d).isEmpty());
    EXPECT_TRUE(dessiner_pdf(0, 0, d).isEmpty());
    std::unique_ptr<QMimeData> donnees(preparer_copie(0, 0, d));
    EXPECT_TRUE(donnees->formats().isEmpty());
    // A frame too small for a data area stays blank.
    EXPECT_EQ(encre(dessiner_image(30, 20, d)), QRect());
}

} // namespace
} // namespace varlem
