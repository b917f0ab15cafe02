#include "plot/qt/copie_vectorielle.h"

#include "plot/qt/surface_qt.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace varlem {

namespace {

// The drawing; the surface draws what it holds pending before the painter ends.
void peindre(QPainter& peintre, int w, int h, const dessin& d) {
    surface_qpainter s(&peintre, w, h);
    d(s);
}

// White background, then the drawing.
void peindre_sur_blanc(QPainter& peintre, int w, int h, const dessin& d) {
    peintre.fillRect(QRect(0, 0, w, h), Qt::white);
    peindre(peintre, w, h, d);
}

// The bytes `ecrire` writes into a memory buffer; its writers end (and flush) inside it.
template <typename Ecrire> QByteArray en_octets(Ecrire ecrire) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    ecrire(tampon);
    return octets;
}

QByteArray octets_png(const QImage& image) {
    return en_octets([&](QBuffer& tampon) { image.save(&tampon, "PNG"); });
}

} // namespace

QImage dessiner_image(int w, int h, const dessin& d, qreal ratio) {
    if (w <= 0 || h <= 0) return QImage();
    if (!(ratio >= 1.0)) ratio = 1.0;
    QImage image(qRound(w * ratio), qRound(h * ratio), QImage::Format_RGB32);
    // The painter then works in logical pixels: the geometry is the same at any ratio.
    image.setDevicePixelRatio(ratio);
    // A plain fill of the pixels: the painter would split so large a fill among threads.
    image.fill(Qt::white);
    QPainter peintre(&image);
    peindre(peintre, w, h, d);
    return image;
}

QByteArray dessiner_svg(int w, int h, const dessin& d) {
    if (w <= 0 || h <= 0) return QByteArray();
    return en_octets([&](QBuffer& tampon) {
        QSvgGenerator generateur;
        generateur.setOutputDevice(&tampon);
        generateur.setSize(QSize(w, h));
        generateur.setViewBox(QRect(0, 0, w, h));
        generateur.setResolution(96);
        QPainter peintre(&generateur);
        peindre_sur_blanc(peintre, w, h, d);
    });
}

QByteArray dessiner_pdf(int w, int h, const dessin& d) {
    if (w <= 0 || h <= 0) return QByteArray();
    return en_octets([&](QBuffer& tampon) {
        QPdfWriter pdf(&tampon);
        // The page is the canvas at 96 pixels per inch, without margins.
        pdf.setPageLayout(
            QPageLayout(QPageSize(QSizeF(w * 72.0 / 96, h * 72.0 / 96), QPageSize::Point),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter peintre(&pdf);
        // One pixel of the drawing is one unit, whatever the writer's own resolution.
        peintre.setViewport(0, 0, pdf.width(), pdf.height());
        peintre.setWindow(0, 0, w, h);
        peindre_sur_blanc(peintre, w, h, d);
    });
}

QMimeData* preparer_copie(int w, int h, const dessin& d) {
    auto* donnees = new QMimeData;
    if (w <= 0 || h <= 0) return donnees;
    donnees->setData("image/svg+xml", dessiner_svg(w, h, d));
    donnees->setData("application/pdf", dessiner_pdf(w, h, d));
    const QImage image = dessiner_image(w, h, d);
    donnees->setData("image/png", octets_png(image));
    donnees->setImageData(image);
    return donnees;
}

resultat_export enregistrer_dessin(const QString& chemin, int w, int h, const dessin& d) {
    const QString extension = QFileInfo(chemin).suffix().toLower();
    if (extension != "png" && extension != "svg" && extension != "pdf")
        return resultat_export::extension_inconnue;
    if (w <= 0 || h <= 0) return resultat_export::taille_invalide;
    QByteArray octets;
    if (extension == "png")
        octets = octets_png(dessiner_image(w, h, d));
    else if (extension == "svg")
        octets = dessiner_svg(w, h, d);
    else
        octets = dessiner_pdf(w, h, d);
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return resultat_export::erreur_ecriture;
    const bool complet = fichier.write(octets) == octets.size();
    fichier.close();
    if (!complet || fichier.error() != QFileDevice::NoError)
        return resultat_export::erreur_ecriture;
    return resultat_export::reussi;
}

} // namespace varlem
