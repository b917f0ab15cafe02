#pragma once
// The diagrams of the frequency study, each described once by a row of a table: its names,
// what its axes plot, the ranges of the study record it is drawn on, how it zooms out and the
// texts written around its frame. The drawing, the zoom, the pointer's coordinates and the
// readout read that row; a new diagram is a new kind and a new row. And the filter templates.

#include "analysis/etudes.h"
#include "plot/param.h"
#include "plot/surface.h"

#include <cstddef>

namespace varlem {

/// Diagram of the frequency study; `aucun` while none is chosen.
enum class diagramme { aucun, gain, phase, module, black, nyquist };
/// Number of kinds of diagram, `aucun` included: the table holds one row for each.
inline constexpr std::size_t nombre_diagrammes = 6;

/// True for the five diagrams that draw (not `aucun`).
constexpr bool diagramme_trace(diagramme d) {
    return d != diagramme::aucun;
}

/// What an axis of a diagram plots.
enum class grandeur { pulsation, gain_db, phase, reel, imaginaire, module };

/// One range of the frequency study record: its bounds and its graduation step.
struct plage_etude {
    double etude_frequence::*min = nullptr;
    double etude_frequence::*max = nullptr;
    double etude_frequence::*pas = nullptr;
};

/// How a diagram is drawn and read.
struct description_diagramme {
    /// Name of the readout's response label ("Gain") and of the settings dialog ("Gain").
    const char* nom_lecture = "";
    const char* nom_reglages = "";
    /// What the horizontal and vertical axes plot.
    grandeur horizontale = grandeur::pulsation;
    grandeur verticale = grandeur::gain_db;
    /// The horizontal axis is graduated in decades of the pulsation (or frequency).
    bool logarithmique = false;
    /// The horizontal range on a linear axis, in hertz and in rad/s.
    plage_etude plage_h_hertz{}, plage_h_radians{};
    /// The vertical range.
    plage_etude plage_v{};
    /// "Zoom arriere" widens only the top of the horizontal range and the vertical maximum.
    bool zoom_arriere_par_le_haut = false;
    /// Texts written before the frame (none when null) and after it.
    void (*textes_avant)(surface&, const etude_frequence&, const param&) = nullptr;
    void (*textes_apres)(surface&, const etude_frequence&, const param&) = nullptr;
};

/// The row of a diagram; `aucun` has an empty row.
const description_diagramme& description(diagramme d);
/// The horizontal range of a linear diagram in the record's unit.
plage_etude plage_horizontale(const description_diagramme& d, const etude_frequence& r);

/// Font of the titles and unit texts of the frequency diagrams.
inline constexpr const char* police_textes_frq = "Arial";
/// Size in points of the titles and unit texts.
inline constexpr int taille_textes_frq = 9;
/// Colour of the titles and unit texts (black).
inline constexpr couleur couleur_textes_frq = 0;

/// True for the diagrams graduated in decades of pulsation: gain and phase.
inline bool diagramme_logarithmique(diagramme d) {
    return description(d).logarithmique;
}

/// Order of a filter template: the first order's parameter is w0, the second order's m.
enum class ordre_gabarit { premier, second };

/// Kind of a filter template (the first order has only the low-pass and high-pass kinds).
enum class genre_gabarit { passe_bas, passe_haut, passe_bande, rejecteur };

/// A filter template: its order and its kind.
struct gabarit_filtre {
    ordre_gabarit ordre = ordre_gabarit::premier;
    genre_gabarit genre = genre_gabarit::passe_bas;
    friend constexpr bool operator==(gabarit_filtre, gabarit_filtre) = default;
};

/// True for the six templates: both kinds of the first order and the four of the second.
constexpr bool gabarit_connu(gabarit_filtre g) {
    return g.ordre == ordre_gabarit::second || g.genre == genre_gabarit::passe_bas ||
           g.genre == genre_gabarit::passe_haut;
}

} // namespace varlem
