#pragma once
// The Routh table of a real polynomial, with its two special cases, and the exact counts of its
// roots on either side of the imaginary axis and on it.
//
// A zero in the first column of a row that is not all zero is replaced by ε → 0⁺: every entry is
// carried as a truncated expansion in powers of ε, so that a sign is read from the leading term
// of an expansion and never from a small number. A row of zeros is replaced by the derivative
// of the auxiliary polynomial formed from the row above.

#include "numeric/polynome.h"

#include <vector>

namespace varlem {

/// An entry of the table as ε → 0⁺: its leading term coef·ε^puissance (puissance 0 for an
/// entry free of ε; coef 0 only for an entry that is exactly zero).
struct terme_routh {
    double coef = 0.0;
    int puissance = 0;
    friend bool operator==(const terme_routh&, const terme_routh&) = default;
};

/// Kinds of special cases met while building a table.
enum class genre_cas_routh {
    zero_premiere_colonne, ///< first entry zero, row not all zero: the entry becomes ε
    ligne_nulle ///< whole row zero: replaced by the derivative of the auxiliary polynomial
};

/// A special case: the row where it occurs, labelled by its power of p, and its kind; for a
/// row of zeros, the auxiliary polynomial read from the row above (its coefficients from the
/// power `ligne + 1` down by steps of two).
struct cas_routh {
    int ligne = 0;
    genre_cas_routh genre = genre_cas_routh::zero_premiere_colonne;
    std::vector<terme_routh> auxiliaire;
};

/// Root counts of a polynomial.
struct comptes_racines {
    int partie_reelle_positive = 0;
    int axe_imaginaire = 0;
    int partie_reelle_negative = 0;
    friend bool operator==(const comptes_racines&, const comptes_racines&) = default;
};

/// A Routh table with its special cases and the root counts it gives.
struct tableau_routh {
    /// Degree of the polynomial once its zero leading coefficients are dropped.
    int degre = 0;
    /// lignes[i] is the row of p^(degre − i), with degre − i over 2 plus one entries (rounded
    /// down).
    std::vector<std::vector<terme_routh>> lignes;
    std::vector<cas_routh> cas;
    comptes_racines racines;
    /// The polynomial is zero: no table and no counts.
    bool polynome_nul = false;
};

/// The table of Σ coef[k]·p^k, k = 0..degre (real coefficients).
tableau_routh table_routh(const double* coef, int degre);
/// The table of p (real parts of its coefficients).
tableau_routh table_routh(const polynome& p);

/// The root counts of Σ coef[k]·p^k alone (the same rules as the table, nothing kept).
comptes_racines compter_racines_routh(const double* coef, int degre);

} // namespace varlem
