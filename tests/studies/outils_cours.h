#pragma once
// Helpers of the asymptotes' and the chart's drawing tests: systems of typed functions, the
// rectangles of recorded texts, and the frequency drawing whose captions labels must avoid.

#include "analysis/frequences.h"
#include "document/etudes_systeme.h"
#include "plot/enregistreur.h"
#include "plot/placement_etiquettes.h"
#include "studies/trace_frequentiel.h"
#include "support/analyse_acceptee.h"

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace varlem::test {

/// A system of typed functions, all shown, the frequency window open on diagram `genre`.
inline std::unique_ptr<systeme>
systeme_saisi(const std::vector<std::pair<std::string, std::string>>& fonctions, diagramme genre) {
    auto s = std::make_unique<systeme>();
    for (std::size_t k = 0; k < fonctions.size(); ++k)
        s->fonctions[k + 1] = analyse_acceptee(fonctions[k].first, fonctions[k].second);
    s->nb_fonctions = static_cast<int>(fonctions.size());
    s->fonction_courante = 1;
    s->systeme_saisi = true;
    s->etudes.toutes_fonctions = true;
    s->etudes.frequence_ouverte = true;
    s->etudes.etude_freq_choisie = genre;
    return s;
}

/// Eight functions of orders 1 to 5, breaks spread over four decades.
inline const std::vector<std::pair<std::string, std::string>>& huit_fonctions() {
    static const std::vector<std::pair<std::string, std::string>> f = {
        {"(1+10p)", "(p)(1+p)(1+0.1p+0.01p^2)"},
        {"5", "(1+p)(1+0.5p)(1+0.2p)"},
        {"(1-p)", "(1+p)(1+0.2p)"},
        {"10", "(p^2)(1+0.5p)"},
        {"(1+2p)", "(1+20p)(1+0.05p)"},
        {"1", "1+0.2p+p^2"},
        {"(1+p)", "(p)(1+0.01p)(1+0.001p)"},
        {"(1+0.5p)(1+0.5p)", "(1+5p)(1+5p)(1+0.02p)"},
    };
    return f;
}

/// The rectangle a recorded text covers, by the recorder's fixed metrics.
inline rectangle_px rectangle_de(const texte_enregistre& t) {
    const double s = t.taille * 96.0 / 72.0;
    const int w = static_cast<int>(std::nearbyint(0.6 * s * nombre_caracteres(t.texte)));
    const int h = static_cast<int>(std::nearbyint(1.2 * s));
    return {t.x, t.y, t.x + w, t.y + h};
}

/// The frequency drawing of the system's diagram, texts and curves; the rectangles of its
/// texts, which the labels drawn after it must leave clear.
inline std::vector<rectangle_px> dessiner_sous(surface& e, const etude_frequence& r, const param& p,
                                               const systeme& s) {
    surface_notee notee(e);
    options_frequentiel o;
    o.fleche = false;
    dessiner_frequentiel(notee, r, p, s, s.etudes.etude_freq_choisie, o);
    return notee.textes();
}

} // namespace varlem::test
