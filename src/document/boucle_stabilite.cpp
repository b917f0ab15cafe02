#include "document/boucle_stabilite.h"

#include "analysis/boucle_retard.h"
#include "analysis/pade.h"
#include "numeric/nombres.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

namespace varlem {

namespace {

const fdt& fonction_etudiee(const systeme& s) {
    const int k = s.etudes.boucle_fermee ? s.courante_sauvee : s.fonction_courante;
    const banque_fonctions& b = s.etudes.boucle_fermee ? s.sauvegarde : s.fonctions;
    return b[static_cast<std::size_t>(std::clamp(k, 1, nb_fonctions_max))].fonction;
}

std::string nombre(double x) {
    std::string t = texte_nombre(x);
    if (!t.empty() && t.front() == ' ') t.erase(0, 1);
    return t;
}

// The exact loop K·G·e^(−τp) closed by unity feedback.
boucle_retardee boucle_exacte(const boucle_stabilite& b, double k) {
    boucle_retardee r;
    r.num_directe = b.num;
    for (complexe& c : r.num_directe.coef) c = {k * c.re, k * c.im};
    r.den_directe = b.den;
    r.num_retour = p_constante(1);
    r.den_retour = p_constante(1);
    r.num_entree = p_constante(1);
    r.den_entree = p_constante(1);
    r.retard = b.retard;
    return r;
}

// Half-widths, relative to the bound, of the brackets tried around a bound of the stand-in.
constexpr double crochets[] = {1e-3, 1e-2, 0.1, 0.3};
constexpr int bissections_max = 80;
constexpr double precision_borne = 1e-12;

// The gain near `borne` where the exact loop turns from stable to unstable (or the reverse when
// `stable_dessous` is false); `borne` itself when no bracket confirms it, or as soon as the
// exact count cannot be had (its search gives up at once rather than at every bisection).
double borne_exacte(const boucle_stabilite& b, double borne, bool stable_dessous) {
    const auto stable = [&](double k) -> std::optional<bool> {
        const std::optional<int> z = racines_instables_boucle(boucle_exacte(b, k));
        if (!z) return std::nullopt;
        return *z == 0;
    };
    for (const double d : crochets) {
        double bas = borne * (1 - d), haut = borne * (1 + d);
        const std::optional<bool> sous = stable(bas), dessus = stable(haut);
        if (!sous || !dessus) return borne;
        if (*sous != stable_dessous || *dessus == stable_dessous) continue;
        for (int i = 0; i < bissections_max && haut - bas > precision_borne * haut; ++i) {
            const double m = (bas + haut) / 2;
            const std::optional<bool> milieu = stable(m);
            if (!milieu) break;
            (*milieu == stable_dessous ? bas : haut) = m;
        }
        return (bas + haut) / 2;
    }
    return borne;
}

} // namespace

std::optional<boucle_stabilite> boucle_stabilite_systeme(const systeme& s) {
    std::optional<boucle_etudiee> e = boucle_etudiee_systeme(s);
    if (!e) return std::nullopt;
    boucle_stabilite b;
    b.num = e->num;
    b.den = e->den;
    b.retard = fonction_etudiee(s).retard;
    if (s.etudes.boucle_fermee) b.retard += s.retour.fonction.retard;
    if (b.retard > 0) {
        fdt g;
        g.num = e->num;
        g.den = e->den;
        g.retard = b.retard;
        const substitut_pade p = substitut_rationnel(g);
        e->num = p.fonction.num;
        e->den = p.fonction.den;
        b.ordre_pade = p.ordre;
    }
    b.etudiee = *e;
    return b;
}

verdict_nyquist verdict_boucle(const boucle_stabilite& b, double k) {
    verdict_nyquist v = critere_nyquist(b.num, b.den, k);
    if (!(b.retard > 0) || !v.valide) return v;
    // The delay moves neither the open loop's poles nor the contour: P and the indentations
    // stay; the encirclements follow from the exact loop's unstable roots.
    const std::optional<int> z = racines_instables_boucle(boucle_exacte(b, k));
    if (!z || *z == INT_MAX) {
        v.N.reset();
        v.Z.reset();
        v.stable = false;
        return v;
    }
    v.Z = *z;
    v.N = *z - v.P;
    v.stable = *z == 0;
    return v;
}

std::vector<intervalle_gains> gains_stables_exacts(const boucle_stabilite& b,
                                                   std::vector<intervalle_gains> approchees) {
    if (!(b.retard > 0)) return approchees;
    for (intervalle_gains& g : approchees) {
        if (g.k_min > 0 && std::isfinite(g.k_min)) g.k_min = borne_exacte(b, g.k_min, false);
        if (std::isfinite(g.k_max)) g.k_max = borne_exacte(b, g.k_max, true);
    }
    return approchees;
}

std::string texte_retard_stabilite(const boucle_stabilite& b) {
    if (!(b.retard > 0)) return {};
    // The open loop's table is that of its own denominator, which the delay leaves alone.
    const std::string etudes = b.etudiee.boucle_fermee
                                   ? "le lieu d'Evans et le tableau de Routh portent"
                                   : "le lieu d'Evans porte";
    const std::string debut = "Retard de " + nombre(b.retard) + " s : ";
    const std::string fin =
        " ; les gains stables et le critère de Nyquist portent sur la boucle exacte.";
    if (b.ordre_pade == 0)
        return debut + "faute de place pour son approximation de Padé, " + etudes +
               " sur la fraction seule" + fin;
    return debut + etudes + " sur son approximation de Padé d'ordre " +
           std::to_string(b.ordre_pade) + fin;
}

} // namespace varlem
