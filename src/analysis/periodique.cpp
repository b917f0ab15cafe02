#include "analysis/periodique.h"

#include "analysis/convolution_rapide.h"
#include "analysis/periodique_retard.h"
#include "analysis/signal_periodique.h"
#include "numeric/temporel.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace varlem {

namespace {

/// Below this many Horner steps a second thread costs more than it saves.
constexpr double travail_min_parallele = 2e5;
constexpr unsigned nb_fils_max = 16;

int arrondi(double x) {
    return static_cast<int>(std::nearbyint(x));
}

/// One function to compute: its kernel, direct term and response array.
struct tache_periodique {
    noyau_convolution noyau;
    double direct = 0.0;
    signal* sortie = nullptr;
    /// Delay of the function: its samples are those of the function without it, τ later.
    double retard = 0.0;
    /// Samples the delay spans, taken off the sub-step count of each sample.
    int decalage = 0;
};

double retard_de(const fdt_travail& R) {
    return R.fonction.retard > 0 && std::isfinite(R.fonction.retard) ? R.fonction.retard : 0.0;
}

/// The gauge: the arithmetic of the computation's progress window, held so that it never
/// goes back (the per-function rounding can) and ends at 100.
class jauge_periodique {
  public:
    jauge_periodique(const rapport_progression& rapport, const demande_periodique& d, int n, int mh)
        : rapport_(rapport), toutes_(d.toutes), non_corrige_(d.non_corrige),
          nb_fonctions_(std::max(1, std::clamp(d.nb_fonctions, 0, nb_fonctions_max))),
          n_(std::max(1, n)), mh_(mh) {}

    /// `faits` samples past sample 0 are done, counted in the order of the functions.
    void signaler(std::int64_t faits) {
        if (mh_ <= 0) return;
        auto rang = static_cast<int>(faits / mh_);
        auto j = static_cast<int>(faits % mh_);
        if (j == 0 && rang > 0) {
            --rang;
            j = mh_;
        }
        montrer(valeur(rang, j));
    }

    void montrer(int v) {
        v = std::clamp(v, 0, 100);
        if (v <= dernier_) return;
        dernier_ = v;
        if (rapport_) rapport_(v);
    }

  private:
    int valeur(int rang, int j) const {
        if (toutes_) {
            return rang * arrondi(100.0 / nb_fonctions_) +
                   arrondi(static_cast<double>(j) / n_ * 2.0 * 100.0 / nb_fonctions_);
        }
        if (rang > 0) return arrondi(static_cast<double>(j) / n_ * 2.0 * 50.0 + 50.0);
        if (non_corrige_) return arrondi(static_cast<double>(j) / n_ * 100.0);
        return arrondi(static_cast<double>(j) / mh_ * 100.0);
    }

    const rapport_progression& rapport_;
    bool toutes_;
    bool non_corrige_;
    int nb_fonctions_;
    int n_;
    int mh_;
    int dernier_ = -1;
};

/// Threads worth starting for the samples 1..mh of every task.
unsigned nb_fils(const std::vector<tache_periodique>& taches, int mh, int precision) {
    double termes = 0.0;
    for (const tache_periodique& t : taches) termes += static_cast<double>(t.noyau.termes.size());
    const double travail = termes * precision * 0.5 * mh * static_cast<double>(mh);
    if (travail < travail_min_parallele) return 1;
    return std::clamp(std::thread::hardware_concurrency(), 1u, nb_fils_max);
}

/// Samples 1..mh of every task, shared among threads that each take the next sample in turn;
/// sample j costs j·precision steps, so taking them one by one keeps the threads balanced.
void calculer_echantillons(std::vector<tache_periodique>& taches, const etude_temps& r,
                           const forme_periodique& u, int precision, int mh,
                           jauge_periodique& jauge) {
    const double pas = pas_periodique(r);
    const std::int64_t total = static_cast<std::int64_t>(taches.size()) * mh;
    std::atomic<std::int64_t> suivant{0};
    std::atomic<std::int64_t> faits{0};

    const auto travailler = [&](bool principal) {
        std::vector<double> tampon;
        for (;;) {
            const std::int64_t g = suivant.fetch_add(1, std::memory_order_relaxed);
            if (g >= total) break;
            tache_periodique& tache = taches[static_cast<std::size_t>(g / mh)];
            const int j = static_cast<int>(g % mh) + 1;
            (*tache.sortie)[static_cast<std::size_t>(j)] = reponse_convolution_rapide(
                tache.noyau, std::max(j - tache.decalage, 1), r.t_min + j * pas - tache.retard,
                tache.direct, u, precision, tampon);
            const std::int64_t n = faits.fetch_add(1, std::memory_order_relaxed) + 1;
            // Only the calling thread reports, after each sample it completes.
            if (principal) jauge.signaler(n);
        }
    };

    std::vector<std::thread> fils;
    const unsigned nb = nb_fils(taches, mh, precision);
    for (unsigned i = 1; i < nb; ++i) {
        try {
            fils.emplace_back(travailler, false);
        } catch (const std::system_error&) {
            break; // fewer threads: the calling thread still does all that is left
        }
    }
    travailler(true);
    for (std::thread& f : fils) f.join();
    jauge.signaler(faits.load());
}

} // namespace

double reponse_convolution(const fdt_travail& R, int j, double t, double D, const etude_temps& r,
                           entree_temps genre, int precision) {
    // A delayed function answers τ later what it would have answered without its delay.
    const double tau = retard_de(R);
    t -= tau;
    if (!(t >= 0.0) || !std::isfinite(t)) return 0.0;
    const forme_periodique u = forme_depuis(r, genre);
    const std::int64_t M = static_cast<std::int64_t>(std::max(j, 0)) * precision_bornee(precision);
    const double h = t / static_cast<double>(M + 1);
    double somme = 0.0;
    for (std::int64_t e = 0; e <= M; ++e) {
        const double x = static_cast<double>(e) * h;
        somme += u.valeur(x) * valeur_temporelle(R, t - x + tau);
    }
    return D * u.valeur(t) + h * somme;
}

void calculer_reponses_periodiques(const etude_temps& r, const banque_fonctions& f,
                                   const demande_periodique& d, echantillons_periodiques& sortie,
                                   const rapport_progression& progression) {
    const entree_temps genre = d.genre;
    const int precision = precision_bornee(d.precision);
    const int nb = nb_echantillons_periodiques(r);
    const int mh = nb - 1;
    const forme_periodique u = forme_depuis(r, genre);
    jauge_periodique jauge(progression, d, std::clamp(r.nb_points, 0, nb_points_max_periodique),
                           mh);
    jauge.montrer(0);

    std::vector<tache_periodique> taches;
    std::vector<double> tampon;
    for (const int slot : d.concernes) {
        if (!slot_valide(slot)) continue;
        const fdt_travail& R = fonction_du_slot(f, slot);
        // A loop with a delay answers from its own exact responses, not from its stand-in's.
        signal& reponse = sortie.echantillons_reponse[static_cast<std::size_t>(slot)];
        if (R.fonction.boucle && reponse_periodique_boucle(*R.fonction.boucle, retard_de(R), u,
                                                           r.t_min, pas_periodique(r), nb, reponse))
            continue;
        tache_periodique tache;
        tache.noyau = preparer_noyau(R, static_cast<std::int64_t>(mh) * precision + 1);
        tache.direct = terme_direct(R);
        tache.sortie = &sortie.echantillons_reponse[static_cast<std::size_t>(slot)];
        tache.sortie->assign(static_cast<std::size_t>(nb), 0.0);
        tache.retard = retard_de(R);
        const double pas = pas_periodique(r);
        if (tache.retard > 0 && pas > 0)
            tache.decalage = static_cast<int>(std::min(std::nearbyint(tache.retard / pas), 1e9));
        // Sample 0 takes the sub-steps of sample 1, as the first computed sample always has.
        (*tache.sortie)[0] = reponse_convolution_rapide(tache.noyau, 1, r.t_min - tache.retard,
                                                        tache.direct, u, precision, tampon);
        taches.push_back(std::move(tache));
    }
    if (mh > 0 && !taches.empty()) calculer_echantillons(taches, r, u, precision, mh, jauge);
    jauge.montrer(100);
}

} // namespace varlem
