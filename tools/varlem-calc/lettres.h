#pragma once
// The letters of the command line's flags, read into the kinds of the studies: the only place
// where a kind is a character.

#include "analysis/diagrammes.h"
#include "analysis/etudes.h"
#include "numeric/entrees.h"

#include <string>

namespace varlem::calc {

/// The study `tracer` draws: a frequency diagram, the Bode view, a time input or the map.
struct etude_a_tracer {
    /// What kind of study it is.
    enum class vue { frequentielle, bode, temporelle, poles_zeros };
    vue genre = vue::frequentielle;
    /// The diagram of a frequency study.
    diagramme diagramme_choisi = diagramme::gain;
    /// The input of a time study.
    entree_temps entree = entree_temps::aucune;
};

/// The input of `--entree`: I impulse, E step, R ramp, S sine, C square, T triangle.
entree_temps entree_de_lettre(const std::string& lettre);
/// The template of `gabarit`: P and H (first order), B, I, D and C (second order).
gabarit_filtre gabarit_de_lettre(const std::string& lettre);
/// The start of `--depart`: 1 maximum, 2 minimum, 3 zero.
depart_periodique depart_de_lettre(const std::string& lettre);
/// The study of `tracer --etude`: G P D M B N (frequency), I E R S C T (time), Z (map).
etude_a_tracer etude_de_lettre(const std::string& lettre);

} // namespace varlem::calc
