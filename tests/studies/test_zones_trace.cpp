#include "document/etude_parametree.h"
#include "studies/zones_trace.h"

#include <gtest/gtest.h>

namespace varlem {
namespace {

TEST(ZonesTrace, MargesDeChaqueFenetre) {
    EXPECT_EQ(zone_frequentiel(1200, 800), (zone_trace{1180, 725}));
    EXPECT_EQ(zone_poles_zeros(639, 425), (zone_trace{569, 355}));
    EXPECT_EQ(zone_temps(600, 400), (zone_trace{570, 300}));
}

TEST(ZonesTrace, BodeEmpileArrondiAuPair) {
    struct cas {
        int hauteur;
        int hauteur_zone;
        int haut_phase;
    };
    // 401 / 2 = 200.5 rounds to 200, 403 / 2 = 201.5 to 202.
    for (const cas c : {cas{400, 160, 210}, cas{401, 160, 210}, cas{403, 162, 212}}) {
        EXPECT_EQ(zone_bode(500, c.hauteur).hauteur, c.hauteur_zone) << c.hauteur;
        EXPECT_EQ(haut_bode_phase(c.hauteur), c.haut_phase) << c.hauteur;
    }
}

TEST(ZonesTrace, FenetresTropPetites) {
    // Zero or negative areas are unusable; 20 pixels or less are not redrawn on resize.
    EXPECT_FALSE(zone_frequentiel(20, 500).utilisable());
    EXPECT_FALSE(zone_poles_zeros(500, 60).utilisable());
    EXPECT_FALSE(assez_grand(zone_frequentiel(40, 500)));
    EXPECT_TRUE(assez_grand(zone_frequentiel(41, 96)));
    EXPECT_FALSE(assez_grand(zone_frequentiel(41, 95)));
    EXPECT_FALSE(assez_grand(zone_temps(50, 400)));
    EXPECT_FALSE(assez_grand(zone_temps(400, 120)));
    EXPECT_FALSE(assez_grand(zone_poles_zeros(90, 400)));
    EXPECT_TRUE(assez_grand(zone_poles_zeros(91, 91)));
}

TEST(ZonesTrace, PointsDeLaFenetreTemps) {
    EXPECT_EQ(nb_points_fenetre(440), 200);
    EXPECT_EQ(nb_points_fenetre(441), 200);
    EXPECT_EQ(nb_points_fenetre(600), 280);
}

} // namespace
} // namespace varlem
