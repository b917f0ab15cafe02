#include "app/commandes_principales.h"

#include <gtest/gtest.h>

namespace varlem {
namespace {

TEST(CommandesPrincipales, SelonLaBoucleEtLeGabarit) {
    struct cas {
        bool saisi, boucle, gabarit;
        bool ouvrir, enregistrer, parametres, etudes;
    };
    const cas table[] = {
        {false, false, false, true, false, false, false},
        {true, false, false, true, true, true, false},
        // Only opening and saving wait for the loop to open again.
        {true, true, false, false, false, true, false},
        {false, true, false, false, false, false, false},
        {true, false, true, false, false, true, true},
        {false, false, true, false, false, false, false},
    };
    for (const cas& c : table) {
        systeme s;
        s.systeme_saisi = c.saisi;
        s.etudes.boucle_fermee = c.boucle;
        s.etudes.mode_filtre = c.gabarit;
        const etat_commandes e = commandes_du_mode(s);
        EXPECT_EQ(e.ouvrir, c.ouvrir);
        EXPECT_EQ(e.enregistrer, c.enregistrer);
        EXPECT_EQ(e.parametres, c.parametres);
        EXPECT_EQ(e.activer_etudes, c.etudes);
    }
}

} // namespace
} // namespace varlem
