#include "studies/lecture_cours.h"

#include "analysis/abaque_black.h"
#include "analysis/asymptotes_bode.h"
#include "numeric/nombres.h"
#include "studies/lecture_frequentielle.h"
#include "studies/trace_abaque.h"
#include "studies/trace_cours.h"

#include <cmath>
#include <numbers>

namespace varlem {

namespace {

constexpr double degres_par_radian = 180 / std::numbers::pi;
// Below this a closed-loop module is a zero of F: the analysis writes −10000 dB there.
constexpr double module_nul_db = -9999;

// texte_nombre without the blank of its short form, the unit after it; the infinities in words.
std::string valeur(double x, const char* unite) {
    if (std::isnan(x)) return "indéfini";
    if (std::isinf(x)) return x > 0 ? "infini" : "moins l'infini";
    std::string t = texte_nombre(x);
    if (!t.empty() && t.front() == ' ') t.erase(0, 1);
    return t + unite;
}

// F at the cursor; from T(jω) itself for a loop with a delay, which its polynomials leave out.
valeur_boucle_fermee fermee_en(const fdt& l, double w) {
    if (l.retard == 0 && !l.boucle) return boucle_fermee_en(l, w);
    const complexe t = fdt_valeur(l, w);
    const complexe f = c_quotient(t, c_somme({1, 0}, t));
    valeur_boucle_fermee v;
    if (!c_fini(f)) {
        v.module_db = HUGE_VAL;
        return v;
    }
    v.module_db = gain_db_de(f);
    v.phase_deg = std::atan2(f.im, f.re) * degres_par_radian;
    if (v.phase_deg == -180) v.phase_deg = 180;
    return v;
}

} // namespace

std::vector<ligne_caracteristique> lignes_boucle_fermee_lecture(const systeme& sys) {
    const etat_etudes& e = sys.etudes;
    if (e.bode_double || e.etude_freq_choisie != diagramme::black) return {};
    const fdt_travail* l = boucle_ouverte_abaque(sys);
    if (!l || sys.nb_fonctions < 1) return {};
    const valeur_boucle_fermee f = fermee_en(l->fonction, sys.lecture.w_lecture);
    const bool nul = f.module_db <= module_nul_db;
    return {{"Module en boucle fermée", nul ? valeur(-INFINITY, "") : valeur(f.module_db, " dB")},
            {"Phase en boucle fermée",
             std::isinf(f.module_db) ? valeur(NAN, "") : valeur(f.phase_deg, "°")}};
}

std::vector<ligne_caracteristique> lignes_asymptotes_lecture(const systeme& sys,
                                                             const etude_frequence& r) {
    const etat_etudes& e = sys.etudes;
    const diagramme genre = e.bode_double ? diagramme::gain : e.etude_freq_choisie;
    const int k = fonction_lue(sys);
    if (!asymptotes_tracees(r, genre) || !slot_valide(k) || k > sys.nb_fonctions) return {};
    const fdt_travail& ft = fonction_du_slot(sys.fonctions, k);
    const asymptotes_bode a = calculer_asymptotes(ft);
    if (!a.valide) return {};
    const lecture_asymptote l = lire_asymptote(ft, a, sys.lecture.w_lecture);
    return {{"Gain asymptotique", valeur(l.gain_db, " dB")},
            {"Écart au gain réel", valeur(l.ecart_db, " dB")}};
}

} // namespace varlem
