#include "numeric/temporel.h"

#include "numeric/boucle_retard.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace varlem {

namespace {

// Samples between two direct evaluations of a term in the batch evaluation; within a block the
// term is its anchor value times a power of e^(valeur·dt), which drifts by one rounding a step.
constexpr int longueur_bloc = 64;

bool coef_nul(const terme& e) {
    return e.coef.re == 0 && e.coef.im == 0;
}

// t^(ordre−1)/(ordre−1)! · e^(Re(valeur)·t), the modulus of one term's time function over
// |coef|. It is capped at 1e55 once t·Re(valeur) reaches 100, so it never overflows.
double facteur_terme(const terme& e, double t) {
    double q;
    if (t > 0)
        q = std::exp((e.ordre - 1) * std::log(t));
    else
        q = e.ordre <= 1 ? 1.0 : 0.0;
    q /= factorielle(e.ordre - 1);
    if (t * e.valeur.re >= exposant_plafond_temporel)
        q = valeur_plafond_temporelle;
    else
        q *= std::exp(t * e.valeur.re);
    return q;
}

// The time function of one term, Re(coef · t^(ordre−1)/(ordre−1)! · e^(valeur·t)).
double valeur_terme(const terme& e, double t) {
    const double q = facteur_terme(e, t);
    const double theta = t * e.valeur.im;
    return c_produit({q * std::cos(theta), q * std::sin(theta)}, e.coef).re;
}

// Roundings a value may carry per unit of Σ|term|: one per term summed, and the drift of the
// block recurrences.
double arrondis_par_terme(const fdt_travail& ft) {
    return (nb_poles(ft) + longueur_bloc + 4) * std::numeric_limits<double>::epsilon();
}

// Σ |term(t)|, the size of what the sum at t adds up.
double somme_modules(const fdt_travail& ft, double t) {
    double somme = 0;
    const int n = nb_poles(ft);
    for (int k = 0; k < n; ++k) {
        const terme& e = ft.termes_poles[static_cast<std::size_t>(k)];
        if (!coef_nul(e)) somme += std::hypot(e.coef.re, e.coef.im) * facteur_terme(e, t);
    }
    return somme;
}

// The largest Σ|term| over [t0, t1]: each term's modulus is largest at an end or, for a
// decaying multiple pole, where t^(ordre−1)·e^(Re·t) turns.
double somme_modules_max(const fdt_travail& ft, double t0, double t1) {
    double somme = 0;
    const int n = nb_poles(ft);
    for (int k = 0; k < n; ++k) {
        const terme& e = ft.termes_poles[static_cast<std::size_t>(k)];
        if (coef_nul(e)) continue;
        double q = std::max(facteur_terme(e, t0), facteur_terme(e, t1));
        if (e.ordre > 1 && e.valeur.re < 0) {
            const double sommet = (e.ordre - 1) / -e.valeur.re;
            if (sommet > t0 && sommet < t1) q = std::max(q, facteur_terme(e, sommet));
        }
        somme += std::hypot(e.coef.re, e.coef.im) * q;
    }
    return somme;
}

// Samples whose rounding bound exceeds the tolerance of the response's scale become NaN. The
// scale, returned, is the largest value among those sure on their own, so that values made of
// rounding cannot make it; it is then the largest value left.
double masquer_arrondis(const fdt_travail& ft, double t0, double dt, int n, double* sortie) {
    const double a = arrondis_par_terme(ft);
    double plus_grand = 0;
    for (int k = 0; k < n; ++k)
        if (std::isfinite(sortie[k])) plus_grand = std::max(plus_grand, std::fabs(sortie[k]));
    // Almost always every sample is sure, shown by one bound over the whole grid.
    if (a * somme_modules_max(ft, t0, t0 + (n - 1) * dt) <= tolerance_arrondi_temporel * plus_grand)
        return plus_grand;
    std::vector<double> bornes(static_cast<std::size_t>(n));
    double echelle = 0;
    for (int k = 0; k < n; ++k) {
        bornes[static_cast<std::size_t>(k)] = a * somme_modules(ft, t0 + k * dt);
        if (std::isfinite(sortie[k]) && bornes[static_cast<std::size_t>(k)] <=
                                            tolerance_arrondi_temporel * std::fabs(sortie[k]))
            echelle = std::max(echelle, std::fabs(sortie[k]));
    }
    for (int k = 0; k < n; ++k)
        if (!(bornes[static_cast<std::size_t>(k)] <= tolerance_arrondi_temporel * echelle))
            sortie[k] = std::numeric_limits<double>::quiet_NaN();
    return echelle;
}

// coef · e^(valeur·t), the anchor of a block.
complexe ancre(const terme& e, double t) {
    const double q = std::exp(t * e.valeur.re);
    const double theta = t * e.valeur.im;
    return c_produit({q * std::cos(theta), q * std::sin(theta)}, e.coef);
}

// t^(ordre−1)/(ordre−1)! for ordre ≥ 2 as valeur_terme takes it, by products instead of exp
// and log.
double facteur_puissance(int ordre, double t, double inverse_factorielle) {
    if (t <= 0) return 0.0;
    double p = inverse_factorielle;
    for (int k = 1; k < ordre; ++k) p *= t;
    return p;
}

void ajouter_direct(const terme& e, double t0, double dt, int debut, int fin, double* sortie) {
    for (int k = debut; k < fin; ++k) sortie[k] += valeur_terme(e, t0 + k * dt);
}

void ajouter_terme(const terme& e, double t0, double dt, int n, double* sortie) {
    const double re = e.valeur.re;
    // Steps so large that a block's powers could overflow: every sample is evaluated directly.
    if (!(std::fabs(re * dt) * longueur_bloc < 600) || !std::isfinite(t0) || e.ordre < 1) {
        ajouter_direct(e, t0, dt, 0, n, sortie);
        return;
    }
    complexe puissances[longueur_bloc];
    puissances[0] = {1, 0};
    const double q = std::exp(re * dt);
    const complexe r{q * std::cos(e.valeur.im * dt), q * std::sin(e.valeur.im * dt)};
    for (int i = 1; i < longueur_bloc; ++i) puissances[i] = c_produit(puissances[i - 1], r);

    const double inverse_factorielle = 1.0 / factorielle(e.ordre - 1);
    for (int b = 0; b < n; b += longueur_bloc) {
        const int nb = std::min(longueur_bloc, n - b);
        const double tb = t0 + b * dt;
        const double te = t0 + (b + nb - 1) * dt;
        // The overflow cap changes the function itself: such blocks are evaluated directly.
        if (tb * re >= 100 || te * re >= 100) {
            ajouter_direct(e, t0, dt, b, b + nb, sortie);
            continue;
        }
        const complexe a = ancre(e, tb);
        double* s = sortie + b;
        if (e.ordre == 1) {
            for (int i = 0; i < nb; ++i) s[i] += a.re * puissances[i].re - a.im * puissances[i].im;
        } else {
            for (int i = 0; i < nb; ++i) {
                const double f = facteur_puissance(e.ordre, t0 + (b + i) * dt, inverse_factorielle);
                s[i] += f * (a.re * puissances[i].re - a.im * puissances[i].im);
            }
        }
    }
}

double valeur_rationnelle(const fdt_travail& ft, double t) {
    const int n = nb_poles(ft);
    double somme = 0;
    // Only exactly zero coefficients are skipped: a small gain makes every coefficient small.
    for (int k = 0; k < n; ++k) {
        const terme& e = ft.termes_poles[static_cast<std::size_t>(k)];
        if (!coef_nul(e)) somme += valeur_terme(e, t);
    }
    return somme;
}

double valeurs_rationnelles(const fdt_travail& ft, double t0, double dt, int n, double* sortie) {
    if (n <= 0) return 0.0;
    std::fill(sortie, sortie + n, 0.0);
    const int nb = nb_poles(ft);
    for (int k = 0; k < nb; ++k) {
        const terme& e = ft.termes_poles[static_cast<std::size_t>(k)];
        if (!coef_nul(e)) ajouter_terme(e, t0, dt, n, sortie);
    }
    return masquer_arrondis(ft, t0, dt, n, sortie);
}

double borne_rationnelle(const fdt_travail& ft, double t) {
    return arrondis_par_terme(ft) * somme_modules(ft, t);
}

double retard_de(const fdt_travail& ft) {
    const double tau = ft.fonction.retard;
    return tau > 0 && std::isfinite(tau) ? tau : 0.0;
}

// The value of a loop's stand-in at t (its delay already taken off): the loop's own response,
// or nothing when the loop cannot be computed and the stand-in answers for it.
std::optional<double> valeur_boucle(const fdt_travail& ft, double t) {
    if (ft.fonction.boucle == nullptr) return std::nullopt;
    const reponse_boucle_retard r(*ft.fonction.boucle, std::max(t, 0.0));
    if (!r.valide()) return std::nullopt;
    return r.valeur(t);
}

} // namespace

double valeur_temporelle(const fdt_travail& ft, double t) {
    const double tau = retard_de(ft);
    // A delayed response is zero before its delay, then the response without it.
    if (tau > 0 && !(t >= tau)) return 0.0;
    if (const std::optional<double> v = valeur_boucle(ft, t - tau)) return *v;
    return valeur_rationnelle(ft, t - tau);
}

double valeurs_temporelles(const fdt_travail& ft, double t0, double dt, int n, double* sortie) {
    if (n <= 0) return 0.0;
    const double tau = retard_de(ft);
    int k0 = 0;
    if (tau > 0) {
        // The first sample at or after τ; those before it are zero.
        const double k = std::ceil((tau - t0) / dt);
        k0 = !(k > 0) ? 0 : k >= n ? n : static_cast<int>(k);
        while (k0 > 0 && t0 + (k0 - 1) * dt >= tau) --k0;
        while (k0 < n && !(t0 + k0 * dt >= tau)) ++k0;
        std::fill(sortie, sortie + k0, 0.0);
        if (k0 == n) return 0.0;
    }
    const double debut = t0 + k0 * dt - tau;
    if (ft.fonction.boucle != nullptr) {
        const std::optional<double> echelle =
            valeurs_boucle_retard(*ft.fonction.boucle, debut, dt, n - k0, sortie + k0);
        if (echelle) return *echelle;
    }
    return valeurs_rationnelles(ft, debut, dt, n - k0, sortie + k0);
}

double borne_arrondi_temporelle(const fdt_travail& ft, double t) {
    const double tau = retard_de(ft);
    if (tau > 0 && !(t >= tau)) return 0.0;
    // The loop's response carries no bound of this kind: its samples are all taken as sure.
    if (valeur_boucle(ft, t - tau)) return 0.0;
    return borne_rationnelle(ft, t - tau);
}

double valeur_temporelle_sure(const fdt_travail& ft, double t, double echelle) {
    const double tau = retard_de(ft);
    if (tau > 0 && !(t >= tau)) return 0.0;
    if (const std::optional<double> v = valeur_boucle(ft, t - tau)) return *v;
    const double v = valeur_rationnelle(ft, t - tau);
    const double limite = tolerance_arrondi_temporel * std::max(echelle, std::fabs(v));
    return borne_rationnelle(ft, t - tau) <= limite ? v : std::numeric_limits<double>::quiet_NaN();
}

void transformee_entree(entree_temps genre, fdt& E, double amplitude, double phase, double w) {
    if (!entree_transformee(genre)) return;
    p_nul(E.num);
    p_nul(E.den);
    if (genre == entree_temps::echelon) {
        E.num.coef[0] = {1, 0};
        E.den.degre = 1;
        E.den.coef[1] = {1, 0};
    } else if (genre == entree_temps::rampe) {
        E.num.coef[0] = {1, 0};
        E.den.degre = 2;
        E.den.coef[2] = {1, 0};
    } else {
        E.num.coef[0] = {amplitude * w * std::cos(phase), 0};
        E.num.coef[1] = {amplitude * std::sin(phase), 0};
        E.num.degre = phase != 0 ? 1 : 0;
        E.den.degre = 2;
        E.den.coef[0] = {w * w, 0};
        E.den.coef[2] = {1, 0};
    }
}

double terme_direct(const fdt_travail& ft) {
    const polynome& num = ft.fonction.num;
    const polynome& den = ft.fonction.den;
    if (den.degre > num.degre || den.degre < 0 || den.degre > capacite_polynome) return 0.0;
    const auto d = static_cast<std::size_t>(den.degre);
    return num.coef[d].re / den.coef[d].re;
}

} // namespace varlem
