#pragma once
// A surface that records every drawing command as a plain record, with fixed text metrics,
// so that plots can be checked by what they draw rather than by pixels.

#include "plot/surface.h"

#include <string>
#include <vector>

namespace varlem {

/// Kind of a recorded command.
enum class sorte_commande { crayon, epaisseur, style, deplacer, tracer, rectangle, police, texte };

/// One recorded command; only the fields of its kind are meaningful.
struct commande {
    /// What the command does.
    sorte_commande sorte = sorte_commande::deplacer;
    /// Point of a move, end of a line, first corner of a rectangle, top-left of a text.
    int x = 0;
    /// See x.
    int y = 0;
    /// Second corner of a rectangle.
    int x2 = 0;
    /// See x2.
    int y2 = 0;
    /// Pen colour, or text colour of a font command.
    couleur c = 0;
    /// Pen width, or font size in points.
    int valeur = 0;
    /// Pen style.
    style_trait style = style_trait::plein;
    /// Font name of a font command, or the text of a text command.
    std::string chaine;
};

/// A straight segment drawn, with the pen in force when it was drawn.
struct segment_enregistre {
    /// Start point.
    int x1, y1;
    /// End point.
    int x2, y2;
    /// Pen colour.
    couleur c;
    /// Pen width.
    int epaisseur;
    /// Pen style.
    style_trait style;
};

/// A text written, with its font.
struct texte_enregistre {
    /// Top-left corner.
    int x, y;
    /// The text.
    std::string texte;
    /// Font name.
    std::string police;
    /// Font size in points.
    int taille;
    /// Text colour.
    couleur c;
};

/// Recording surface. Text metrics are fixed so results do not depend on installed fonts:
/// with a pixel size s = points × 96 / 72, a text of n characters (UTF-8 code points) is
/// round(0.6 × s × n) pixels wide and round(1.2 × s) pixels high (halves to even).
/// The pen starts black, 1 pixel wide, solid, at (0, 0); the font starts as "Arial" 8, black.
class enregistreur final : public surface {
  public:
    /// A recording surface of w × h pixels.
    enregistreur(int w, int h);

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

    /// Every command in drawing order.
    const std::vector<commande>& commandes() const { return commandes_; }
    /// The segments drawn by tracer_vers, in order (rectangles excluded).
    std::vector<segment_enregistre> segments() const;
    /// The segments drawn in colour c, in order.
    std::vector<segment_enregistre> segments(couleur c) const;
    /// The rectangle outlines drawn, as segments holding their two corners.
    std::vector<segment_enregistre> rectangles() const;
    /// The texts written, in order.
    std::vector<texte_enregistre> textes() const;

  private:
    // Pen and font state, rebuilt by replaying commands so queries see what each one saw.
    struct etat {
        couleur crayon = 0;
        int epaisseur = 1;
        style_trait style = style_trait::plein;
        int x = 0;
        int y = 0;
        std::string police = "Arial";
        int taille = 8;
        couleur couleur_texte = 0;

        void appliquer(const commande& k);
    };

    void ajouter(const commande& k);
    // The records of one kind of command, each built with the pen and font it was drawn with.
    template <typename T, typename Fabrique>
    std::vector<T> collecter(sorte_commande sorte, Fabrique fabrique) const;

    int largeur_;
    int hauteur_;
    std::vector<commande> commandes_;
    etat courant_;
};

/// Number of UTF-8 code points of a text.
int nombre_caracteres(const std::string& t);

} // namespace varlem
