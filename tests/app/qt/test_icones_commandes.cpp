// The command icons: one for every command of the tool bars, drawn in one palette, legible on
// light and dark themes. With VARLEM_PLANCHE_ICONES=FILE.png the test also writes the contact
// sheet of every icon at 16 and 24 pixels, device pixel ratios 1 and 2, on a light and a dark
// background (VARLEM_PLANCHE_ZOOM=N enlarges it N times, pixel for pixel; VARLEM_PLANCHE_NOMS
// lists the icons to draw, separated by commas).
#include "studies/qt/icones_commandes.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>

#include <cmath>
#include <cstdlib>
#include <set>

namespace varlem {
namespace {

// The commands of the main, system and study tool bars, and those to come.
const char* const commandes[] = {
    // Main window.
    "entree_systeme", "ouvrir", "enregistrer", "etude_temporelle", "etude_frequentielle",
    "etude_poles_zeros", "etude_decomposition", "parametres", "cascade", "mosaique_horizontale",
    "mosaique_verticale", "tout_reduire", "reorganiser", "annuler", "retablir", "fichiers_recents",
    "imprimer", "lieu_evans", "fixer_p", "stabilite",
    // System window.
    "nouvelle_fonction", "modifier_fonction", "supprimer_fonction", "copier", "etude_parametree",
    "bouclage", "fdt_seule", "fonction_suivante", "fonction_precedente",
    // Study windows.
    "copier_courbes", "exporter", "gain", "phase", "bode", "module", "black", "nyquist",
    "zoom_avant", "zoom_arriere", "decade_moins", "decade_plus", "echelle_auto", "valeurs",
    "impulsion", "echelon", "rampe", "sinusoide", "carre", "triangle", "temps_divise",
    "temps_double"};

const QColor fond_clair(0xf5, 0xf5, 0xf5);
const QColor fond_sombre(0x2b, 0x2b, 0x2b);

double luminance(const QColor& c) {
    const auto canal = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF());
}

double contraste(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The icon as the screen gets it: cote × ratio pixels each side, drawn pixel for pixel.
QImage rendu(const QString& nom, int cote, double ratio) {
    QImage image = icone_commande(nom)
                       .pixmap(QSize(cote, cote), ratio)
                       .toImage()
                       .convertToFormat(QImage::Format_ARGB32);
    image.setDevicePixelRatio(1.0);
    return image;
}

TEST(IconesCommandesTest, UneIconePourChaqueCommande) {
    const QStringList noms = noms_icones_commandes();
    std::set<QString> attendus;
    for (const char* c : commandes) {
        attendus.insert(QString::fromLatin1(c));
        EXPECT_TRUE(noms.contains(QString::fromLatin1(c))) << c;
    }
    // No drawing left without its command.
    for (const QString& n : noms) EXPECT_TRUE(attendus.count(n)) << n.toStdString();
    EXPECT_TRUE(icone_commande(QStringLiteral("inconnue")).isNull());
    EXPECT_TRUE(icone_commande(QString()).isNull());
}

TEST(IconesCommandesTest, UneSeulePaletteEtUneSeuleGrille) {
    const QRegularExpression couleur(QStringLiteral("#[0-9a-fA-F]{3,6}\\b"));
    for (const QString& n : noms_icones_commandes()) {
        QFile f(QString::fromLatin1(dossier_icones_commandes) + QLatin1Char('/') + n +
                QStringLiteral(".svg"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << n.toStdString();
        const QString svg = QString::fromUtf8(f.readAll());
        EXPECT_TRUE(svg.contains(QStringLiteral("viewBox=\"0 0 24 24\""))) << n.toStdString();
        EXPECT_TRUE(svg.contains(QStringLiteral("<title>"))) << n.toStdString();
        std::set<QString> vues;
        for (auto it = couleur.globalMatch(svg); it.hasNext();) vues.insert(it.next().captured());
        for (const QString& c : vues)
            EXPECT_TRUE(c == QStringLiteral("#808b96") || c == QStringLiteral("#e4572e"))
                << n.toStdString() << " " << c.toStdString();
    }
}

TEST(IconesCommandesTest, LisiblesEnClairEtEnSombre) {
    for (const QString& n : noms_icones_commandes()) {
        SCOPED_TRACE(n.toStdString());
        for (const int cote : {16, 24}) {
            for (const double ratio : {1.0, 2.0}) {
                const QImage image = rendu(n, cote, ratio);
                ASSERT_EQ(image.width(), static_cast<int>(cote * ratio));
                // Ink: pixels mostly opaque. Enough of it to be seen, not a blot.
                int encre = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x) {
                        const QColor c = image.pixelColor(x, y);
                        if (c.alphaF() < 0.6) continue;
                        ++encre;
                        // Every opaque stroke stands out from both themes' backgrounds.
                        ASSERT_GE(contraste(c, fond_clair), 3.0) << c.name().toStdString();
                        ASSERT_GE(contraste(c, fond_sombre), 3.0) << c.name().toStdString();
                    }
                const double part = static_cast<double>(encre) / (image.width() * image.height());
                EXPECT_GT(part, 0.06) << cote << "@" << ratio;
                EXPECT_LT(part, 0.55) << cote << "@" << ratio;
            }
        }
    }
}

// The contact sheet: a row an icon, its name then, on each background, 16 and 24 pixels at
// ratio 1, then 16 and 24 at ratio 2, each drawn pixel for pixel.
QImage planche(const QStringList& noms) {
    const int colonnes = noms.size() > 12 ? 2 : 1, marge = 8, largeur_nom = 150, hauteur_ligne = 56;
    const int largeur_panneau = marge + (16 + marge) + (24 + marge) + (32 + marge) + (48 + marge);
    const int largeur_colonne = largeur_nom + 2 * largeur_panneau + marge;
    const int lignes = (static_cast<int>(noms.size()) + colonnes - 1) / colonnes;
    QImage feuille(colonnes * largeur_colonne, lignes * hauteur_ligne, QImage::Format_ARGB32);
    feuille.fill(Qt::white);
    QPainter g(&feuille);
    QFont police = g.font();
    police.setPixelSize(12);
    g.setFont(police);
    for (int i = 0; i < noms.size(); ++i) {
        const int x0 = (i / lignes) * largeur_colonne, y0 = (i % lignes) * hauteur_ligne;
        g.setPen(Qt::black);
        g.drawText(QRect(x0 + marge, y0, largeur_nom, hauteur_ligne), Qt::AlignVCenter, noms[i]);
        int x = x0 + largeur_nom;
        for (const QColor& fond : {fond_clair, fond_sombre}) {
            g.fillRect(QRect(x, y0 + 2, largeur_panneau, hauteur_ligne - 4), fond);
            int xi = x + marge;
            for (const double ratio : {1.0, 2.0})
                for (const int cote : {16, 24}) {
                    const QImage im = rendu(noms[i], cote, ratio);
                    g.drawImage(QPoint(xi, y0 + (hauteur_ligne - im.height()) / 2), im);
                    xi += im.width() + marge;
                }
            x += largeur_panneau;
        }
    }
    g.end();
    return feuille;
}

TEST(IconesCommandesTest, PlancheContact) {
    const char* sortie = std::getenv("VARLEM_PLANCHE_ICONES");
    // VARLEM_PLANCHE_NOMS=a,b,c draws only those icons, to look at them closely.
    const char* choix = std::getenv("VARLEM_PLANCHE_NOMS");
    const QImage feuille = planche(
        choix && *choix ? QString::fromLatin1(choix).split(QLatin1Char(','), Qt::SkipEmptyParts)
                        : noms_icones_commandes());
    EXPECT_FALSE(feuille.isNull());
    if (!sortie) GTEST_SKIP() << "VARLEM_PLANCHE_ICONES unset: no sheet written";
    const char* zoom = std::getenv("VARLEM_PLANCHE_ZOOM");
    const int n = zoom ? std::max(1, std::atoi(zoom)) : 1;
    const QImage grande =
        feuille.scaled(feuille.size() * n, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    ASSERT_TRUE(grande.save(QString::fromLocal8Bit(sortie)));
}

} // namespace
} // namespace varlem
