#pragma once
// The drawing surface over a QPainter: one backend for screen bitmaps, SVG and PDF copies.

#include "plot/surface.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <QPoint>
#include <QPolygon>

#include <map>
#include <memory>
#include <string>
#include <utility>

class QPainter;

namespace varlem {

/// QColor of a 0x00BBGGRR colour.
QColor couleur_qt(couleur c);

/// Pixel size of a font of the given points at 96 pixels per inch (at least 1).
int taille_pixels_police(int points);

/// Surface over a QPainter on any paint device (QImage, QSvgGenerator, QPdfWriter) of W × H
/// drawing units. Consecutive tracer_vers calls are gathered into one polyline, drawn on the
/// next pen change, move, rectangle, text or vider(); the destructor draws what is pending.
class surface_qpainter final : public surface {
  public:
    /// A surface drawing with an active painter over a w × h area.
    surface_qpainter(QPainter* peintre, int w, int h);
    ~surface_qpainter() override;
    surface_qpainter(const surface_qpainter&) = delete;
    surface_qpainter& operator=(const surface_qpainter&) = delete;

    /// Draws the pending polyline; call it before using the painter directly.
    void vider();

    int largeur() const override { return largeur_; }
    int hauteur() const override { return hauteur_; }
    void couleur_crayon(couleur c) override;
    void epaisseur_crayon(int e) override;
    void style_crayon(style_trait s) override;
    void deplacer(int x, int y) override;
    void tracer_vers(int x, int y) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void police(const std::string& nom, int taille, couleur c) override;
    void texte(int x, int y, const std::string& t) override;
    int largeur_texte(const std::string& t) override;
    int hauteur_texte(const std::string& t) override;

  private:
    struct police_chargee {
        QFont font;
        QFontMetrics metriques;
    };

    void changer_crayon(const QPen& nouveau);
    void appliquer_crayon();

    QPainter* peintre_;
    int largeur_;
    int hauteur_;
    QPen crayon_;
    bool crayon_applique_ = false;
    QPolygon trace_;
    QPoint position_;
    std::map<std::pair<std::string, int>, std::unique_ptr<police_chargee>> polices_;
    const police_chargee* police_ = nullptr;
    const police_chargee* police_appliquee_ = nullptr;
    QColor couleur_texte_;
};

} // namespace varlem
