#pragma once
// The periodic input dialog's rule: the five texts read and stored one after the other, the
// first refused one stopping the dialog's "OK".

#include "analysis/etudes.h"

#include <string>

namespace varlem {

/// The five edits of the periodic input dialog.
struct textes_periodiques {
    std::string frequence;
    std::string nb_periodes;
    std::string amplitude_max;
    std::string amplitude_min;
    std::string rapport_cyclique;
};

/// The edits' texts when the dialog is first created: "1", "3", "1", "0", "0.5".
textes_periodiques textes_periodiques_initiaux();

/// Reads the texts with lire_nombre and stores, in this order, the number of periods
/// (0 < n ≤ 10), the frequency (> 0), the two amplitudes (min ≤ max) and the ratio (0..1);
/// stops at the first value refused, keeping what was stored before it. True when all are
/// stored (the dialog may close).
bool valider_periodique(etude_temps& r, const textes_periodiques& t);

} // namespace varlem
