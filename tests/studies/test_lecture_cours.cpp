// What the frequency readout adds for the course's drawings: the closed loop on the Black
// diagram, the asymptotic gain and its gap with the asymptotes drawn, each where it belongs.
#include "studies/lecture_cours.h"

#include "document/boucle.h"
#include "document/outils_document.h"
#include "numeric/nombres.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>

namespace varlem {
namespace {

using namespace std::complex_literals;
constexpr double degres = 180 / std::numbers::pi;

// The number a row writes before its unit.
double nombre(const ligne_caracteristique& l) {
    return std::stod(l.valeur);
}

// F = L/(1 + L) from L's value at jω, independently of the polynomials N/(N + D).
std::complex<double> fermee(const fdt& l, double w) {
    const complexe t = fdt_valeur(l, w);
    const std::complex<double> c{t.re, t.im};
    return c / (1.0 + c);
}

TEST(LectureCours, BoucleFermeeSurLeDiagrammeDeBlack) {
    auto s = test::systeme_tape({{"5", "(1+p)(1+0.5p)(1+0.2p)"}, {"1", "(p)(1+p)"}});
    s->etudes.etude_freq_choisie = diagramme::black;
    for (const int courante : {1, 2})
        for (const double w : {0.01, 0.5, 1.0, 2.2, 3.0, 50.0}) {
            s->fonction_courante = courante;
            s->lecture.w_lecture = w;
            SCOPED_TRACE(std::to_string(courante) + " at " + std::to_string(w));
            const auto lignes = lignes_boucle_fermee_lecture(*s);
            ASSERT_EQ(lignes.size(), 2u);
            EXPECT_EQ(lignes[0].libelle, "Module en boucle fermée");
            EXPECT_EQ(lignes[1].libelle, "Phase en boucle fermée");
            EXPECT_EQ(lignes[0].valeur.substr(lignes[0].valeur.size() - 3), " dB");
            EXPECT_EQ(lignes[1].valeur.substr(lignes[1].valeur.size() - 2), "°");
            const std::complex<double> f =
                fermee(s->fonctions[static_cast<std::size_t>(courante)].fonction, w);
            EXPECT_NEAR(nombre(lignes[0]), 20 * std::log10(std::abs(f)), 1e-3);
            EXPECT_NEAR(nombre(lignes[1]), std::arg(f) * degres, 1e-3);
        }
    // Another diagram, or the Bode view: none.
    for (const diagramme d : {diagramme::gain, diagramme::phase, diagramme::module,
                              diagramme::nyquist, diagramme::aucun}) {
        s->etudes.etude_freq_choisie = d;
        EXPECT_TRUE(lignes_boucle_fermee_lecture(*s).empty());
    }
    s->etudes.etude_freq_choisie = diagramme::black;
    s->etudes.bode_double = true;
    EXPECT_TRUE(lignes_boucle_fermee_lecture(*s).empty());
    // An empty system reads nothing.
    auto vide = test::systeme_tape({});
    vide->etudes.etude_freq_choisie = diagramme::black;
    EXPECT_TRUE(lignes_boucle_fermee_lecture(*vide).empty());
}

// Closed, the loop read is the open loop C·T·R of slot 1, as the chart's.
TEST(LectureCours, BoucleFermeeDuCorrecteur) {
    auto s = test::systeme_tape({{"1", "(1+p)(1+0.5p)(1+0.2p)"}});
    reglages r;
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    ASSERT_TRUE(regler_correcteur(*s, 5, 0, 0, false));
    s->etudes.etude_freq_choisie = diagramme::black;
    s->lecture.w_lecture = 2;
    const auto lignes = lignes_boucle_fermee_lecture(*s);
    ASSERT_EQ(lignes.size(), 2u);
    // 5/((1+2j)(1+j)(1+0.4j)), closed: the course's loop at P = 5.
    const std::complex<double> l = 5.0 / ((1.0 + 2.0i) * (1.0 + 1.0i) * (1.0 + 0.4i));
    const std::complex<double> f = l / (1.0 + l);
    EXPECT_NEAR(nombre(lignes[0]), 20 * std::log10(std::abs(f)), 1e-3);
    EXPECT_NEAR(nombre(lignes[1]), std::arg(f) * degres, 1e-3);
}

// At a closed-loop pole on the imaginary axis the module is infinite and the phase undefined,
// in words.
TEST(LectureCours, PoleDeLaBoucleFermee) {
    // L = 1/p²: F = 1/(1 + p²), a pole at j.
    auto s = test::systeme_tape({{"1", "p^2"}});
    s->etudes.etude_freq_choisie = diagramme::black;
    s->lecture.w_lecture = 1;
    const auto lignes = lignes_boucle_fermee_lecture(*s);
    ASSERT_EQ(lignes.size(), 2u);
    EXPECT_EQ(lignes[0].valeur, "infini");
    EXPECT_EQ(lignes[1].valeur, "indéfini");
}

TEST(LectureCours, GainAsymptotiqueEtEcart) {
    auto s = test::systeme_tape({{"10", "(1+p)(1+0.1p)"}, {"1", "p"}});
    etude_frequence r;
    s->etudes.etude_freq_choisie = diagramme::gain;
    EXPECT_TRUE(lignes_asymptotes_lecture(*s, r).empty());
    r.cours.asymptotes = true;
    struct cas {
        double w, gain, ecart;
    } const table[] = {
        // 20 dB below the first break; 3.01 dB above the real curve at it.
        {0.001, 20, 0},
        {1, 20, 10 * std::log10(2.0) + 10 * std::log10(1.01)},
        // −20 dB/decade between the breaks, −40 after.
        {std::sqrt(10.0), 10, 10 * std::log10(11.0) + 10 * std::log10(1.1) - 10},
        {100, -40, 10 * std::log10(1 + 1e4) + 10 * std::log10(101) - 60},
    };
    for (const cas& c : table) {
        s->lecture.w_lecture = c.w;
        const auto lignes = lignes_asymptotes_lecture(*s, r);
        ASSERT_EQ(lignes.size(), 2u);
        EXPECT_EQ(lignes[0].libelle, "Gain asymptotique");
        EXPECT_EQ(lignes[1].libelle, "Écart au gain réel");
        EXPECT_NEAR(nombre(lignes[0]), c.gain, 1e-3) << c.w;
        EXPECT_NEAR(nombre(lignes[1]), c.ecart, 1e-3) << c.w;
    }
    // Shown on the phase diagram and the Bode view too, not on the others.
    s->etudes.etude_freq_choisie = diagramme::phase;
    EXPECT_EQ(lignes_asymptotes_lecture(*s, r).size(), 2u);
    s->etudes.bode_double = true;
    EXPECT_EQ(lignes_asymptotes_lecture(*s, r).size(), 2u);
    s->etudes.bode_double = false;
    for (const diagramme d : {diagramme::black, diagramme::module, diagramme::nyquist}) {
        s->etudes.etude_freq_choisie = d;
        EXPECT_TRUE(lignes_asymptotes_lecture(*s, r).empty());
    }
    // The current function is the one read: the integrator's −20 dB/decade through 0 dB at 1.
    s->etudes.etude_freq_choisie = diagramme::gain;
    s->fonction_courante = 2;
    s->lecture.w_lecture = 10;
    const auto lignes = lignes_asymptotes_lecture(*s, r);
    ASSERT_EQ(lignes.size(), 2u);
    EXPECT_NEAR(nombre(lignes[0]), -20, 1e-9);
    EXPECT_NEAR(nombre(lignes[1]), 0, 1e-9);
}

} // namespace
} // namespace varlem
