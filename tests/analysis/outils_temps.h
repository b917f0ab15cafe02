#pragma once
// Time-study test bench: a system built from typed texts, its settings, and the study calls.

#include "analysis/pipeline.h"
#include "analysis/temps.h"
#include "document/etudes_systeme.h"
#include "document/systeme.h"
#include "settings/reglages.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace varlem::test {

/// A system whose slots 1..n hold the given (numerator, denominator) texts, analysed with a
/// fixed seed; the time window is open and N = 200.
struct banc_temps {
    systeme sys;
    reglages reg;

    explicit banc_temps(const std::vector<std::pair<std::string, std::string>>& fonctions) {
        sys.calcul.graine = 20240611;
        int k = 0;
        for (const auto& [num, den] : fonctions) {
            ++k;
            remplir(k, num, den);
        }
        sys.nb_fonctions = k;
        sys.etudes.temps_ouverte = true;
        reg.temps.nb_points = 200;
    }

    /// Analyses the two texts into slot k.
    void remplir(int k, const std::string& num, const std::string& den) {
        bool syntaxe = false;
        bool degre = false;
        analyser_fonction(sys.calcul, 'p', num, den, sys.fonctions[static_cast<std::size_t>(k)],
                          syntaxe, degre);
        EXPECT_FALSE(syntaxe || degre) << num << " / " << den;
    }

    /// The time study for the input of that kind.
    etude_temps& calculer(entree_temps genre, bool recalculer = true) {
        sys.etudes.etude_temps_choisie = genre;
        calculer_reponse_temps(reg.temps, recalculer, sys, reg);
        return reg.temps;
    }

    etude_temps& r() { return reg.temps; }
};

/// A bench on the heap (systems are large records).
inline std::unique_ptr<banc_temps>
banc(const std::vector<std::pair<std::string, std::string>>& fonctions) {
    return std::make_unique<banc_temps>(fonctions);
}

} // namespace varlem::test
