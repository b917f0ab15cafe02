#pragma once
// The readings of a transfer function: gain and phase crossings with the stability margins,
// bandwidth, resonance, stability and the characteristics of the step response, all computed
// from the polynomials and the exact partial fractions, never read off a sampled curve.
//
// Phase: Σ arg(jω − z) − Σ arg(jω − p) in degrees, each argument in (−90°, 270°], minus 180°
// for a negative ratio of the leading coefficients, minus ωτ for a delay τ. Pulsations in
// rad/s, times in s.

#include "numeric/fdt.h"

#include <optional>
#include <vector>

namespace varlem {

/// A pulsation where |T(jω)| = 1.
struct croisement_gain {
    double omega = 0;
    /// φ(ω) in degrees.
    double phase_deg = 0;
    /// 180 + φ reduced into (−180, 180].
    double marge_phase_deg = 0;
};

/// A pulsation where T(jω) is real and negative.
struct croisement_phase {
    double omega = 0;
    /// 20·log10|T(jω)|.
    double gain_db = 0;
    /// −gain_db.
    double marge_gain_db = 0;
    /// 1 / |T(jω)|.
    double marge_gain = 0;
};

/// Crossings, increasing, and the margins reported: the phase crossing of smallest
/// |marge_gain_db| and the gain crossing of smallest |marge_phase_deg| (the smaller ω on a tie);
/// empty when there is none.
struct marges_stabilite {
    std::vector<croisement_gain> croisements_gain;
    std::vector<croisement_phase> croisements_phase;
    std::optional<double> marge_gain_db;
    std::optional<double> omega_marge_gain;
    std::optional<double> marge_phase_deg;
    std::optional<double> omega_marge_phase;
    /// Delay margin (s): marge_phase_deg in radians over omega_marge_phase when positive, 0
    /// when not, empty without a gain crossing.
    std::optional<double> marge_retard;
};

/// The resonance peak.
struct pic_resonance {
    double omega = 0;
    double gain_db = 0;
};

/// Characteristics of the step response from rest; only `stable` when a pole has a real part
/// ≥ 0, only `valeur_finale` as well when it is 0 or when T has more zeros than poles.
struct reponse_indicielle {
    bool stable = false;
    std::optional<double> valeur_finale;
    /// t90 − t10, u = y / valeur_finale first reaching 0.1 and 0.9.
    std::optional<double> temps_montee;
    /// sup y (valeur_finale when only approached as t → ∞).
    std::optional<double> pic;
    /// First time of the peak; empty when it is only approached.
    std::optional<double> temps_pic;
    /// 100·(pic − valeur_finale) / valeur_finale, or 0.
    std::optional<double> depassement_pct;
    /// Last time |u − 1| = 0.05 after which u stays within the band; 0 when it never leaves it.
    std::optional<double> temps_reponse_5;
    /// The same for 0.02.
    std::optional<double> temps_reponse_2;
};

/// All the readings of one study.
struct caracteristiques {
    marges_stabilite marges;
    /// Smallest ω with |T(jω)| = |T(0)|/√2; empty when T(0) = 0, D(0) = 0 or there is none.
    std::optional<double> bande_passante;
    /// Largest local maximum of |T(jω)| when above |T(0)| and |T(∞)|; empty when D(0) = 0 or
    /// a pole lies on the imaginary axis.
    std::optional<pic_resonance> resonance;
    reponse_indicielle indicielle;
};

/// Crossings and margins of f.
marges_stabilite calculer_marges(const fdt& f);
/// Bandwidth of f.
std::optional<double> calculer_bande_passante(const fdt& f);
/// Resonance of f.
std::optional<pic_resonance> calculer_resonance(const fdt& f);
/// Stability and step characteristics of f.
reponse_indicielle calculer_indicielle(const fdt& f);

/// Every reading of f.
caracteristiques calculer_caracteristiques(const fdt& f);
/// The readings of a loop: the margins of the open loop, the bandwidth, resonance and step
/// response of the closed loop.
caracteristiques caracteristiques_boucle(const fdt& boucle_ouverte, const fdt& boucle_fermee);

} // namespace varlem
