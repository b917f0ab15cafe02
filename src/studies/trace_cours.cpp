#include "studies/trace_cours.h"

#include "analysis/branche_asymptotes.h"
#include "document/etudes_systeme.h"
#include "studies/trace_abaque.h"

#include <algorithm>

namespace varlem {

bool asymptotes_tracees(const etude_frequence& r, diagramme genre) {
    return r.cours.asymptotes && diagramme_logarithmique(genre);
}

bool abaque_trace(const etude_frequence& r, diagramme genre) {
    return r.cours.abaque && genre == diagramme::black;
}

bool cours_trace(const etude_frequence& r, diagramme genre) {
    return asymptotes_tracees(r, genre) || abaque_trace(r, genre);
}

std::vector<asymptotes_couleur> asymptotes_des_courbes(const systeme& sys, const param& p,
                                                       diagramme genre) {
    const std::vector<int> slots = fonctions_etudiees(sys);
    std::vector<asymptotes_couleur> a;
    for (const int k : slots) {
        const fdt_travail& ft = fonction_du_slot(sys.fonctions, k);
        asymptotes_bode asymptotes = calculer_asymptotes(ft);
        // The gain has no branch: only the phase is moved.
        if (genre == diagramme::phase) asymptotes = sur_branche_reelle(ft, std::move(asymptotes));
        const bool lue = k == sys.fonction_courante;
        asymptotes_couleur f{std::move(asymptotes), p.couleurs[static_cast<std::size_t>(k)],
                             lue || slots.size() <= fonctions_etiquetees_max};
        // The read function's labels are placed first, where they read best.
        if (lue)
            a.insert(a.begin(), std::move(f));
        else
            a.push_back(std::move(f));
    }
    return a;
}

couleur couleur_boucle_ouverte(const systeme& sys, const param& p) {
    const int k = sys.etudes.boucle_fermee ? 1 : sys.fonction_courante;
    return p.couleurs[static_cast<std::size_t>(
        std::clamp<int>(k, 0, static_cast<int>(p.couleurs.size()) - 1))];
}

void tracer_cours(surface& s, const etude_frequence& r, const param& p, const systeme& sys,
                  diagramme genre, surface_relevee& releve) {
    std::vector<rectangle_px> occupes = releve.textes();
    for (const rectangle_px& t : releve.traits()) occupes.push_back(t);
    if (asymptotes_tracees(r, genre)) {
        reglages_asymptotes o;
        o.convention = r.cours.convention;
        o.pente = r.cours.pente;
        const std::vector<asymptotes_couleur> a = asymptotes_des_courbes(sys, p, genre);
        // The breaks' values read for one function; for several, the axis would hold a crowd.
        o.valeurs_cassures =
            std::count_if(a.begin(), a.end(), [](const auto& f) { return f.etiquetee; }) == 1;
        tracer_asymptotes(s, r, p,
                          genre == diagramme::gain ? diagramme_bode::gain : diagramme_bode::phase,
                          a, o, occupes);
    }
    if (abaque_trace(r, genre))
        tracer_abaque(s, r, p, boucle_ouverte_abaque(sys), couleur_boucle_ouverte(sys, p), occupes);
    // The frame, the texts and the curves over the chart.
    releve.rejouer();
}

} // namespace varlem
