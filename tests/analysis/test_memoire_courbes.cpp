// The memory of traced frequency curves: a replay draws exactly what a new tracing draws,
// and anything a path depends on makes it traced again.
#include "analysis/frequences.h"
#include "analysis/memoire_courbes.h"
#include "document/etudes_systeme.h"
#include "plot/enregistreur.h"
#include "support/fabrique.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace varlem {
namespace {

std::vector<commande> trace_direct(const fdt_travail& ft, diagramme genre, const etude_frequence& r,
                                   int w, int h) {
    enregistreur e(w, h);
    tracer_courbe_frq(e, ft, genre, r);
    return e.commandes();
}

std::vector<commande> trace_memorise(memoire_courbes& m, const fdt_travail& ft, diagramme genre,
                                     const etude_frequence& r, int w, int h) {
    enregistreur e(w, h);
    m.tracer(e, ft, genre, r);
    return e.commandes();
}

bool memes_commandes(const std::vector<commande>& a, const std::vector<commande>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const commande& x, const commande& y) {
                          return x.sorte == y.sorte && x.x == y.x && x.y == y.y;
                      });
}

TEST(MemoireCourbes, RejoueCeQueLeTraceDessineEtRetraceCeQuiChange) {
    const fdt_travail ft =
        test::fonction_depuis_racines(2.0, {{-3, 0}}, {{-1, 0}, {-0.2, 2}, {-0.2, -2}});
    const fdt_travail autre =
        test::fonction_depuis_racines(2.0, {{-3, 0}}, {{-1, 0}, {-0.3, 2}, {-0.3, -2}});
    systeme s;
    s.fonctions[1] = ft;
    s.nb_fonctions = 1;
    s.systeme_saisi = true;
    etude_frequence r;
    preparer_frequences(r, true, s);

    struct cas {
        std::string nom;
        std::function<void(const fdt_travail*&, diagramme&, etude_frequence&, int&, int&)> changer;
    };
    const cas changements[] = {
        {"rien", [](auto&, auto&, auto&, auto&, auto&) {}},
        {"fonction", [&](const fdt_travail*& f, auto&, auto&, auto&, auto&) { f = &autre; }},
        {"diagramme", [](auto&, diagramme& g, auto&, auto&, auto&) { g = diagramme::nyquist; }},
        {"plage", [](auto&, auto&, etude_frequence& p, auto&, auto&) { p.gain_max += 10; }},
        {"decade", [](auto&, auto&, etude_frequence& p, auto&, auto&) { --p.decade_min; }},
        {"unite", [](auto&, auto&, etude_frequence& p, auto&, auto&) { p.en_hertz = !p.en_hertz; }},
        {"largeur", [](auto&, auto&, auto&, int& w, auto&) { w += 7; }},
        {"hauteur", [](auto&, auto&, auto&, auto&, int& h) { h -= 9; }},
    };
    for (const cas& c : changements) {
        memoire_courbes m;
        ASSERT_TRUE(memes_commandes(trace_memorise(m, ft, diagramme::gain, r, 600, 400),
                                    trace_direct(ft, diagramme::gain, r, 600, 400)));
        const fdt_travail* f = &ft;
        diagramme genre = diagramme::gain;
        etude_frequence r2 = r;
        int w = 600, h = 400;
        c.changer(f, genre, r2, w, h);
        const std::vector<commande> attendu = trace_direct(*f, genre, r2, w, h);
        ASSERT_GT(attendu.size(), 10u) << c.nom;
        EXPECT_TRUE(memes_commandes(trace_memorise(m, *f, genre, r2, w, h), attendu)) << c.nom;
        EXPECT_EQ(m.taille(), c.nom == "rien" ? 1u : 2u) << c.nom;
    }
}

TEST(MemoireCourbes, GardeLesDerniersCheminsUtilises) {
    systeme s;
    memoire_courbes m;
    etude_frequence r;
    s.nb_fonctions = 1;
    s.systeme_saisi = true;
    for (int k = 0; k < static_cast<int>(nb_chemins_memorises) + 5; ++k) {
        s.fonctions[1] = test::fonction_depuis_racines(1.0, {}, {{-1.0 - k, 0}});
        preparer_frequences(r, false, s);
        enregistreur e(300, 200);
        m.tracer(e, s.fonctions[1], diagramme::gain, r);
    }
    EXPECT_EQ(m.taille(), nb_chemins_memorises);
    m.vider();
    EXPECT_EQ(m.taille(), 0u);
}

} // namespace
} // namespace varlem
