#pragma once
// The traced paths of the frequency curves, kept so that a redraw which changes neither a
// function nor a range nor the picture's size replays them without evaluating again.

#include "analysis/diagrammes.h"
#include "analysis/etudes.h"
#include "numeric/fdt.h"
#include "plot/surface.h"

#include <cstddef>
#include <vector>

namespace varlem {

/// Most paths kept (8 functions on the two diagrams of the Bode view, and room to spare).
inline constexpr std::size_t nb_chemins_memorises = 48;

/// Memory of the paths of the curves last traced.
class memoire_courbes {
  public:
    /// Draws the curve of ft on diagram `genre` over s with the pen in force: the remembered
    /// path when the same curve was traced on the same ranges and size, else a new tracing,
    /// remembered.
    void tracer(surface& s, const fdt_travail& ft, diagramme genre, const etude_frequence& r);
    /// Forgets every path.
    void vider() { chemins_.clear(); }
    /// Paths remembered.
    std::size_t taille() const { return chemins_.size(); }

    /// One pen command of a path: a move, or a line to the point.
    struct commande {
        bool ligne;
        int x;
        int y;
    };

  private:
    struct chemin {
        fdt fonction;
        std::vector<complexe> racines;
        double gain;
        diagramme genre;
        int largeur;
        int hauteur;
        etude_frequence plages;
        std::vector<commande> commandes;
    };

    std::vector<chemin> chemins_;
};

} // namespace varlem
