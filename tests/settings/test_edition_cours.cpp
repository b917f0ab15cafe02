// The course's settings: off by default, and a refresh only when what is drawn changes.
#include "settings/edition_cours.h"

#include <gtest/gtest.h>

#include <functional>

namespace varlem {
namespace {

constexpr rafraichissement aucun{};
constexpr rafraichissement simple = rafraichir(false, false);

TEST(EditionCours, EteintsParDefaut) {
    const etude_frequence r;
    EXPECT_FALSE(r.cours.asymptotes);
    EXPECT_FALSE(r.cours.abaque);
    EXPECT_EQ(r.cours.convention, convention_phase::paliers);
    EXPECT_EQ(r.cours.pente, ecriture_pente::decibels);
}

// Each edit from each state: the value stored, accepted always, and the refresh it asks for.
TEST(EditionCours, RafraichitQuandLeTraceChange) {
    struct cas {
        const char* nom;
        bool asymptotes_avant;
        std::function<effet_reglage(etude_frequence&)> edition;
        rafraichissement attendu;
        std::function<bool(const etude_frequence&)> stocke;
    };
    const cas table[] = {
        {"asymptotes on", false, [](etude_frequence& r) { return cocher_asymptotes(r, true); },
         simple, [](const etude_frequence& r) { return r.cours.asymptotes; }},
        {"asymptotes on again", true, [](etude_frequence& r) { return cocher_asymptotes(r, true); },
         aucun, [](const etude_frequence& r) { return r.cours.asymptotes; }},
        {"asymptotes off", true, [](etude_frequence& r) { return cocher_asymptotes(r, false); },
         simple, [](const etude_frequence& r) { return !r.cours.asymptotes; }},
        {"ramps drawn", true,
         [](etude_frequence& r) { return choisir_convention_phase(r, convention_phase::rampes); },
         simple,
         [](const etude_frequence& r) { return r.cours.convention == convention_phase::rampes; }},
        {"ramps stored unseen", false,
         [](etude_frequence& r) { return choisir_convention_phase(r, convention_phase::rampes); },
         aucun,
         [](const etude_frequence& r) { return r.cours.convention == convention_phase::rampes; }},
        {"steps already", true,
         [](etude_frequence& r) { return choisir_convention_phase(r, convention_phase::paliers); },
         aucun,
         [](const etude_frequence& r) { return r.cours.convention == convention_phase::paliers; }},
        {"integer slopes drawn", true,
         [](etude_frequence& r) { return choisir_ecriture_pente(r, ecriture_pente::entiere); },
         simple, [](const etude_frequence& r) { return r.cours.pente == ecriture_pente::entiere; }},
        {"integer slopes unseen", false,
         [](etude_frequence& r) { return choisir_ecriture_pente(r, ecriture_pente::entiere); },
         aucun, [](const etude_frequence& r) { return r.cours.pente == ecriture_pente::entiere; }},
        {"chart on", false, [](etude_frequence& r) { return cocher_abaque(r, true); }, simple,
         [](const etude_frequence& r) { return r.cours.abaque; }},
        {"chart off unchanged", false, [](etude_frequence& r) { return cocher_abaque(r, false); },
         aucun, [](const etude_frequence& r) { return !r.cours.abaque; }},
    };
    for (const cas& c : table) {
        SCOPED_TRACE(c.nom);
        etude_frequence r;
        r.cours.asymptotes = c.asymptotes_avant;
        const effet_reglage e = c.edition(r);
        EXPECT_TRUE(e.accepte);
        EXPECT_TRUE(e.erreur.empty());
        EXPECT_TRUE(e.etiquette.empty());
        EXPECT_FALSE(e.recalcul_temps);
        EXPECT_EQ(e.rafraichir, c.attendu);
        EXPECT_TRUE(c.stocke(r));
    }
}

// The edits touch the course's settings only: the rest of the study stays as it was.
TEST(EditionCours, LeResteDeLEtudeIntact) {
    etude_frequence r;
    r.en_hertz = false;
    r.decade_min = -3;
    r.afficher_marges = true;
    const etude_frequence avant = r;
    cocher_asymptotes(r, true);
    choisir_convention_phase(r, convention_phase::rampes);
    choisir_ecriture_pente(r, ecriture_pente::entiere);
    cocher_abaque(r, true);
    etude_frequence sans = r;
    sans.cours = avant.cours;
    EXPECT_EQ(sans, avant);
    EXPECT_EQ(r.cours,
              (options_cours{true, convention_phase::rampes, ecriture_pente::entiere, true}));
}

} // namespace
} // namespace varlem
