#pragma once
// The two values readouts, frequency and time: what closing one does, and the rows of readings
// each shows under its values.

#include "document/systeme.h"
#include "settings/rafraichissement.h"
#include "studies/textes_caracteristiques.h"

#include <vector>

namespace varlem {

/// Which values readout: the frequency one or the time one.
enum class genre_lecture { frequentielle, temporelle };

/// Closes the readout in the document; the refresh that removes its arrow.
rafraichissement fermer_lecture(genre_lecture genre, lectures& l);
/// The rows of readings the readout shows under its values: the margins of the read function
/// (frequency), the step characteristics of the studied slot while the step is shown (time).
std::vector<ligne_caracteristique> lignes_lecture(genre_lecture genre, const systeme& sys);

} // namespace varlem
