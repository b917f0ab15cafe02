#include "studies/entree_periodique.h"

#include <gtest/gtest.h>

#include <vector>

namespace varlem {
namespace {

// The stored fields, -7 where nothing was stored.
std::vector<double> valeurs_apres(const textes_periodiques& t, bool& accepte) {
    etude_temps r;
    r.nb_periodes = r.frequence_periodique = r.amplitude_max = r.amplitude_min =
        r.rapport_cyclique = -7;
    accepte = valider_periodique(r, t);
    return {r.nb_periodes, r.frequence_periodique, r.amplitude_max, r.amplitude_min,
            r.rapport_cyclique};
}

TEST(EntreePeriodique, BornesEtOrdre) {
    struct cas {
        textes_periodiques t; // frequency, periods, maximum, minimum, ratio
        bool accepte;
        std::vector<double> stockes;
    };
    const cas table[] = {
        {textes_periodiques_initiaux(), true, {3, 1, 1, 0, 0.5}},
        {{"1", "10", "1", "0", "0.5"}, true, {10, 1, 1, 0, 0.5}},
        {{"1", "10.5", "1", "0", "0.5"}, false, {-7, -7, -7, -7, -7}},
        {{"1", "0", "1", "0", "0.5"}, false, {-7, -7, -7, -7, -7}},
        {{"1", "deux", "1", "0", "0.5"}, false, {-7, -7, -7, -7, -7}},
        {{"0", "4", "1", "0", "0.5"}, false, {4, -7, -7, -7, -7}},
        {{"1E999", "4", "1", "0", "0.5"}, false, {4, -7, -7, -7, -7}},
        {{"2", "4", "1", "3", "0.5"}, false, {4, 2, -7, -7, -7}},
        {{"2", "4", "2", "2", "0"}, true, {4, 2, 2, 2, 0}},
        {{"2", "4", "3", "1", "1"}, true, {4, 2, 3, 1, 1}},
        {{"2", "4", "3", "1", "1.2"}, false, {4, 2, 3, 1, -7}},
        {{"2", "4", "3", "1", "-0.1"}, false, {4, 2, 3, 1, -7}},
    };
    for (const cas& c : table) {
        bool accepte = false;
        EXPECT_EQ(valeurs_apres(c.t, accepte), c.stockes)
            << c.t.nb_periodes << " " << c.t.frequence;
        EXPECT_EQ(accepte, c.accepte) << c.t.nb_periodes << " " << c.t.frequence;
    }
}

} // namespace
} // namespace varlem
