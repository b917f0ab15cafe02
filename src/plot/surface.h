#pragma once
// The one drawing surface every plot is written for: bitmaps, vector copies and test recordings.

#include <cstdint>
#include <string>

namespace varlem {

/// Colour as 0x00BBGGRR (blue in the high byte).
using couleur = std::uint32_t;

/// Style of the pen's lines.
enum class style_trait {
    /// Solid.
    plein,
    /// Dots of one pixel, two pixels apart.
    pointille,
    /// Dashes of `longueur_tiret` pixels and gaps of `longueur_blanc` (in proportion for a wider
    /// pen), the pattern running on along the lines of a polyline and starting again at each
    /// move.
    tirete,
};

/// Length of a dash in pixels.
inline constexpr double longueur_tiret = 6;
/// Length of the gap between two dashes in pixels.
inline constexpr double longueur_blanc = 4;

/// Abstract 2-D surface of W × H pixels, y growing downward.
class surface {
  public:
    virtual ~surface() = default;

    /// Width in pixels.
    virtual int largeur() const = 0;
    /// Height in pixels.
    virtual int hauteur() const = 0;

    /// Pen colour for the lines that follow.
    virtual void couleur_crayon(couleur c) = 0;
    /// Pen width in pixels.
    virtual void epaisseur_crayon(int e) = 0;
    /// Pen style: solid, dotted or dashed.
    virtual void style_crayon(style_trait s) = 0;
    /// Moves the pen without drawing.
    virtual void deplacer(int x, int y) = 0;
    /// Draws a line from the pen to (x, y) and leaves the pen there.
    virtual void tracer_vers(int x, int y) = 0;
    /// Outline of the rectangle with corners (x1, y1) and (x2, y2) with the current pen.
    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;

    /// Font of the texts that follow: name, size in points and colour.
    virtual void police(const std::string& nom, int taille, couleur c) = 0;
    /// Writes a text with its top-left corner at (x, y).
    virtual void texte(int x, int y, const std::string& t) = 0;
    /// Width in pixels of a text in the current font.
    virtual int largeur_texte(const std::string& t) = 0;
    /// Height in pixels of a text in the current font.
    virtual int hauteur_texte(const std::string& t) = 0;

    /// A line from (x1, y1) to (x2, y2); the pen ends at (x2, y2).
    void ligne(int x1, int y1, int x2, int y2) {
        deplacer(x1, y1);
        tracer_vers(x2, y2);
    }
};

} // namespace varlem
