#include "studies/textes_caracteristiques.h"

#include "numeric/nombres.h"

namespace varlem {

namespace {

constexpr const char* crlf = "\r\n";
constexpr const char* sans_objet = "sans objet";

// texte_nombre without the blank its short form starts with, to sit inside a sentence.
std::string nombre(double x) {
    std::string t = texte_nombre(x);
    if (!t.empty() && t.front() == ' ') t.erase(0, 1);
    return t;
}

std::string pulsation(double w) {
    return nombre(w) + " rad/s";
}

ligne_caracteristique duree(const char* libelle, const std::optional<double>& t) {
    return {libelle, t ? nombre(*t) + " s" : sans_objet};
}

} // namespace

ligne_caracteristique ligne_marge_gain(const marges_stabilite& m) {
    if (!m.marge_gain_db || !m.omega_marge_gain) return {"Marge de gain", "infinie"};
    return {"Marge de gain", nombre(*m.marge_gain_db) + " dB à " + pulsation(*m.omega_marge_gain)};
}

ligne_caracteristique ligne_marge_phase(const marges_stabilite& m) {
    if (!m.marge_phase_deg || !m.omega_marge_phase) return {"Marge de phase", "aucune"};
    return {"Marge de phase",
            nombre(*m.marge_phase_deg) + "° à " + pulsation(*m.omega_marge_phase)};
}

ligne_caracteristique ligne_marge_retard(const marges_stabilite& m) {
    return {"Marge de retard", m.marge_retard ? nombre(*m.marge_retard) + " s" : "aucune"};
}

ligne_caracteristique ligne_bande_passante(const caracteristiques& c) {
    return {"Bande passante", c.bande_passante ? pulsation(*c.bande_passante) : "aucune"};
}

ligne_caracteristique ligne_resonance(const caracteristiques& c) {
    if (!c.resonance) return {"Résonance", "aucune"};
    return {"Résonance", nombre(c.resonance->gain_db) + " dB à " + pulsation(c.resonance->omega)};
}

ligne_caracteristique ligne_valeur_finale(const reponse_indicielle& r) {
    return {"Valeur finale", r.valeur_finale ? nombre(*r.valeur_finale) : sans_objet};
}

ligne_caracteristique ligne_depassement(const reponse_indicielle& r) {
    return {"Dépassement", r.depassement_pct ? nombre(*r.depassement_pct) + " %" : sans_objet};
}

ligne_caracteristique ligne_temps_montee(const reponse_indicielle& r) {
    return duree("Temps de montée", r.temps_montee);
}

ligne_caracteristique ligne_pic(const reponse_indicielle& r) {
    if (!r.pic) return {"Pic", sans_objet};
    if (!r.temps_pic) return {"Pic", nombre(*r.pic) + " (non atteint)"};
    return {"Pic", nombre(*r.pic) + " à " + nombre(*r.temps_pic) + " s"};
}

ligne_caracteristique ligne_temps_reponse_5(const reponse_indicielle& r) {
    return duree("Temps de réponse à 5 %", r.temps_reponse_5);
}

ligne_caracteristique ligne_temps_reponse_2(const reponse_indicielle& r) {
    return duree("Temps de réponse à 2 %", r.temps_reponse_2);
}

std::string texte_stabilite_boucle(const reponse_indicielle& r) {
    return r.stable ? "Boucle fermée stable" : "Boucle fermée instable";
}

std::string texte_stabilite_fonction(const reponse_indicielle& r) {
    return r.stable ? "Fonction stable" : "Fonction instable";
}

std::string texte_ligne(const ligne_caracteristique& l) {
    return l.libelle + " : " + l.valeur;
}

std::string section_caracteristiques(const caracteristiques& c, bool boucle_fermee) {
    std::string t = "Caractéristiques";
    t += crlf;
    t += crlf;
    const auto ajouter = [&](const std::string& ligne) {
        t += ligne;
        t += crlf;
    };
    ajouter(texte_ligne(ligne_marge_gain(c.marges)));
    ajouter(texte_ligne(ligne_marge_phase(c.marges)));
    ajouter(texte_ligne(ligne_bande_passante(c)));
    ajouter(texte_ligne(ligne_resonance(c)));
    const reponse_indicielle& r = c.indicielle;
    ajouter(boucle_fermee ? texte_stabilite_boucle(r) : texte_stabilite_fonction(r));
    if (!r.stable) return t;
    ajouter(texte_ligne(ligne_valeur_finale(r)));
    if (!r.temps_montee) return t;
    ajouter(texte_ligne(ligne_temps_montee(r)));
    ajouter(texte_ligne(ligne_pic(r)));
    ajouter(texte_ligne(ligne_depassement(r)));
    ajouter(texte_ligne(ligne_temps_reponse_5(r)));
    ajouter(texte_ligne(ligne_temps_reponse_2(r)));
    return t;
}

} // namespace varlem
