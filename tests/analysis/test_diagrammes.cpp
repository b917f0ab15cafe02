#include "analysis/diagrammes.h"

#include "plot/enregistreur.h"

#include <gtest/gtest.h>

#include <string>

namespace varlem {
namespace {

// Every diagram that draws has its names, its ranges in the study record, and texts; the
// diagrams read on a pulsation axis are those that plot the pulsation horizontally.
TEST(Diagrammes, UneLigneCompletePourChaqueGenre) {
    EXPECT_EQ(std::string(description(diagramme::aucun).nom_lecture), "");
    for (const diagramme g : {diagramme::gain, diagramme::phase, diagramme::module,
                              diagramme::black, diagramme::nyquist}) {
        SCOPED_TRACE(static_cast<int>(g));
        const description_diagramme& d = description(g);
        EXPECT_FALSE(std::string(d.nom_lecture).empty());
        EXPECT_FALSE(std::string(d.nom_reglages).empty());
        EXPECT_TRUE(d.plage_v.min && d.plage_v.max && d.plage_v.pas);
        EXPECT_TRUE(d.textes_apres);
        if (d.logarithmique) {
            EXPECT_EQ(d.horizontale, grandeur::pulsation);
            continue;
        }
        for (const bool hertz : {true, false}) {
            etude_frequence r;
            r.en_hertz = hertz;
            const plage_etude h = plage_horizontale(d, r);
            EXPECT_TRUE(h.min && h.max && h.pas);
        }
    }
}

// The texts around the frame: the module writes its title before the frame and its unit
// after it, the others all after it.
TEST(Diagrammes, TextesDuCadre) {
    etude_frequence r;
    r.gain_min = -40, r.gain_max = 20, r.module_min = -0.5, r.module_max = 2;
    param p;
    struct cas {
        diagramme genre;
        const char* avant;
        const char* apres;
    };
    for (const cas& c :
         {cas{diagramme::gain, "", "Gain (dB)"}, cas{diagramme::module, "Module", "Hz"},
          cas{diagramme::nyquist, "", "Nyquist"}}) {
        const description_diagramme& d = description(c.genre);
        enregistreur avant(600, 400), apres(600, 400);
        if (d.textes_avant) d.textes_avant(avant, r, p);
        d.textes_apres(apres, r, p);
        const auto premier = [](const enregistreur& e) {
            return e.textes().empty() ? std::string() : e.textes().front().texte;
        };
        EXPECT_EQ(premier(avant), c.avant);
        EXPECT_EQ(premier(apres), c.apres);
    }
}

} // namespace
} // namespace varlem
