#pragma once
// What the frequency readout adds for the course's drawings: on the Black diagram the closed
// loop F = L/(1 + L) at the cursor, with the asymptotes shown the asymptotic gain of the read
// function and its gap to the real one.

#include "analysis/etudes.h"
#include "document/systeme.h"
#include "studies/textes_caracteristiques.h"

#include <vector>

namespace varlem {

/// The rows of the "Boucle fermée" group while the Black diagram is shown: "Module en boucle
/// fermée" (dB) and "Phase en boucle fermée" (degrees, as the chart's contours) of the open
/// loop the chart reads, at the cursor; none on another diagram or without a function.
std::vector<ligne_caracteristique> lignes_boucle_fermee_lecture(const systeme& sys);

/// The rows of the "Asymptotes" group while the asymptotes are drawn on the diagram shown (the
/// gain, the phase or the Bode view): "Gain asymptotique" and "Écart au gain réel" (the
/// asymptotic gain less the real one) of the read function at the cursor, in dB; none
/// otherwise.
std::vector<ligne_caracteristique> lignes_asymptotes_lecture(const systeme& sys,
                                                             const etude_frequence& r);

} // namespace varlem
