#pragma once
// Systems and records for the frequency study tests, built from known roots.

#include "analysis/frequences.h"
#include "document/etudes_systeme.h"
#include "document/systeme.h"
#include "support/fabrique.h"

#include <memory>
#include <vector>

namespace varlem::test {

/// One function of a test system: gain, zeros and poles.
struct fonction_test {
    double gain = 1.0;
    std::vector<complexe> zeros;
    std::vector<complexe> poles;
};

/// A system whose slots 1..n hold the given functions, the frequency window open.
inline std::unique_ptr<systeme> systeme_de(const std::vector<fonction_test>& fonctions,
                                           bool toutes = true, int courante = 1) {
    auto s = std::make_unique<systeme>();
    for (std::size_t k = 0; k < fonctions.size(); ++k)
        s->fonctions[k + 1] =
            fonction_depuis_racines(fonctions[k].gain, fonctions[k].zeros, fonctions[k].poles);
    s->nb_fonctions = static_cast<int>(fonctions.size());
    s->fonction_courante = courante;
    s->etudes.toutes_fonctions = toutes;
    s->etudes.frequence_ouverte = true;
    return s;
}

/// The automatic frequency record of a system, in the given units.
inline etude_frequence etude_de(const systeme& s, bool en_hertz = false, bool en_radians = true) {
    etude_frequence r;
    r.en_hertz = en_hertz;
    r.en_radians = en_radians;
    preparer_frequences(r, true, s);
    return r;
}

/// A second-order low-pass w0² / (p² + 2 m w0 p + w0²) with m < 1.
inline fonction_test second_ordre(double w0, double m) {
    const double re = -m * w0;
    const double im = w0 * std::sqrt(1 - m * m);
    return {w0 * w0, {}, {{re, im}, {re, -im}}};
}

} // namespace varlem::test
