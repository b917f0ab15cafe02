#pragma once
// The calculation context: the numeric core's flags and its random generator.

#include <cstdint>
#include <optional>

namespace varlem {

/// Small fast uniform generator (xoshiro256**) seeded through splitmix64.
class generateur_aleatoire {
  public:
    /// Restarts the sequence from a seed.
    void semer(std::uint64_t graine);
    /// Uniform real in [0, 1).
    double uniforme();
    /// Uniform integer in [0, n); 0 when n ≤ 0.
    int entier(int n);

  private:
    std::uint64_t etat_[4] = {1, 2, 3, 4};
};

/// Flags and generator shared by the parser, the root finder and the pipeline.
struct contexte_calcul {
    /// Letter accepted as the Laplace variable by the parser.
    char variable_p = 'p';
    /// Set by the parser on any rejected text.
    bool erreur_syntaxe = false;
    /// Set by the parser when a degree exceeds 15 or a coefficient is out of range.
    bool erreur_degre = false;
    /// Poles from the expanded denominator (true) or factor by factor from its text (false).
    bool racines_globales = false;
    /// Fixed seed for every root search (tests); without it each search is seeded from the clock.
    std::optional<std::uint64_t> graine;
    /// Random generator of the root finder.
    generateur_aleatoire alea;

    /// Reseeds the generator for a new root search: from `graine` or from the clock.
    void resemer();
};

} // namespace varlem
