#include "studies/export_csv.h"

#include "analysis/frequences.h"
#include "analysis/periodique.h"
#include "analysis/reponse_temps.h"
#include "document/etudes_systeme.h"
#include "numeric/decomposition.h"
#include "numeric/frequentiel.h"
#include "plot/echelles.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace varlem {

namespace {

constexpr double deux_pi = 2 * std::numbers::pi;
constexpr double degres_par_radian = 180 / std::numbers::pi;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

void ajouter_nombre(std::string& s, double x) {
    if (std::isnan(x)) {
        s += "nan";
        return;
    }
    if (std::isinf(x)) {
        s += x > 0 ? "inf" : "-inf";
        return;
    }
    // to_chars never reads the C locale, which the application sets from the environment.
    char tampon[32];
    const auto fin =
        std::to_chars(tampon, tampon + sizeof tampon, x, std::chars_format::general, 17);
    s.append(tampon, fin.ptr);
}

void ajouter_ligne(std::string& s, const std::vector<std::string>& champs) {
    for (std::size_t k = 0; k < champs.size(); ++k) {
        if (k > 0) s += ',';
        s += champs[k];
    }
    s += '\n';
}

// Value i of a column, NaN past its end (a sample array left shorter by an older computation).
double valeur(const std::vector<double>& colonne, std::size_t i) {
    return i < colonne.size() ? colonne[i] : nan;
}

// The header, then one row per index: the abscissa, then the value of each column.
std::string tableau(const std::vector<std::string>& entete, const std::vector<double>& abscisses,
                    const std::vector<std::vector<double>>& colonnes) {
    std::string s;
    ajouter_ligne(s, entete);
    s.reserve(s.size() + abscisses.size() * (colonnes.size() + 1) * 24);
    for (std::size_t i = 0; i < abscisses.size(); ++i) {
        ajouter_nombre(s, abscisses[i]);
        for (const std::vector<double>& c : colonnes) {
            s += ',';
            ajouter_nombre(s, valeur(c, i));
        }
        s += '\n';
    }
    return s;
}

// ---- Frequency ----

// The diagram's decades, pulsations_par_decade_csv pulsations per decade, both ends included:
// the ends are the study's w_min and w_max.
std::vector<double> pulsations_csv(const etude_frequence& r) {
    const int d_min = std::clamp(r.decade_min, -decade_limite, decade_limite);
    const int d_max = std::clamp(r.decade_max, -decade_limite, decade_limite);
    const int sens = d_max >= d_min ? 1 : -1;
    const int n = std::abs(d_max - d_min) * pulsations_par_decade_csv + 1;
    std::vector<double> w(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        // An integer numerator puts every whole decade on its exact exponent.
        const double e = static_cast<double>(d_min * pulsations_par_decade_csv + sens * k) /
                         pulsations_par_decade_csv;
        const double v = puissance_dix(e);
        w[static_cast<std::size_t>(k)] = r.en_hertz ? v * deux_pi : v;
    }
    return w;
}

// Gain and phase columns of one function over the pulsations.
void colonnes_frequence(const fdt_travail& ft, const etude_frequence& r,
                        const std::vector<double>& w, std::vector<std::vector<double>>& colonnes) {
    const std::size_t n = w.size();
    std::vector<double> re(n), im(n), gain(n), phase(n);
    reponse_frequentielle(ft, w,
                          tableaux_frequence{re.data(), im.data(), gain.data(), phase.data()});
    if (!r.en_radians)
        for (double& a : phase) a *= degres_par_radian;
    colonnes.push_back(std::move(gain));
    colonnes.push_back(std::move(phase));
}

// ---- Time ----

// The exact inputs, zero before t = 0 like the transforms the responses come from. The impulse
// has no finite value to write and reads 0.
double valeur_entree(const etude_temps& r, entree_temps genre, double t) {
    if (t < 0) return 0.0;
    switch (genre) {
    case entree_temps::echelon:
        return 1.0;
    case entree_temps::rampe:
        return t;
    case entree_temps::sinus:
        return r.amplitude * std::sin(r.pulsation * t + r.phase_origine);
    case entree_temps::aucune:
    case entree_temps::impulsion:
    case entree_temps::carre:
    case entree_temps::triangle:
        break;
    }
    return 0.0;
}

// Slots whose responses the time plot draws for this kind, in its order.
std::vector<int> slots_temps(const systeme& sys, entree_temps genre) {
    std::vector<int> slots = fonctions_temps(sys);
    const etat_etudes& e = sys.etudes;
    if (e.boucle_fermee && e.afficher_non_corrige) {
        // The periodic computation fills slot 4 only in single-function display.
        const bool avec_non_corrige = entree_periodique(genre)
                                          ? !e.toutes_fonctions
                                          : genre == entree_temps::impulsion || !e.toutes_fonctions;
        // A slot shown twice by the plot is written once.
        if (avec_non_corrige && std::find(slots.begin(), slots.end(), 4) == slots.end())
            slots.push_back(4);
    }
    return slots;
}

std::vector<std::string> entete_temps(const std::vector<int>& slots) {
    std::vector<std::string> entete{"t (s)", "entree"};
    for (const int k : slots) entete.push_back("y" + std::to_string(k));
    return entete;
}

std::string csv_exact(const etude_temps& r, const systeme& sys, entree_temps genre,
                      const std::vector<int>& slots) {
    const grille_temps g = grille_trace(r);
    const auto n = static_cast<std::size_t>(g.nombre);
    std::vector<double> t(n);
    std::vector<std::vector<double>> colonnes(1);
    for (std::size_t i = 0; i < n; ++i) {
        t[i] = g.t0 + static_cast<double>(i) * g.pas;
        colonnes[0].push_back(valeur_entree(r, genre, t[i]));
    }
    fdt_travail tampon;
    for (const int k : slots) {
        std::vector<double> y;
        const fdt_travail* R =
            slot_valide(k)
                ? reponse_a_evaluer(sys.fonctions[static_cast<std::size_t>(k)], genre, r, tampon)
                : nullptr;
        // A response the plot cannot draw keeps its column, empty of values.
        if (R != nullptr) valeurs_sur_grille(*R, g, y);
        colonnes.push_back(std::move(y));
    }
    return tableau(entete_temps(slots), t, colonnes);
}

std::string csv_periodique(const etude_temps& r, const systeme& sys,
                           const std::vector<int>& slots) {
    const auto n = static_cast<std::size_t>(nb_echantillons_periodiques(r));
    const double delta = pas_periodique(r);
    std::vector<double> t(n);
    for (std::size_t i = 0; i < n; ++i) t[i] = r.t_min + static_cast<double>(i) * delta;
    std::vector<std::vector<double>> colonnes{sys.periodique.echantillons_entree};
    for (const int k : slots)
        colonnes.push_back(slot_valide(k)
                               ? sys.periodique.echantillons_reponse[static_cast<std::size_t>(k)]
                               : std::vector<double>{});
    return tableau(entete_temps(slots), t, colonnes);
}

// ---- Poles and zeros ----

// The zeros grouped by the rule of the poles: equal values, both parts.
table_multiplicites multiplicites_zeros(const fdt_travail& ft) {
    fdt_travail vue;
    vue.fonction.den.degre = nb_zeros(ft);
    vue.termes_poles = ft.termes_zeros;
    return calculer_multiplicites(vue);
}

void ajouter_racines(std::string& s, const char* sorte, const std::array<terme, nb_termes_max>& t,
                     int n, const table_multiplicites& m) {
    for (int k = 0; k < n; ++k) {
        // Only the first occurrence of a group carries its multiplicity.
        if (m.multiplicite[k] == 0) continue;
        const complexe z = t[static_cast<std::size_t>(k)].valeur;
        s += sorte;
        s += ',';
        ajouter_nombre(s, z.re);
        s += ',';
        ajouter_nombre(s, z.im);
        s += ',';
        s += std::to_string(m.multiplicite[k]);
        s += '\n';
    }
}

} // namespace

std::string nombre_csv(double x) {
    std::string s;
    ajouter_nombre(s, x);
    return s;
}

std::string csv_frequentiel(const etude_frequence& r, const systeme& sys) {
    const char* unite = r.en_radians ? " (rad)" : " (deg)";
    std::vector<std::string> entete{"w (rad/s)"};
    const std::vector<double> w = pulsations_csv(r);
    std::vector<std::vector<double>> colonnes;
    for (const int k : fonctions_etudiees(sys)) {
        entete.push_back("G" + std::to_string(k) + " (dB)");
        entete.push_back("phase" + std::to_string(k) + unite);
        colonnes_frequence(sys.fonctions[static_cast<std::size_t>(k)], r, w, colonnes);
    }
    // The diagram adds the looped function as it was before the loop was closed.
    const etat_etudes& e = sys.etudes;
    if (e.boucle_fermee && e.afficher_non_corrige && slot_valide(sys.courante_sauvee)) {
        entete.emplace_back("G non corrigé (dB)");
        entete.push_back(std::string("phase non corrigée") + unite);
        colonnes_frequence(sys.sauvegarde[static_cast<std::size_t>(sys.courante_sauvee)], r, w,
                           colonnes);
    }
    return tableau(entete, w, colonnes);
}

std::string csv_temporel(const etude_temps& r, const systeme& sys, const reglages& /*reg*/) {
    const entree_temps genre = sys.etudes.etude_temps_choisie;
    const std::vector<int> slots = slots_temps(sys, genre);
    if (entree_exacte(genre)) return csv_exact(r, sys, genre, slots);
    if (entree_periodique(genre)) return csv_periodique(r, sys, slots);
    std::string s;
    ajouter_ligne(s, entete_temps(slots));
    return s;
}

std::string csv_poles_zeros(const systeme& sys) {
    std::string s;
    ajouter_ligne(s, {"type", "re", "im", "multiplicite"});
    const int k = sys.slot_etudie();
    if (!slot_valide(k)) return s;
    const fdt_travail& ft = sys.fonctions[static_cast<std::size_t>(k)];
    ajouter_racines(s, "pôle", ft.termes_poles, nb_poles(ft), calculer_multiplicites(ft));
    ajouter_racines(s, "zéro", ft.termes_zeros, nb_zeros(ft), multiplicites_zeros(ft));
    return s;
}

} // namespace varlem
