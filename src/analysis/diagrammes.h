#pragma once
// The diagrams of the frequency study and the filter templates whose studies are prepared
// beforehand.

namespace varlem {

/// Diagram of the frequency study; `aucun` while none is chosen.
enum class diagramme { aucun, gain, phase, module, black, nyquist };

/// True for the five diagrams that draw (not `aucun`).
constexpr bool diagramme_trace(diagramme d) {
    return d != diagramme::aucun;
}

/// True for the diagrams graduated in decades of pulsation: gain and phase.
constexpr bool diagramme_logarithmique(diagramme d) {
    return d == diagramme::gain || d == diagramme::phase;
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
