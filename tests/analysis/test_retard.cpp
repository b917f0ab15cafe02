// A pure delay on a function: exact frequency values in every form, the frequency range, the
// margins and the open-loop time responses.
#include "analysis/caracteristiques.h"
#include "analysis/frequences.h"
#include "analysis/periodique.h"
#include "analysis/pipeline.h"
#include "analysis/reponse_temps.h"
#include "numeric/frequentiel.h"
#include "numeric/frequentiel_noyau.h"
#include "numeric/temporel.h"
#include "outils_temps.h"
#include "support/donnees.h"
#include "support/json_lu.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace varlem {
namespace {

constexpr double pi = std::numbers::pi;

fdt_travail analyser(const char* num, const char* den, double retard = 0) {
    contexte_calcul ctx;
    ctx.graine = 1;
    fdt_travail ft;
    bool s = false, d = false;
    analyser_fonction(ctx, 'p', num, den, ft, s, d, retard);
    EXPECT_FALSE(s || d);
    return ft;
}

test::json_lu cas_retard() {
    return test::json_lu::lire_fichier(test::chemin_donnees("retard.json"))["cas"];
}

// T(jω)·e^(−jωτ) and its continuous phase by every road: one value, the batch response through
// either kernel, against the reference values.
TEST(RetardFrequenceTest, ValeursDeReference) {
    const test::json_lu cas = cas_retard();
    int vus = 0;
    for (std::size_t i = 0; i < cas.taille(); ++i) {
        const test::json_lu c = cas[i];
        if (c["genre"].chaine() != "frequence") continue;
        ++vus;
        const fdt_travail ft =
            analyser(c["num"].chaine().c_str(), c["den"].chaine().c_str(), c["retard"].nombre());
        const test::json_lu points = c["ref"]["points"];
        std::vector<double> w;
        for (std::size_t k = 0; k < points.taille(); ++k) w.push_back(points[k]["omega"].nombre());
        for (const auto choix : {noyau::choix_noyau::portable, noyau::choix_noyau::avx512}) {
            std::vector<double> re(w.size()), im(w.size()), g(w.size()), ph(w.size());
            reponse_frequentielle(ft, w, {re.data(), im.data(), g.data(), ph.data()}, choix);
            for (std::size_t k = 0; k < w.size(); ++k) {
                const test::json_lu p = points[k];
                const double module = std::hypot(p["re"].nombre(), p["im"].nombre());
                SCOPED_TRACE("ω = " + std::to_string(w[k]));
                EXPECT_NEAR(re[k], p["re"].nombre(), 1e-9 * module);
                EXPECT_NEAR(im[k], p["im"].nombre(), 1e-9 * module);
                EXPECT_NEAR(g[k], p["gain_db"].nombre(), 1e-6);
                EXPECT_NEAR(ph[k], p["phase"].nombre(), 1e-9);
                const complexe t = fdt_valeur(ft.fonction, w[k]);
                EXPECT_NEAR(t.re, p["re"].nombre(), 1e-9 * module);
                EXPECT_NEAR(fdt_phase(ft, w[k]), p["phase"].nombre(), 1e-9);
                EXPECT_NEAR(fdt_gain_db(ft.fonction, w[k]), p["gain_db"].nombre(), 1e-6);
            }
        }
    }
    EXPECT_EQ(vus, 1);
}

// Over many pulsations, through runs of the batch long enough for every block of both kernels,
// the phase of a delayed second order follows φ(ω) − ωτ without a single wrap, and the gain and
// the fraction's values are those without delay, rotated.
TEST(RetardFrequenceTest, PhaseContinueSurDesMilliersDePulsations) {
    const fdt_travail sans = analyser("1+0.5p", "(1+p)(1+0.2p+p^2)");
    const fdt_travail avec = analyser("1+0.5p", "(1+p)(1+0.2p+p^2)", 0.37);
    std::vector<double> w;
    for (int k = 0; k < 5000; ++k) w.push_back(1e-3 * std::pow(10.0, 5.0 * k / 4999));
    const std::size_t n = w.size();
    for (const auto choix : {noyau::choix_noyau::portable, noyau::choix_noyau::avx512}) {
        std::vector<double> r0(n), i0(n), g0(n), p0(n), r1(n), i1(n), g1(n), p1(n);
        reponse_frequentielle(sans, w, {r0.data(), i0.data(), g0.data(), p0.data()}, choix);
        reponse_frequentielle(avec, w, {r1.data(), i1.data(), g1.data(), p1.data()}, choix);
        for (std::size_t k = 0; k < n; ++k) {
            ASSERT_EQ(g1[k], g0[k]) << k;
            ASSERT_NEAR(p1[k], p0[k] - w[k] * 0.37, 1e-9 * std::max(1.0, w[k])) << k;
            const double c = std::cos(w[k] * 0.37), s = std::sin(w[k] * 0.37);
            ASSERT_NEAR(r1[k], r0[k] * c + i0[k] * s, 1e-12 * std::hypot(r0[k], i0[k])) << k;
            ASSERT_NEAR(i1[k], i0[k] * c - r0[k] * s, 1e-12 * std::hypot(r0[k], i0[k])) << k;
        }
    }
    // Without delay nothing moved: the record with τ = 0 is the record without delay.
    const fdt_travail zero = analyser("1+0.5p", "(1+p)(1+0.2p+p^2)", 0.0);
    std::vector<point_frequence> a(n), b(n);
    reponse_frequentielle(sans, w, a);
    reponse_frequentielle(zero, w, b);
    for (std::size_t k = 0; k < n; ++k) {
        ASSERT_EQ(a[k].t, b[k].t);
        ASSERT_EQ(a[k].phase, b[k].phase);
    }
}

// The range reaches far enough for the delay to turn the phase by 2π more than the fraction's
// when 1/τ lies in it, and is left alone when the delay is too short to matter there.
TEST(RetardFrequenceTest, PlageEtendueAuRetard) {
    struct cas {
        double retard;
        bool etendue;
    };
    for (const cas c : {cas{1.0, true}, cas{0.05, true}, cas{1e-6, false}, cas{0.0, false}}) {
        SCOPED_TRACE(c.retard);
        auto s = std::make_unique<systeme>();
        auto t = std::make_unique<systeme>();
        s->fonctions[1] = analyser("1", "(1+p)(1+0.5p)", c.retard);
        t->fonctions[1] = analyser("1", "(1+p)(1+0.5p)");
        for (systeme* x : {s.get(), t.get()}) {
            x->nb_fonctions = 1;
            x->etudes.toutes_fonctions = true;
        }
        etude_frequence r, r0;
        preparer_frequences(r, true, *s);
        preparer_frequences(r0, true, *t);
        if (!c.etendue) {
            EXPECT_EQ(r.decade_max, r0.decade_max);
            continue;
        }
        EXPECT_GE(r.w_max * c.retard, 2 * pi);
        EXPECT_EQ(r.decade_min, r0.decade_min);
        // The phase range holds the fraction's phase at the top, 2π further down.
        EXPECT_LE(r.phase_min, fdt_phase(t->fonctions[1], r.w_max) - 2 * pi);
    }
}

// K·e^(−τp)/(p(1 + p)), independently: the gain crossing from |T| = 1 in closed form, the
// phase crossings by bisection of atan(ω) + ωτ = π/2 + 2πk, each increasing in ω.
TEST(RetardMargesTest, IntegrateurPremierOrdreContreUnCalculIndependant) {
    struct cas {
        double K, tau;
    };
    for (const cas c : {cas{0.5, 0.5}, cas{1, 0.1}, cas{2, 1}, cas{0.2, 3}, cas{5, 0.02}}) {
        SCOPED_TRACE("K = " + std::to_string(c.K) + ", τ = " + std::to_string(c.tau));
        fdt_travail ft = analyser(std::to_string(c.K).c_str(), "(p)(1+p)", c.tau);
        const marges_stabilite m = calculer_marges(ft.fonction);
        const double wc = std::sqrt((std::sqrt(1 + 4 * c.K * c.K) - 1) / 2);
        ASSERT_EQ(m.croisements_gain.size(), 1u);
        EXPECT_NEAR(m.croisements_gain[0].omega, wc, 1e-12 * wc);
        const double phase = -90 - (std::atan(wc) + wc * c.tau) * 180 / pi;
        EXPECT_NEAR(m.croisements_gain[0].phase_deg, phase, 1e-9);
        double marge = std::fmod(180 + phase, 360.0);
        if (marge <= -180) marge += 360;
        EXPECT_NEAR(*m.marge_phase_deg, marge, 1e-9);
        EXPECT_NEAR(*m.marge_retard, marge > 0 ? marge * pi / 180 / wc : 0.0, 1e-12);

        const double w_fin = 10 * std::max({wc, 1.0, 1 / c.tau});
        std::vector<double> attendus;
        for (int k = 0;; ++k) {
            const auto f = [&](double w) { return std::atan(w) + w * c.tau - pi / 2 - 2 * pi * k; };
            if (f(w_fin) < 0) break;
            double a = 0, b = w_fin;
            for (int i = 0; i < 200; ++i) (f((a + b) / 2) < 0 ? a : b) = (a + b) / 2;
            attendus.push_back((a + b) / 2);
        }
        ASSERT_EQ(m.croisements_phase.size(), attendus.size());
        for (std::size_t i = 0; i < attendus.size(); ++i) {
            const double w = attendus[i];
            EXPECT_NEAR(m.croisements_phase[i].omega, w, 1e-12 * w);
            const double gain = 20 * std::log10(c.K / (w * std::hypot(1.0, w)));
            EXPECT_NEAR(m.croisements_phase[i].gain_db, gain, 1e-9);
            EXPECT_NEAR(m.croisements_phase[i].marge_gain, std::pow(10, -gain / 20),
                        1e-9 * std::pow(10, -gain / 20));
        }
        EXPECT_NEAR(*m.marge_gain_db,
                    -20 * std::log10(c.K / (attendus[0] * std::hypot(1.0, attendus[0]))), 1e-9);
    }
}

TEST(RetardMargesTest, ValeursDeReference) {
    const test::json_lu cas = cas_retard();
    int vus = 0;
    for (std::size_t i = 0; i < cas.taille(); ++i) {
        const test::json_lu c = cas[i];
        if (c["genre"].chaine() != "marges") continue;
        ++vus;
        const fdt_travail ft =
            analyser(c["num"].chaine().c_str(), c["den"].chaine().c_str(), c["retard"].nombre());
        const marges_stabilite m = calculer_marges(ft.fonction);
        const test::json_lu ref = c["ref"];
        EXPECT_NEAR(*m.omega_marge_phase, ref["omega_marge_phase"].nombre(), 1e-12);
        EXPECT_NEAR(*m.marge_phase_deg, ref["marge_phase_deg"].nombre(), 1e-9);
        EXPECT_NEAR(*m.marge_retard, ref["marge_retard"].nombre(), 1e-12);
        EXPECT_NEAR(*m.marge_gain_db, ref["marge_gain_db"].nombre(), 1e-9);
        ASSERT_EQ(m.croisements_phase.size(), ref["croisements_phase"].taille());
        for (std::size_t k = 0; k < m.croisements_phase.size(); ++k) {
            const test::json_lu r = ref["croisements_phase"][k];
            EXPECT_NEAR(m.croisements_phase[k].omega, r["omega"].nombre(),
                        1e-12 * r["omega"].nombre());
            EXPECT_NEAR(m.croisements_phase[k].gain_db, r["gain_db"].nombre(), 1e-9);
            EXPECT_NEAR(m.croisements_phase[k].marge_gain_db, r["marge_gain_db"].nombre(), 1e-9);
        }
    }
    EXPECT_EQ(vus, 1);
}

// The delay margin: positive margin over its pulsation, 0 for a negative margin, nothing without
// a gain crossing; a delay of exactly that margin puts the loop on the edge.
TEST(RetardMargesTest, MargeDeRetard) {
    const marges_stabilite m = calculer_marges(analyser("2", "(p)(1+p)").fonction);
    ASSERT_TRUE(m.marge_retard);
    const fdt_travail limite = analyser("2", "(p)(1+p)", *m.marge_retard);
    const marges_stabilite l = calculer_marges(limite.fonction);
    EXPECT_NEAR(*l.marge_phase_deg, 0, 1e-9);
    EXPECT_NEAR(*l.marge_gain_db, 0, 1e-9);
    EXPECT_EQ(*calculer_marges(analyser("2", "(p)(1+p)", 1.5).fonction).marge_retard, 0.0);
    EXPECT_FALSE(calculer_marges(analyser("0.5", "1+p", 1).fonction).marge_retard);
    // No gain crossing, and still the phase crossings of the delay.
    const marges_stabilite p = calculer_marges(analyser("0.5", "1+p", 1).fonction);
    EXPECT_FALSE(p.marge_phase_deg);
    EXPECT_FALSE(p.croisements_phase.empty());
}

// The step characteristics of a delayed function are those without delay, τ later.
TEST(RetardCaracteristiquesTest, IndicielleDecalee) {
    const fdt_travail sans = analyser("1", "1+0.6p+p^2");
    const fdt_travail avec = analyser("1", "1+0.6p+p^2", 2.5);
    const reponse_indicielle a = calculer_indicielle(sans.fonction);
    const reponse_indicielle b = calculer_indicielle(avec.fonction);
    EXPECT_EQ(b.stable, a.stable);
    EXPECT_EQ(*b.valeur_finale, *a.valeur_finale);
    EXPECT_EQ(*b.temps_montee, *a.temps_montee);
    EXPECT_EQ(*b.pic, *a.pic);
    EXPECT_EQ(*b.depassement_pct, *a.depassement_pct);
    EXPECT_DOUBLE_EQ(*b.temps_pic, *a.temps_pic + 2.5);
    EXPECT_DOUBLE_EQ(*b.temps_reponse_5, *a.temps_reponse_5 + 2.5);
    EXPECT_DOUBLE_EQ(*b.temps_reponse_2, *a.temps_reponse_2 + 2.5);
    // A pure gain never leaves its band but for the delay itself.
    const reponse_indicielle g = calculer_indicielle(analyser("3", "1", 0.4).fonction);
    EXPECT_DOUBLE_EQ(*g.temps_reponse_2, 0.4);
}

// Every input of the open loop: the response without delay, τ later, zero before.
TEST(RetardTempsTest, ReponsesDecalees) {
    const fdt_travail sans = analyser("1+2p", "(1+p)(1+0.3p+p^2)");
    const fdt_travail avec = analyser("1+2p", "(1+p)(1+0.3p+p^2)", 1.3);
    etude_temps r;
    r.amplitude = 2;
    r.pulsation = 3;
    r.phase_origine = 0.4;
    for (const entree_temps genre : {entree_temps::impulsion, entree_temps::echelon,
                                     entree_temps::rampe, entree_temps::sinus}) {
        SCOPED_TRACE(static_cast<int>(genre));
        fdt_travail t0, t1;
        const fdt_travail* a = reponse_a_evaluer(sans, genre, r, t0);
        const fdt_travail* b = reponse_a_evaluer(avec, genre, r, t1);
        ASSERT_TRUE(a && b);
        std::vector<double> y(500);
        valeurs_temporelles(*b, 0, 0.02, 500, y.data());
        for (int k = 0; k < 500; ++k) {
            const double t = 0.02 * k;
            const double attendu = t < 1.3 ? 0.0 : valeur_temporelle(*a, t - 1.3);
            EXPECT_NEAR(y[static_cast<std::size_t>(k)], attendu, 1e-12) << t;
            if (k % 7 == 0) {
                EXPECT_EQ(valeur_temporelle(*b, t), attendu) << t;
            }
        }
        EXPECT_EQ(valeur_temporelle(*b, 1.3), valeur_temporelle(*a, 0));
    }
}

TEST(RetardTempsTest, ValeursDeReference) {
    const test::json_lu cas = cas_retard();
    int vus = 0;
    for (std::size_t i = 0; i < cas.taille(); ++i) {
        const test::json_lu c = cas[i];
        if (c["genre"].chaine() != "temps") continue;
        ++vus;
        const fdt_travail ft =
            analyser(c["num"].chaine().c_str(), c["den"].chaine().c_str(), c["retard"].nombre());
        etude_temps r;
        fdt_travail tampon;
        const fdt_travail* R = reponse_a_evaluer(ft, entree_temps::echelon, r, tampon);
        for (std::size_t k = 0; k < c["ref"]["points"].taille(); ++k) {
            const test::json_lu p = c["ref"]["points"][k];
            EXPECT_NEAR(valeur_temporelle(*R, p["t"].nombre()), p["y"].nombre(), 1e-12);
        }
    }
    EXPECT_EQ(vus, 1);
}

// The square and triangle responses of a delayed function are those without it, shifted by the
// samples its delay spans (here a whole number of them).
TEST(RetardTempsTest, PeriodiquesDecalees) {
    for (const entree_temps genre : {entree_temps::carre, entree_temps::triangle}) {
        auto sans = test::banc({{"1", "(1+p)(1+0.5p)"}});
        sans->r().frequence_periodique = 0.5;
        sans->r().nb_periodes = 3;
        sans->calculer(genre);
        const double tau = 7 * pas_periodique(sans->r());
        auto avec = test::banc({{"1", "(1+p)(1+0.5p)"}});
        bool s = false, d = false;
        analyser_fonction(avec->sys.calcul, 'p', "1", "(1+p)(1+0.5p)", avec->sys.fonctions[1], s, d,
                          tau);
        avec->r().frequence_periodique = 0.5;
        avec->r().nb_periodes = 3;
        avec->calculer(genre);
        const signal& y0 = sans->sys.periodique.echantillons_reponse[1];
        const signal& y1 = avec->sys.periodique.echantillons_reponse[1];
        ASSERT_EQ(y0.size(), y1.size());
        for (std::size_t k = 0; k < y1.size(); ++k)
            EXPECT_NEAR(y1[k], k < 7 ? 0.0 : y0[k - 7], 1e-12)
                << static_cast<int>(genre) << " " << k;
    }
}

} // namespace
} // namespace varlem
