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

} // namespace

std::vector<ligne_caracteristique> lignes_boucle_fermee_lecture(const systeme& sys) {
    const etat_etudes& e = sys.etudes;
    if (e.bode_double || e.etude_freq_choisie != diagramme::black) return {};
    const fdt_travail* l = boucle_ouverte_abaque(sys);
    if (!l || sys.nb_fonctions < 1) return {};
    const valeur_boucle_fermee f = boucle_fermee_en(l->fonction, sys.lecture.w_lecture);
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
