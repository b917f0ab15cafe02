#pragma once
// What the frequency study draws as a control course draws it by hand: the asymptotic Bode
// diagrams over the gain and phase curves, and the Black-Nichols chart under the Black curve.

namespace varlem {

/// How the asymptotic phase passes a break.
enum class convention_phase {
    /// Constant between the root moduli, a jump at each.
    paliers,
    /// Linear in log ω from a decade below each modulus to a decade above.
    rampes,
};

/// How a gain slope is written.
enum class ecriture_pente {
    /// "−20 dB/déc".
    decibels,
    /// "pente −1".
    entiere,
};

/// The course's drawings of the frequency study; both off by default, so that the study draws
/// its curves alone.
struct options_cours {
    /// The asymptotes over the gain and phase diagrams (alone or stacked as the Bode view).
    bool asymptotes = false;
    /// Steps or ramps on the phase diagram.
    convention_phase convention = convention_phase::paliers;
    /// Slope texts on the gain diagram.
    ecriture_pente pente = ecriture_pente::decibels;
    /// The Black-Nichols chart on the Black diagram.
    bool abaque = false;
    friend bool operator==(const options_cours&, const options_cours&) = default;
};

} // namespace varlem
